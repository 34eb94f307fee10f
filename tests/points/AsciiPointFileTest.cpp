#include "points/AsciiPointFile.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;
using Kind = ScriptedUserInterface::EventKind;
using Texts = std::vector<std::string>;

TEST(WriteAsciiPointFile, WritesEachPointLineEndedByCrLf) {
    TempDir dir;
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("out.asc"));
    EXPECT_EQ(WriteAsciiPointFile(ui, {"7,5000.1,2000.2,100.3,", "1,10,20,0,PI"}), 1);
    EXPECT_EQ(ReadFileBytes(dir.File("out.asc")), "7,5000.1,2000.2,100.3,\r\n1,10,20,0,PI\r\n");
    ASSERT_EQ(ui.Events().size(), 1u);
    EXPECT_EQ(ui.Events()[0].kind, Kind::SaveDialog);
    const FileDialogRequest& request = ui.Events()[0].request;
    EXPECT_EQ(request.filter, "ASCII Files (*.asc)|*.ASC||");
    EXPECT_EQ(request.defaultExtension, "ASC");
    EXPECT_EQ(request.initialName, "");
    EXPECT_TRUE(request.askBeforeReplacing);
}

TEST(WriteAsciiPointFile, WritesNothingForAnEmptyListOrACancelledDialog) {
    ScriptedUserInterface ui;
    EXPECT_EQ(WriteAsciiPointFile(ui, {}), 0);
    EXPECT_TRUE(ui.Events().empty());
    ui.QueueFileName(std::nullopt);
    EXPECT_EQ(WriteAsciiPointFile(ui, {"1,2,3,4,"}), 0);
    EXPECT_TRUE(ui.Messages().empty());
}

// Neither a missing folder nor a folder as the target leaves a file behind.
TEST(WriteAsciiPointFile, ReportsATargetThatCannotBeCreated) {
    TempDir dir;
    ScriptedUserInterface ui;
    const std::string missing = dir.File("no-such-folder/out.asc");
    ui.QueueFileName(missing);
    ui.QueueFileName(dir.Path().string());
    EXPECT_EQ(WriteAsciiPointFile(ui, {"1,2,3,4,"}), 0);
    EXPECT_EQ(WriteAsciiPointFile(ui, {"1,2,3,4,"}), 0);
    EXPECT_EQ(ui.Messages(),
              (Texts{"Cannot open file " + missing, "Cannot open file " + dir.Path().string()}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ReadAsciiPointFile, AsksForTheFileAndAppendsItsLines) {
    TempDir dir;
    WriteFileBytes(dir.File("in.asc"), "1,2,3,4,A\r\n");
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("in.asc"));
    ui.QueueFileName(std::nullopt);
    PointList points{"9,9,9,9,"};
    EXPECT_EQ(ReadAsciiPointFile(ui, points), 1);
    EXPECT_EQ(ReadAsciiPointFile(ui, points), 0);
    EXPECT_EQ(points, (PointList{"9,9,9,9,", "1,2,3,4,A"}));
    ASSERT_EQ(ui.Events().size(), 2u);
    EXPECT_EQ(ui.Events()[0].kind, Kind::OpenDialog);
    EXPECT_EQ(ui.Events()[0].request.filter, "ASCII Files (*.asc)|*.ASC||");
    EXPECT_EQ(ui.Events()[0].request.defaultExtension, "ASC");
}

TEST(ReadAsciiPointFile, ReportsAFileThatCannotBeOpened) {
    TempDir dir;
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("missing.asc"));
    ui.QueueFileName(dir.Path().string());
    PointList points;
    EXPECT_EQ(ReadAsciiPointFile(ui, points), 2);
    EXPECT_EQ(ReadAsciiPointFile(ui, points), 2);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(ui.Messages(), (Texts{"Cannot open file " + dir.File("missing.asc"),
                                    "Cannot open file " + dir.Path().string()}));
}

TEST(ReadAsciiPointFile, ReadsTheFileAsText) {
    const std::string longLine = "1,2,3,4," + std::string(100000, 'd');
    const std::pair<std::string, PointList> cases[] = {
        {"1,2,3,4,A\r\n5,6,7,8,\r\n", {"1,2,3,4,A", "5,6,7,8,"}},
        {"1,2,3,4,A\n5,6,7,8,", {"1,2,3,4,A", "5,6,7,8,"}},
        {"\r\n\r\n  1,2,3,4,\r\n\r\n \t5,6,7,8,\r\n\r\n", {"1,2,3,4,", "5,6,7,8,"}},
        {"  1,2,3,4,\r\n\t5,6,7,8,\r\n", {"  1,2,3,4,", "5,6,7,8,"}},
        {"x\r\n1,2,3,4,\r\n;\r\nab\r\n", {"1,2,3,4,", "ab"}},
        {"", {}},
        {std::string("1,2,\0003,4,\r\n\0\0\r\n", 15), {"1,2,3,4,"}},
        {longLine + "\r\n", {longLine}},
    };
    TempDir dir;
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(bytes.substr(0, 40));
        WriteFileBytes(dir.File("in.asc"), bytes);
        ScriptedUserInterface ui;
        ui.QueueFileName(dir.File("in.asc"));
        PointList points;
        EXPECT_EQ(ReadAsciiPointFile(ui, points), 1);
        EXPECT_EQ(points, expected);
    }
}

TEST(AsciiPointFile, ReadsBackWhatItWrote) {
    const PointList points{"7,5000.1,2000.2,100.3,", "1,10.000000,20.000000,0,PI", "A7,1,2,3,a b"};
    TempDir dir;
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("points.asc"));
    ui.QueueFileName(dir.File("points.asc"));
    ASSERT_EQ(WriteAsciiPointFile(ui, points), 1);
    PointList read;
    EXPECT_EQ(ReadAsciiPointFile(ui, read), 1);
    EXPECT_EQ(read, points);
}

}  // namespace
}  // namespace chainforge
