#include "chainfile/ChainFileWriter.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using Kind = ScriptedUserInterface::EventKind;

// The chain file written for the given texts, through a dialog that answers
// with a fresh file name.
std::string Written(const std::string& horizontal, const std::string& vertical,
                    const TemplateList& left, const TemplateList& right) {
    TempDir dir;
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("road.ch"));
    EXPECT_EQ(WriteChainFile(ui, horizontal, vertical, left, right), 1);
    EXPECT_TRUE(ui.Messages().empty());
    return ReadFileBytes(dir.File("road.ch"));
}

TEST(WriteChainFile, WritesAHorizontalAlignmentAlone) {
    EXPECT_EQ(Written("1 1000.000000 \"2 3 4\" 5 ", "", {}, {}),
              "{\r\n"
              "@ Horizontal Control\r\n"
              "{1 1000.000000 \"2 3 4\" 5 }\r\n"
              "\r\n"
              "@ Vertical Control\r\n"
              "{}\r\n"
              "\r\n"
              "@ Left Templates\r\n"
              "{\r\n"
              "}\r\n"
              "\r\n"
              "@ Right Templates\r\n"
              "{\r\n"
              "}\r\n"
              "\r\n"
              "}\r\n");
}

TEST(WriteChainFile, WritesEachTemplateOnALineOfItsOwn) {
    EXPECT_EQ(
        Written("", "0 100 1.5 ", {"0 -2 3.5 0 0 0", "20 -2 3.5 0 0 0", "40 -2 3.5 0 0 0"}, {}),
        "{\r\n"
        "@ Horizontal Control\r\n"
        "{}\r\n"
        "\r\n"
        "@ Vertical Control\r\n"
        "{0 100 1.5 }\r\n"
        "\r\n"
        "@ Left Templates\r\n"
        "{\r\n"
        "{0 -2 3.5 0 0 0}\r\n"
        "{20 -2 3.5 0 0 0}\r\n"
        "{40 -2 3.5 0 0 0}\r\n"
        "}\r\n"
        "\r\n"
        "@ Right Templates\r\n"
        "{\r\n"
        "}\r\n"
        "\r\n"
        "}\r\n");
}

TEST(WriteChainFile, AsksForANameOnlyWhenThereIsSomethingToWrite) {
    ScriptedUserInterface ui;
    EXPECT_EQ(WriteChainFile(ui, "", "", {}, {}), 1);
    EXPECT_TRUE(ui.Events().empty());
    ui.QueueFileName(std::nullopt);
    EXPECT_EQ(WriteChainFile(ui, "", "", {}, {"0 1 2 3"}), 0);
    ASSERT_EQ(ui.Events().size(), 1u);
    EXPECT_EQ(ui.Events()[0].kind, Kind::SaveDialog);
    const FileDialogRequest& request = ui.Events()[0].request;
    EXPECT_EQ(request.filter, "Chain Files (*.ch)|*.CH||");
    EXPECT_EQ(request.defaultExtension, "CH");
    EXPECT_EQ(request.initialName, "");
    EXPECT_TRUE(request.askBeforeReplacing);
}

TEST(WriteChainFile, ReplacesAnExistingFileWithoutAskingAgain) {
    TempDir dir;
    test::WriteFileBytes(dir.File("road.ch"), "old content that is longer than the new one");
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("road.ch"));
    EXPECT_EQ(WriteChainFile(ui, "1 0.000000 2 ", "", {}, {}), 1);
    EXPECT_EQ(ui.Events().size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File("road.ch")).substr(0, 36),
              "{\r\n@ Horizontal Control\r\n{1 0.000000");
}

// A file that cannot be created leaves nothing behind.
TEST(WriteChainFile, ReportsATargetThatCannotBeCreated) {
    TempDir dir;
    ScriptedUserInterface ui;
    const std::string missing = dir.File("no-such-folder/road.ch");
    ui.QueueFileName(missing);
    ui.QueueFileName(dir.Path().string());
    EXPECT_EQ(WriteChainFile(ui, "1 0.000000 2 ", "", {}, {}), 0);
    EXPECT_EQ(WriteChainFile(ui, "1 0.000000 2 ", "", {}, {}), 0);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Cannot open file " + missing,
                                                       "Cannot open file " + dir.Path().string()}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace chainforge
