#include "landxml/DocumentBuffer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

using std::string_literals::operator""s;
using Texts = std::vector<std::string>;

// Every tag, or every line, that the buffer reads from bytes; the text left
// in the caller's string after the last read comes last.
Texts Read(const std::string& bytes, bool (CDocumentBuffer::*read)(std::string&)) {
    CDocumentBuffer document;
    document.Assign(bytes);
    Texts texts;
    std::string text = "before";
    while ((document.*read)(text)) {
        texts.push_back(text);
    }
    EXPECT_TRUE(document.AtEnd());
    texts.push_back("left: " + text);
    return texts;
}

TEST(ReadTag, FromLessThanThroughGreaterThan) {
    const std::pair<std::string, Texts> cases[] = {
        {"junk<Tag a=\"1\">text<B\r\n c=\"2\">tail",
         {"<Tag a=\"1\">", "<B\r\n c=\"2\">", "left: <B\r\n c=\"2\">"}},
        {"x>y<A\0B<C>"s, {"", "<AB<C>", "left: <AB<C>"}},  // zero bytes dropped
        {"<A><B", {"<A>", "left: <A>"}},
    };
    for (const auto& [bytes, tags] : cases) {
        EXPECT_EQ(Read(bytes, &CDocumentBuffer::ReadTag), tags) << bytes;
    }
    CDocumentBuffer document;
    document.Assign("junk<Tag a=\"1\">text");
    std::string tag;
    document.ReadTag(tag);
    EXPECT_EQ(document.Position(), 15u);
}

TEST(ReadLine, TextAfterTheLessThanUpToTheLineEnd) {
    const std::pair<std::string, Texts> cases[] = {
        {"\r\n  <CgPoint name=\"7\">5 2 1</CgPoint>\r\n<Next>\r\n",
         {"CgPoint name=\"7\">5 2 1/CgPoint>", "Next>", "left: Next>"}},
        {"<A>1</A>\n<B>2</B>\n", {"A>1/A>", "B>2/B>", "left: B>2/B>"}},
        {"<A>\r\n<B>no end", {"A>", "left: A>"}},  // an unfinished last line is dropped
        // Comments are as if absent, line ends in them included.
        {"<!-- <A>1</A>\r\n -->\r\n<B>2<!-- c\r\n --></B>\r\n", {"B>2/B>", "left: B>2/B>"}},
    };
    for (const auto& [bytes, lines] : cases) {
        EXPECT_EQ(Read(bytes, &CDocumentBuffer::ReadLine), lines) << bytes;
    }
    CDocumentBuffer document;
    document.Assign("<A>\r\n");
    document.Seek(3);
    document.Seek(6);  // beyond the size: ignored
    EXPECT_EQ(document.Position(), 3u);
    document.Seek(5);
    std::string fresh = "old";
    document.ReadLineInto(fresh);
    EXPECT_EQ(fresh, "");
}

TEST(ContinueElement, ReadsTheTextOnToTheClosingTag) {
    CDocumentBuffer document;
    document.Assign(
        "<Start code=\"POB\">1\t\r\n   100.5<!-- </x>\r\n -->\t200.25 \r\n\r\n 7</Start> "
        "ignored\r\n<End>1 2"
        "</End>\r\n");
    std::string line;
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(document.ContinueElement(line), "/Start> ignored");
    // A break with the blanks and tabs on both sides of it is one blank.
    EXPECT_EQ(line, "Start code=\"POB\">1 100.5\t200.25 7");
    ASSERT_TRUE(document.ReadLine(line));
    EXPECT_EQ(line, "End>1 2/End>");
    // Complete or self-closing lines, or no closing tag at all: nothing changes.
    for (const char* text : {"<Start>1 2</Start>\r\n<X>3</X>\r\n", "<Start/>\r\n<X>3</X>\r\n",
                             "<Start code=\r\n\"a\">1 2</Start>\r\n", "<Start>\r\n1 2\r\n"}) {
        document.Assign(text);
        ASSERT_TRUE(document.ReadLine(line));
        const std::string before = line;
        const auto position = document.Position();
        EXPECT_EQ(document.ContinueElement(line), "") << text;
        EXPECT_EQ(line, before) << text;
        EXPECT_EQ(document.Position(), position) << text;
    }
}

TEST(Open, LoadsAPrivateCopyOfARegularFile) {
    test::TempDir dir;
    const std::string path = dir.File("a.xml");
    test::WriteFileBytes(path, "<A>\r\n");
    CDocumentBuffer document;
    ASSERT_EQ(document.Open(path).status, OpenStatus::Opened);
    test::WriteFileBytes(path, "<Changed>\r\n<More>\r\n");
    std::filesystem::resize_file(path, 2);
    EXPECT_EQ(document.Bytes(), "<A>\r\n");
    document.Seek(2);
    // Failures keep what was loaded: no file, a folder, a device read as
    // empty, a FIFO with no writer (which must not block).
    Texts failing{dir.File("missing.xml"), dir.Path().string(),
                  test::kWindows ? "NUL" : "/dev/null"};
    if (test::MakeFifo(dir.File("fifo"))) {
        failing.push_back(dir.File("fifo"));
    }
    for (const std::string& bad : failing) {
        const OpenResult opened = document.Open(bad);
        EXPECT_EQ(opened.status, OpenStatus::CannotOpen) << bad;
        EXPECT_EQ(opened.message, "Cannot open file " + bad);
    }
    EXPECT_EQ(document.Bytes(), "<A>\r\n");
    EXPECT_EQ(document.Position(), 2u);
    test::WriteFileBytes(path, "");
    ASSERT_EQ(document.Open(path).status, OpenStatus::Opened);
    EXPECT_TRUE(document.IsLoaded());
    EXPECT_EQ(document.Size(), 0u);
    EXPECT_TRUE(document.AtEnd());
}

}  // namespace
}  // namespace chainforge
