// A sparse file of more than 3 GiB: positions beyond 32 bits.
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
    // Data, a hole, data, a hole, and the group at the end.
    ASSERT_EQ(::pwrite(fd, "<A>\r\n", 5, 0), 5);
    ASSERT_EQ(::pwrite(fd, "<B>\r\n", 5, offset / 2), 5);
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

}  // namespace
}  // namespace chainforge
