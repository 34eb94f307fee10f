#include "landxml/DocumentBuffer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

using std::string_literals::operator""s;

TEST(ReadTag, TakesTextFromLessThanThroughGreaterThan) {
    CDocumentBuffer document;
    document.Assign("junk<Tag a=\"1\">text<B\r\n c=\"2\">tail");
    std::string tag;
    ASSERT_TRUE(document.ReadTag(tag));
    EXPECT_EQ(tag, "<Tag a=\"1\">");
    EXPECT_EQ(document.Position(), 15u);
    ASSERT_TRUE(document.ReadTag(tag));
    EXPECT_EQ(tag, "<B\r\n c=\"2\">");
    // "tail" holds no tag: the buffer keeps what it held, the data is used up.
    EXPECT_FALSE(document.ReadTag(tag));
    EXPECT_EQ(tag, "<B\r\n c=\"2\">");
    EXPECT_TRUE(document.AtEnd());
}

TEST(ReadTag, OddBytes) {
    CDocumentBuffer document;
    document.Assign("x>y<A\0B<C>"s);
    std::string tag = "before";
    ASSERT_TRUE(document.ReadTag(tag));
    EXPECT_EQ(tag, "");  // a ">" before any "<"
    ASSERT_TRUE(document.ReadTag(tag));
    EXPECT_EQ(tag, "<AB<C>");  // zero bytes dropped, inner "<" kept
    document.Assign("<A><B");
    ASSERT_TRUE(document.ReadTag(tag));
    EXPECT_FALSE(document.ReadTag(tag));
    EXPECT_EQ(tag, "<A>");
}

TEST(ReadLine, TextAfterTheLessThanUpToTheLineEnd) {
    CDocumentBuffer document;
    document.Assign("\r\n  <CgPoint name=\"7\">5000.1 2000.2 100.3</CgPoint>\r\n<Next>\r\n");
    std::string line;
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(line, "CgPoint name=\"7\">5000.1 2000.2 100.3/CgPoint>");
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(line, "Next>");
    EXPECT_FALSE(document.ReadLine(line));
    EXPECT_EQ(line, "Next>");
}

TEST(ReadLine, LineFeedAloneEndsALine) {
    CDocumentBuffer document;
    document.Assign("<A>1</A>\n<B>2</B>\n");
    std::string line;
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(line, "A>1/A>");
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(line, "B>2/B>");
}

TEST(ReadLine, UnfinishedLastLineIsDropped) {
    CDocumentBuffer document;
    document.Assign("<A>\r\n<B>no end");
    std::string line;
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_FALSE(document.ReadLine(line));
    EXPECT_EQ(line, "A>");
    std::string fresh = "old";
    document.ReadLineInto(fresh);
    EXPECT_EQ(fresh, "");
}

TEST(Seek, BeyondTheSizeIsIgnored) {
    CDocumentBuffer document;
    document.Assign("<A>\r\n");
    document.Seek(3);
    EXPECT_EQ(document.Position(), 3u);
    document.Seek(6);
    EXPECT_EQ(document.Position(), 3u);
    document.Seek(5);
    std::string line = "kept";
    EXPECT_FALSE(document.ReadLine(line));
    EXPECT_EQ(line, "kept");
}

TEST(ContinueElement, ReadsTheTextOnToTheClosingTag) {
    CDocumentBuffer document;
    document.Assign(
        "<Start code=\"POB\">\r\n   100.5\t200.25 \r\n\r\n 7</Start> ignored\r\n<End>1 "
        "2</End>\r\n");
    std::string line;
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(document.ContinueElement(line), "/Start> ignored");
    EXPECT_EQ(line, "Start code=\"POB\"> 100.5\t200.25 7");
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(line, "End>1 2/End>");
}

TEST(ContinueElement, LeavesCompleteOrSelfClosingLines) {
    for (const char* text : {"<Start>1 2</Start>\r\n<X>3</X>\r\n", "<Start/>\r\n<X>3</X>\r\n",
                             "<Start code=\r\n\"a\">1 2</Start>\r\n", "<Start>\r\n1 2\r\n"}) {
        CDocumentBuffer document;
        document.Assign(text);
        std::string line;
        ASSERT_TRUE(document.ReadLine(line));
        const std::string before = line;
        const auto position = document.Position();
        EXPECT_EQ(document.ContinueElement(line), "") << text;
        EXPECT_EQ(line, before) << text;
        EXPECT_EQ(document.Position(), position) << text;
    }
}

TEST(Open, LoadsAPrivateCopy) {
    test::TempDir dir;
    const std::string path = dir.File("a.xml");
    test::WriteFileBytes(path, "<A>\r\n");
    CDocumentBuffer document;
    ASSERT_EQ(document.Open(path), 0);
    test::WriteFileBytes(path, "<Changed>\r\n<More>\r\n");
    std::filesystem::resize_file(path, 2);
    EXPECT_EQ(document.Bytes(), "<A>\r\n");
    EXPECT_EQ(document.Position(), 0u);
}

TEST(Open, FailureKeepsWhatWasLoaded) {
    test::TempDir dir;
    CDocumentBuffer document;
    document.Assign("<A>\r\n");
    document.Seek(2);
    EXPECT_EQ(document.Open(dir.File("missing.xml")), 1);
    EXPECT_EQ(document.Open(dir.Path().string()), 1);  // a folder
    EXPECT_EQ(document.Bytes(), "<A>\r\n");
    EXPECT_EQ(document.Position(), 2u);
}

TEST(Open, EmptyFile) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("empty.xml"), "");
    CDocumentBuffer document;
    ASSERT_EQ(document.Open(dir.File("empty.xml")), 0);
    EXPECT_TRUE(document.IsLoaded());
    EXPECT_EQ(document.Size(), 0u);
    EXPECT_TRUE(document.AtEnd());
}

}  // namespace
}  // namespace chainforge
