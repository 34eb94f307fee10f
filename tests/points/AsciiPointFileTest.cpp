#include "points/AsciiPointFile.h"

#include <gtest/gtest.h>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using Kind = CScriptedUserInterface::EventKind;
using Texts = std::vector<std::string>;
using test::operator+;

TEST(AsciiPointFile, WritesWhatItReadsBack) {
    test::TempDir dir;
    CScriptedUserInterface ui;
    EXPECT_EQ(WriteAsciiPointFile(ui, {}).status, WriteStatus::NothingToWrite);  // no dialog
    EXPECT_TRUE(ui.Events().empty());
    const PointList points{"7,5000.1,2000.2,100.3,", "1,10,20,0,PI", "A7,1,2,3,a b"};
    ui.QueueFileName(dir.File("out.asc"));
    ui.QueueFileName(dir.File("out.asc"));
    ui.QueueFileName(std::nullopt);
    ui.QueueFileName(std::nullopt);
    EXPECT_EQ(WriteAsciiPointFile(ui, points).status, WriteStatus::Written);
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.asc")),
              "7,5000.1,2000.2,100.3,\r\n1,10,20,0,PI\r\nA7,1,2,3,a b\r\n");
    PointList read{"9,9,9,9,"};
    EXPECT_EQ(ReadAsciiPointFile(ui, read).status, ReadStatus::Read);
    EXPECT_EQ(read, Texts{"9,9,9,9,"} + points);
    EXPECT_EQ(ReadAsciiPointFile(ui, read).status, ReadStatus::Cancelled);
    EXPECT_EQ(WriteAsciiPointFile(ui, points).status, WriteStatus::Cancelled);
    EXPECT_TRUE(ui.Messages().empty());
    ASSERT_EQ(ui.Events().size(), 4u);
    for (const auto& [event, kind] : {std::pair{0, Kind::SaveDialog}, {1, Kind::OpenDialog}}) {
        const FileDialogRequest& request = ui.Events()[event].request;
        EXPECT_EQ(ui.Events()[event].kind, kind);
        EXPECT_EQ(request.filter, "ASCII Files (*.asc)|*.ASC||");
        EXPECT_EQ(request.defaultExtension, "ASC");
        EXPECT_EQ(request.initialName, "");
    }
    EXPECT_TRUE(ui.Events()[0].request.askBeforeReplacing);
}

TEST(AsciiPointFile, FilesThatCannotBeRead) {
    test::TempDir dir;
    CScriptedUserInterface ui;
    ui.QueueFileName(dir.File("missing.asc"));
    ui.QueueFileName(dir.Path().string());
    PointList points;
    EXPECT_EQ(ReadAsciiPointFile(ui, points).status, ReadStatus::CannotOpen);
    EXPECT_EQ(ReadAsciiPointFile(ui, points).status, ReadStatus::CannotOpen);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(ui.Messages(), (Texts{"Cannot open file " + dir.File("missing.asc"),
                                    "Cannot open file " + dir.Path().string()}));
}

// File bytes -> the points read.
TEST(AsciiPointFile, ReadsTheFileAsText) {
    const std::string longLine = "1,2,3,4," + std::string(100000, 'd');
    const std::pair<std::string, PointList> cases[] = {
        {"1,2,3,4,A\r\n5,6,7,8,\r\n", {"1,2,3,4,A", "5,6,7,8,"}},
        {"1,2,3,4,A\n5,6,7,8,", {"1,2,3,4,A", "5,6,7,8,"}},
        {"\r\n\r\n  1,2,3,4,\r\n\r\n \t5,6,7,8,\r\n\r\n", {"1,2,3,4,", "5,6,7,8,"}},
        {"  1,2,3,4,\r\n\t5,6,7,8,\r\n", {"  1,2,3,4,", "5,6,7,8,"}},
        // A first line of blanks and tabs holds nothing; one of text does.
        {" \t \t\r\n1,2,3,4,\r\n", {"1,2,3,4,"}},
        {"\t\t\r\n1,2,3,4,\r\n", {"1,2,3,4,"}},
        {" \tP\r\n1,2,3,4,\r\n", {" \tP", "1,2,3,4,"}},
        {"x\r\n1,2,3,4,\r\n;\r\nab\r\n", {"1,2,3,4,", "ab"}},
        {"", {}},
        {std::string("1,2,\0003,4,\r\n\0\0\r\n", 15), {"1,2,3,4,"}},
        {longLine + "\r\n", {longLine}},
    };
    test::TempDir dir;
    for (const auto& [bytes, expected] : cases) {
        test::WriteFileBytes(dir.File("in.asc"), bytes);
        CScriptedUserInterface ui;
        ui.QueueFileName(dir.File("in.asc"));
        PointList points;
        EXPECT_EQ(ReadAsciiPointFile(ui, points).status, ReadStatus::Read);
        EXPECT_EQ(points, expected) << bytes.substr(0, 40);
    }
}

}  // namespace
}  // namespace chainforge
