// A sparse file of more than 3 GiB: positions beyond 32 bits.
#include <gtest/gtest.h>

#include <fstream>

#include "points/PointGroupReader.h"
#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using Names = std::vector<std::string>;

TEST(HostileDocument, SparseFileBeyondThirtyTwoBits) {
    if (test::kWindows) {
        GTEST_SKIP() << "NTFS makes no holes unless asked: 3 GiB would be written";
    }
    test::TempDir dir;
    const std::string path = dir.File("sparse.xml");
    const std::string tail = test::CrLf(
        {"<CgPoints name=\"Far\">", "<CgPoint name=\"1\">1 2 3</CgPoint>", "</CgPoints>"});
    const std::streamoff offset = std::streamoff{3} << 30;
    {
        // Data, a hole, data, a hole, and the group at the end.
        std::ofstream out(path, std::ios::binary);
        out << "<A>\r\n";
        out.seekp(offset / 2) << "<B>\r\n";
        out.seekp(offset) << tail;
        ASSERT_TRUE(out.flush());
    }
    test::ScannedDocument s("");
    ASSERT_EQ(s.document.Open(path).status, OpenStatus::Opened);
    ScanDocument(s.document, s.catalogue, s.ui);
    ASSERT_EQ(s.catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(s.catalogue.PointGroups()[0].position, static_cast<std::uint64_t>(offset) + 21);
    EXPECT_EQ(ReadPointGroup(s.Context(), "Far").points, Names{"1,1,2,3,"});
}

}  // namespace
}  // namespace chainforge
