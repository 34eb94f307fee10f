// Documents built to hurt: huge and sparse, enormous names.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "points/PointGroupReader.h"
#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using Names = std::vector<std::string>;

TEST(HostileDocument, SparseFileBeyondThirtyTwoBits) {
    test::TempDir dir;
    const std::string path = dir.File("sparse.xml");
    const std::string tail = test::CrLf(
        {"<CgPoints name=\"Far\">", "<CgPoint name=\"1\">1 2 3</CgPoint>", "</CgPoints>"});
    const off_t offset = off_t{3} << 30;
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), offset), static_cast<ssize_t>(tail.size()));
    ::close(fd);
    test::ScannedDocument s("");
    ASSERT_EQ(s.document.Open(path), 0);
    ScanDocument(s.document, s.catalogue, s.ui);
    ASSERT_EQ(s.catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(s.catalogue.PointGroups()[0].position, static_cast<std::uint64_t>(offset) + 21);
    PointList points;
    ReadPointGroup(s.document, s.catalogue, "Far", points);
    EXPECT_EQ(points, Names{"1,1,2,3,"});
}

TEST(HostileDocument, NamesOfAHundredThousandBytes) {
    const std::string name(100000, 'n');
    test::ScannedDocument s(test::CrLf(
        {"<CgPoints name=\"" + name + "\">", "<CgPoint name=\"" + name + "\">1 2 3</CgPoint>",
         "</CgPoints>", "<Alignments>", "<Alignment name=\"" + name + "\" desc=\"" + name + "\">",
         "</Alignment>", "</Alignments>"}));
    ASSERT_EQ(s.catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(s.catalogue.PointGroups()[0].name, name);
    EXPECT_EQ(s.catalogue.Alignments().at(0).name, name + " - " + name);
    PointList points;
    ReadPointGroup(s.document, s.catalogue, name, points);
    EXPECT_EQ(points, Names{name + ",1,2,3,"});
}

}  // namespace
}  // namespace chainforge
