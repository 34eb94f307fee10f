#include "points/PointGroupReader.h"

#include <gtest/gtest.h>

#include "points/ScannedDocument.h"

namespace chainforge {
namespace {

using test::LandXml;
using test::ScannedDocument;

// The points of group "G" whose element lines are given.
PointList ReadGroup(const std::vector<std::string>& groupLines) {
    std::vector<std::string> body{"<CgPoints name=\"G\">"};
    body.insert(body.end(), groupLines.begin(), groupLines.end());
    body.push_back("</CgPoints>");
    ScannedDocument scanned(LandXml(body));
    PointList points;
    ReadPointGroup(scanned.document, scanned.catalogue, "G", points);
    return points;
}

TEST(ReadPointGroup, WritesNameValuesAndDescriptionAsTheFileHasThem) {
    EXPECT_EQ(ReadGroup({
                  "<CgPoint name=\"7\">5000.1 2000.2 100.3</CgPoint>",
                  "<CgPoint name=\"8\" desc=\"IP, found\">5000.1000 2000.2 -0</CgPoint>",
                  "<CgPoint name=\"9\" desc=\"\">1   2    3</CgPoint>",
              }),
              (PointList{"7,5000.1,2000.2,100.3,", "8,5000.1000,2000.2,-0,IP, found", "9,1,2,3,"}));
}

TEST(ReadPointGroup, NamesTheNamelessWithRunningNumbers) {
    EXPECT_EQ(ReadGroup({
                  "<CgPoint>1 2 3</CgPoint>",
                  "<CgPoint name=\"\">4 5 6</CgPoint>",
                  "<CgPoint name=\"1\">7 8 9</CgPoint>",
                  "<CgPoint code=\"x\">10 11 12</CgPoint>",
              }),
              (PointList{"1,1,2,3,", "2,4,5,6,", "1,7,8,9,", "3,10,11,12,"}));
}

// A name attribute counts wherever it stands among the attributes.
TEST(ReadPointGroup, TakesTheNameAttributeAfterOtherAttributes) {
    EXPECT_EQ(
        ReadGroup({
            "<CgPoint pntSurv=\"control\" name=\"1\" desc=\"BAR\">33268.2 32423.3 805.6</CgPoint>",
            "<CgPoint  name=\"A2\">1 2 3</CgPoint>",
            "<CgPoint\tcode=\"c\"\tname=\"A3\">1 2 3</CgPoint>",
            "<CgPoint pntName=\"X\">1 2 3</CgPoint>",
        }),
        (PointList{"1,33268.2,32423.3,805.6,BAR", "A2,1,2,3,", "A3,1,2,3,", "1,1,2,3,"}));
}

// Missing values stay empty; a point with none adds nothing.
TEST(ReadPointGroup, LeavesMissingValuesEmpty) {
    EXPECT_EQ(ReadGroup({
                  "<CgPoint name=\"1\">10 20 30</CgPoint>",
                  "<CgPoint name=\"2\">40 50</CgPoint>",
                  "<CgPoint name=\"3\">60</CgPoint>",
                  "<CgPoint name=\"4\"/>",
                  "<CgPoint name=\"5\"></CgPoint>",
                  "<CgPoint name=\"6\">   </CgPoint>",
                  "<CgPoint name=\"7\"> 10\t20  30 </CgPoint>",
              }),
              (PointList{"1,10,20,30,", "2,40,50,,", "3,60,,,", "7,10,20,30,"}));
}

TEST(ReadPointGroup, StopsAtTheGroupsClosingTag) {
    EXPECT_EQ(ReadGroup({}), PointList{});
    EXPECT_EQ(ReadGroup({"<CgPoint name=\"1\">1 2 3</CgPoint></CgPoints>",
                         "<CgPoint name=\"2\">1 2 3</CgPoint>"}),
              PointList{});
    EXPECT_EQ(ReadGroup({"<CgPoint name=\"1\">1 2 3</CgPoint>", "<CgPoints name=\"inner\">",
                         "<CgPoint name=\"2\">4 5 6</CgPoint>", "</CgPoints>",
                         "<CgPoint name=\"3\">7 8 9</CgPoint>"}),
              (PointList{"1,1,2,3,", "2,4,5,6,"}));
}

// A point whose text stands on the lines after its opening tag.
TEST(ReadPointGroup, ReadsPointTextAcrossLineBreaks) {
    EXPECT_EQ(ReadGroup({
                  "<CgPoint name=\"1\" desc=\"POB\">",
                  "\t\t5000.1 2000.2",
                  "  100.3",
                  "</CgPoint>",
                  "<CgPoint name=\"2\">7 8 9</CgPoint>",
              }),
              (PointList{"1,5000.1,2000.2,100.3,POB", "2,7,8,9,"}));
}

TEST(ReadPointGroup, EndsAtTheGroupWhenAContinuedPointIsNotClosed) {
    std::vector<std::string> body{"<CgPoints name=\"G\">",
                                  "<CgPoint name=\"1\">",
                                  "1 2 3",
                                  "</CgPoints>",
                                  "<CgPoints name=\"H\">",
                                  "<CgPoint name=\"9\">7 8 9</CgPoint>",
                                  "</CgPoints>"};
    ScannedDocument scanned(LandXml(body));
    PointList points;
    ReadPointGroup(scanned.document, scanned.catalogue, "G", points);
    EXPECT_EQ(points, (PointList{"1,1,2,3,"}));
}

// A cut-off file: no closing tag follows any of the points.
TEST(ReadPointGroup, ReadsUnclosedPointsEachFromItsLine) {
    std::vector<std::string> lines{"<LandXML version=\"1.1\">", "<CgPoints name=\"G\">"};
    for (int i = 1; i <= 20000; ++i) {
        lines.push_back("<CgPoint name=\"" + std::to_string(i) + "\">10 20 30");
    }
    ScannedDocument scanned(test::CrLf(lines));
    PointList points;
    ReadPointGroup(scanned.document, scanned.catalogue, "G", points);
    ASSERT_EQ(points.size(), 20000u);
    EXPECT_EQ(points.front(), "1,10,20,30,");
    EXPECT_EQ(points.back(), "20000,10,20,30,");
}

TEST(ReadPointGroup, KeepsVeryLongValuesWhole) {
    const std::string name(10000, 'n');
    const std::string value(20000, '5');
    EXPECT_EQ(ReadGroup({"<CgPoint name=\"" + name + "\">" + value + " 1 2</CgPoint>"}),
              (PointList{name + "," + value + ",1,2,"}));
}

}  // namespace
}  // namespace chainforge
