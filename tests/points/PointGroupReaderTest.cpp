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

// Element lines -> the points as the file has them: name, values, description.
TEST(ReadPointGroup, Table) {
    const std::string name(10000, 'n');
    const std::string value(20000, '5');
    const std::pair<Lines, PointList> cases[] = {
        {{"<CgPoint name=\"7\">5000.1 2000.2 100.3</CgPoint>",
          "<CgPoint name=\"8\" desc=\"IP, found\">5000.1000 2000.2 -0</CgPoint>",
          "<CgPoint name=\"9\" desc=\"\">1   2    3</CgPoint>"},
         {"7,5000.1,2000.2,100.3,", "8,5000.1000,2000.2,-0,IP, found", "9,1,2,3,"}},
        // The nameless get running numbers.
        {{"<CgPoint>1 2 3</CgPoint>", "<CgPoint name=\"\">4 5 6</CgPoint>",
          "<CgPoint name=\"1\">7 8 9</CgPoint>", "<CgPoint code=\"x\">10 11 12</CgPoint>"},
         {"1,1,2,3,", "2,4,5,6,", "1,7,8,9,", "3,10,11,12,"}},
        // The name attribute wherever it stands.
        {{"<CgPoint pntSurv=\"control\" name=\"1\" desc=\"BAR\">33268.2 32423.3 805.6</CgPoint>",
          "<CgPoint  name=\"A2\">1 2 3</CgPoint>",
          "<CgPoint\tcode=\"c\"\tname=\"A3\">1 2 3</CgPoint>",
          "<CgPoint pntName=\"X\">1 2 3</CgPoint>"},
         {"1,33268.2,32423.3,805.6,BAR", "A2,1,2,3,", "A3,1,2,3,", "1,1,2,3,"}},
        // Missing values stay empty; a point with none adds nothing.
        {{"<CgPoint name=\"1\">10 20 30</CgPoint>", "<CgPoint name=\"2\">40 50</CgPoint>",
          "<CgPoint name=\"3\">60</CgPoint>", "<CgPoint name=\"4\"/>",
          "<CgPoint name=\"5\"></CgPoint>", "<CgPoint name=\"6\">   </CgPoint>",
          "<CgPoint name=\"7\"> 10\t20  30 </CgPoint>"},
         {"1,10,20,30,", "2,40,50,,", "3,60,,,", "7,10,20,30,"}},
        // The group ends at its closing tag; a nested group's points count.
        {{}, {}},
        {{"<CgPoint name=\"1\">1 2 3</CgPoint></CgPoints>", "<CgPoint name=\"2\">1 2 3</CgPoint>"},
         {}},
        {{"<CgPoint name=\"1\">1 2 3</CgPoint>", "<CgPoints name=\"inner\">",
          "<CgPoint name=\"2\">4 5 6</CgPoint>", "</CgPoints>",
          "<CgPoint name=\"3\">7 8 9</CgPoint>"},
         {"1,1,2,3,", "2,4,5,6,"}},
        // Point text on the lines after the opening tag, closed or not.
        {{"<CgPoint name=\"1\" desc=\"POB\">", "\t\t5000.1 2000.2", "  100.3", "</CgPoint>",
          "<CgPoint name=\"2\">7 8 9</CgPoint>"},
         {"1,5000.1,2000.2,100.3,POB", "2,7,8,9,"}},
        {{"<CgPoint name=\"1\">", "1 2 3"}, {"1,1,2,3,"}},
        {{"<CgPoint name=\"" + name + "\">" + value + " 1 2</CgPoint>"},
         {name + "," + value + ",1,2,"}},
    };
    for (const auto& [lines, points] : cases) {
        EXPECT_EQ(ReadGroup(lines), points) << (lines.empty() ? "" : lines[0].substr(0, 50));
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
