#include "points/PointGroupReader.h"

#include <gtest/gtest.h>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;

// The points of group "G" whose element lines are given, followed by a group "H".
PointList ReadGroup(const Lines& groupLines) {
    test::ScannedDocument scanned(
        test::LandXml(Lines{"<CgPoints name=\"G\">"} + groupLines +
                      Lines{"</CgPoints>", "<CgPoints name=\"H\">",
                            "<CgPoint name=\"9\">7 8 9</CgPoint>", "</CgPoints>"}));
    PointList points;
    ReadPointGroup(scanned.document, scanned.catalogue, "G", points);
    return points;
}

// data/tables/points.txt, and values of many thousand bytes.
TEST(ReadPointGroup, Table) {
    auto cases = test::ReadTable("points.txt");
    const std::string name(10000, 'n');
    const std::string value(20000, '5');
    cases.push_back({"long",
                     {"<CgPoint name=\"" + name + "\">" + value + " 1 2</CgPoint>"},
                     {name + "," + value + ",1,2,"}});
    for (const auto& c : cases) {
        EXPECT_EQ(ReadGroup(c.input), c.expected) << c.title;
    }
}

// A cut-off file: no closing tag follows any of the points.
TEST(ReadPointGroup, ReadsUnclosedPointsEachFromItsLine) {
    Lines lines{"<LandXML version=\"1.1\">", "<CgPoints name=\"G\">"};
    for (int i = 1; i <= 20000; ++i) {
        lines.push_back("<CgPoint name=\"" + std::to_string(i) + "\">10 20 30");
    }
    test::ScannedDocument scanned(test::CrLf(lines));
    PointList points;
    ReadPointGroup(scanned.document, scanned.catalogue, "G", points);
    ASSERT_EQ(points.size(), 20000u);
    EXPECT_EQ(points.back(), "20000,10,20,30,");
}

}  // namespace
}  // namespace chainforge
