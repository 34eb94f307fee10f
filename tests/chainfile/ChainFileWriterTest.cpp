#include "chainfile/ChainFileWriter.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

TEST(WriteChainFile, SectionsAndTemplatesEachOnALine) {
    test::TempDir dir;
    const std::string path = dir.File("road.ch");
    test::WriteFileBytes(path, "old content that is longer than the new one");
    CScriptedUserInterface ui;
    ui.QueueFileName(path);
    const WriteResult written =
        WriteChainFile(ui, "1 0.5 2 ", "0 100 1.5 ", {"0 -2 3.5 0", "20 -2 3.5 0"}, {"0 1"});
    EXPECT_EQ(written.status, WriteStatus::Written);
    EXPECT_EQ(written.path, path);
    EXPECT_EQ(written.bytes, test::ReadFileBytes(path).size());
    EXPECT_EQ(
        test::ReadFileBytes(path),
        test::CrLf({"{", "@ Horizontal Control", "{1 0.5 2 }", "", "@ Vertical Control",
                    "{0 100 1.5 }", "", "@ Left Templates", "{", "{0 -2 3.5 0}", "{20 -2 3.5 0}",
                    "}", "", "@ Right Templates", "{", "{0 1}", "}", "", "}"}));
    ASSERT_EQ(ui.Events().size(), 1u);
    const FileDialogRequest& request = ui.Events()[0].request;
    EXPECT_EQ(request.filter, "Chain Files (*.ch)|*.CH||");
    EXPECT_EQ(request.defaultExtension, "CH");
    EXPECT_EQ(request.initialName, "");
    EXPECT_TRUE(request.askBeforeReplacing);
}

// Nothing to write asks nothing; a cancelled dialog writes nothing.
TEST(WriteChainFile, NothingWritten) {
    CScriptedUserInterface ui;
    EXPECT_EQ(WriteChainFile(ui, "", "", {}, {}).status, WriteStatus::NothingToWrite);
    EXPECT_TRUE(ui.Events().empty());
    EXPECT_EQ(WriteChainFile(ui, "", "", {}, {"0 1 2 3"}).status, WriteStatus::Cancelled);
    EXPECT_EQ(WriteChainFile(ui, "", "1 2 ", {}, {}).status, WriteStatus::Cancelled);
    EXPECT_EQ(ui.Events().size(), 2u);
}

}  // namespace
}  // namespace chainforge
