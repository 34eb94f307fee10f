// Documents built to hurt: huge, sparse, one endless line, thousands of
// unknown tags, sections that never close, enormous names.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "landxml/DocumentScan.h"
#include "points/PointGroupReader.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using Names = std::vector<std::string>;

struct Scanned {
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;
    void Scan() { ScanDocument(document, catalogue, ui); }
};

TEST(HostileDocument, SparseFileBeyondThirtyTwoBits) {
    test::TempDir dir;
    const std::string path = dir.File("sparse.xml");
    const std::string tail = test::CrLf(
        {"<CgPoints name=\"Far\">", "<CgPoint name=\"1\">1 2 3</CgPoint>", "</CgPoints>"});
    const off_t offset = off_t{3} << 30;
    {
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), offset),
                  static_cast<ssize_t>(tail.size()));
        ::close(fd);
    }
    Scanned s;
    ASSERT_EQ(s.document.Open(path), 0);
    EXPECT_EQ(s.document.Size(), static_cast<std::uint64_t>(offset) + tail.size());
    s.Scan();
    ASSERT_EQ(s.catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(s.catalogue.PointGroups()[0].position, static_cast<std::uint64_t>(offset) + 21);
    PointList points;
    ReadPointGroup(s.document, s.catalogue, "Far", points);
    EXPECT_EQ(points, Names{"1,1,2,3,"});
}

TEST(HostileDocument, OneLineOfTwoHundredMegabytes) {
    std::string text = "<LandXML version=\"1.1\"><CgPoints name=\"A\">";
    const std::string point = "<CgPoint name=\"7\">1 2 3</CgPoint>";
    text.reserve(200u << 20);
    while (text.size() < (200u << 20)) {
        text += point;
    }
    text += "</CgPoints></LandXML>";
    Scanned s;
    s.document.Assign(text);
    s.Scan();
    EXPECT_TRUE(s.ui.Events().empty());
    ASSERT_EQ(s.catalogue.PointGroups().size(), 1u);
    // No line end anywhere: the group's line never ends, so no point is read.
    PointList points;
    ReadPointGroup(s.document, s.catalogue, "A", points);
    EXPECT_TRUE(points.empty());
}

TEST(HostileDocument, TenThousandUnknownTagsOneMessage) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += "<Unknown" + std::to_string(i) + " a=\"1\">\r\n";
    }
    Scanned s;
    s.document.Assign(text);
    s.Scan();
    EXPECT_EQ(s.ui.Messages().size(), 1u);
}

TEST(HostileDocument, SectionsThatNeverClose) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "<Alignments>\r\n<Alignment name=\"A\">\r\n<CgPoints name=\"G\">\r\n<Units>\r\n";
    }
    Scanned s;
    s.document.Assign(text);
    s.Scan();
    EXPECT_TRUE(s.catalogue.PointGroups().empty());
    ASSERT_EQ(s.catalogue.Alignments().size(), 100000u);
    EXPECT_EQ(s.catalogue.Alignments().back().name, "A99999");
    EXPECT_TRUE(s.ui.Events().empty());
}

TEST(HostileDocument, NamesOfAHundredThousandBytes) {
    const std::string name(100000, 'n');
    Scanned s;
    s.document.Assign(test::CrLf(
        {"<CgPoints name=\"" + name + "\">", "<CgPoint name=\"" + name + "\">1 2 3</CgPoint>",
         "</CgPoints>", "<Alignments>", "<Alignment name=\"" + name + "\" desc=\"" + name + "\">",
         "</Alignment>", "</Alignments>"}));
    s.Scan();
    ASSERT_EQ(s.catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(s.catalogue.PointGroups()[0].name, name);
    ASSERT_EQ(s.catalogue.Alignments().size(), 1u);
    EXPECT_EQ(s.catalogue.Alignments()[0].name, name + " - " + name);
    PointList points;
    ReadPointGroup(s.document, s.catalogue, name, points);
    EXPECT_EQ(points, Names{name + ",1,2,3,"});
}

}  // namespace
}  // namespace chainforge
