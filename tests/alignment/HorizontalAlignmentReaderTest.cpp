#include "alignment/HorizontalAlignmentReader.h"

#include <gtest/gtest.h>

#include "points/ScannedDocument.h"

namespace chainforge {
namespace {

using test::LandXml;
using test::ScannedDocument;

const std::string kSpiralMessage = "Spiral Detected and Ignored.  This has not been finished";

// An alignment "Road" starting at station 1000 whose CoordGeom holds the
// given lines.
std::string RoadDocument(
    const std::vector<std::string>& geometry,
    const std::string& alignmentTag = "<Alignment name=\"Road\" staStart=\"1000\">") {
    std::vector<std::string> body{"<Alignments name=\"all\">", alignmentTag, "<CoordGeom>"};
    body.insert(body.end(), geometry.begin(), geometry.end());
    body.insert(body.end(), {"</CoordGeom>", "</Alignment>", "</Alignments>"});
    return LandXml(body);
}

struct Converted {
    std::string text;
    PointList points;
    std::vector<std::string> messages;
};

Converted ConvertDocument(const std::string& document, PointList points = {},
                          const std::string& name = "Road") {
    ScannedDocument scanned(document);
    Converted result{"", std::move(points), {}};
    bool spiralWarning = false;
    ReadHorizontalAlignment(scanned.document, scanned.catalogue, scanned.ui, spiralWarning,
                            result.points, name, result.text);
    result.messages = scanned.ui.Messages();
    return result;
}

Converted Convert(const std::vector<std::string>& geometry, PointList points = {}) {
    return ConvertDocument(RoadDocument(geometry), std::move(points));
}

const std::vector<std::string> kLineCurveLine{
    "<Line dir=\"0\" length=\"50\">",
    "<Start>100 200</Start>",
    "<End>150 200</End>",
    "</Line>",
    "<Curve rot=\"ccw\" radius=\"50\">",
    "<Start>150 200</Start>",
    "<Center>150 250</Center>",
    "<End>200 250</End>",
    "<PI>200 200</PI>",
    "</Curve>",
    "<Line>",
    "<Start>200 250</Start>",
    "<End>300 250</End>",
    "</Line>",
};

TEST(ReadHorizontalAlignment, WritesLinesAndCurvesAsPointNumbers) {
    const Converted result = Convert(kLineCurveLine);
    EXPECT_EQ(result.text, "1 1000.000000 \"2 3 4\" 5 ");
    EXPECT_EQ(result.points, (PointList{
                                 "1,100.000000,200.000000,0,PI",
                                 "2,150.000000,200.000000,0,PI",
                                 "3,150.000000,250.000000,0,RP",
                                 "4,200.000000,250.000000,0,PT",
                                 "5,300.000000,250.000000,0,PI",
                             }));
    EXPECT_TRUE(result.messages.empty());
}

TEST(ReadHorizontalAlignment, WritesTheSameNumbersInAnyLocale) {
    test::CommaDecimalLocale locale;
    const Converted result = Convert(kLineCurveLine);
    EXPECT_EQ(result.text, "1 1000.000000 \"2 3 4\" 5 ");
    EXPECT_EQ(result.points[0], "1,100.000000,200.000000,0,PI");
}

TEST(ReadHorizontalAlignment, AppendsToTheTextItIsHanded) {
    ScannedDocument scanned(
        RoadDocument({"<Line>", "<Start>1 2</Start>", "<End>3 4</End>", "</Line>"}));
    PointList points;
    std::string text = "earlier ";
    bool spiralWarning = false;
    ReadHorizontalAlignment(scanned.document, scanned.catalogue, scanned.ui, spiralWarning, points,
                            "Road", text);
    EXPECT_EQ(text, "earlier 1 1000.000000 2 ");
}

TEST(ReadHorizontalAlignment, NumbersNewPointsAboveEveryNumberInTheList) {
    PointList points;
    for (int n = 99; n >= 1; --n) {
        points.push_back(std::to_string(n) + ",0," + std::to_string(n) + ",0,");
    }
    const Converted result =
        Convert({"<Line>", "<Start>100 200</Start>", "<End>150 200</End>", "</Line>"}, points);
    EXPECT_EQ(result.text, "100 1000.000000 101 ");
    ASSERT_EQ(result.points.size(), 101u);
    EXPECT_EQ(result.points[99], "100,100.000000,200.000000,0,PI");
    EXPECT_EQ(result.points[100], "101,150.000000,200.000000,0,PI");
}

TEST(ReadHorizontalAlignment, NumbersWithSixtyFourBits) {
    const Converted result =
        Convert({"<Line>", "<Start>100 200</Start>", "<End>150 200</End>", "</Line>"},
                {"9000000000,1,1,0,", "100,150,200,0,"});
    EXPECT_EQ(result.text, "9000000001 1000.000000 100 ");
    EXPECT_EQ(result.points.back(), "9000000001,100.000000,200.000000,0,PI");
}

// Within 0.0001 on both coordinates, compared as six-decimal text, a vertex
// is the point already there; 0.0002 off on either it is a new one.
TEST(ReadHorizontalAlignment, ReusesPointsWithinTolerance) {
    const PointList list{"7,1000.0001,2000.0001,5,A", "8,3000.0002,4000,5,B",
                         "9,5000,6000.0002,5,C", "4,2000.0001004,8000,5,D"};
    const Converted result =
        Convert({"<Line>", "<Start>1000 2000</Start>", "<End>3000 4000</End>", "</Line>", "<Line>",
                 "<Start>3000 4000</Start>", "<End>5000 6000</End>", "</Line>", "<Line>",
                 "<Start>5000 6000</Start>", "<End>2000 8000</End>", "</Line>"},
                list);
    EXPECT_EQ(result.text, "7 1000.000000 10 11 4 ");
    EXPECT_EQ(result.points,
              (PointList{list[0], list[1], list[2], list[3], "10,3000.000000,4000.000000,0,PI",
                         "11,5000.000000,6000.000000,0,PI"}));
}

TEST(ReadHorizontalAlignment, TakesTheFirstMatchingPointInListOrder) {
    const Converted result =
        Convert({"<Line>", "<Start>10 10</Start>", "<End>20 20</End>", "</Line>"},
                {"40,10,10,0,", "30,10,10,0,", "50,10.00005,10,0,"});
    EXPECT_EQ(result.text, "40 1000.000000 51 ");
}

// Points named with letters, or whose coordinates are not numbers, neither
// match a vertex nor count for numbering.
TEST(ReadHorizontalAlignment, PassesOverPointsWithoutNumberAndCoordinates) {
    const Converted result =
        Convert({"<Line>", "<Start>100 200</Start>", "<End>150 200</End>", "</Line>"},
                {"CP1,100,200,0,", "7A,150,200,0,", "7.5,150,200,0,", "60,abc,200,0,", "61,150,",
                 "62,150,200x,0,", "70", "12,900,900,0,"});
    EXPECT_EQ(result.text, "13 1000.000000 14 ");
    EXPECT_EQ(result.points.size(), 10u);
}

TEST(ReadHorizontalAlignment, MatchesAPointNumberedMinusOne) {
    const Converted result = Convert(
        {"<Line>", "<Start>100 200</Start>", "<End>150 200</End>", "</Line>"}, {"-1,100,200,0,"});
    EXPECT_EQ(result.text, "-1 1000.000000 1 ");
}

TEST(ReadHorizontalAlignment, NeverRepeatsTheNumberWhereTangentsMeet) {
    const Converted result =
        Convert({"<Line>", "<Start>10 10</Start>", "<End>20 10</End>", "</Line>", "<Line>",
                 "<Start>20 10</Start>", "<End>30 10</End>", "</Line>"});
    EXPECT_EQ(result.text, "1 1000.000000 2 3 ");
    EXPECT_EQ(result.points.size(), 3u);
}

TEST(ReadHorizontalAlignment, WritesTheSharedPointOfTwoCurvesTwice) {
    const Converted result =
        Convert({"<Curve>", "<Start>10 10</Start>", "<Center>10 20</Center>", "<End>20 20</End>",
                 "</Curve>", "<Curve>", "<Start>20 20</Start>", "<Center>30 20</Center>",
                 "<End>30 30</End>", "</Curve>"});
    EXPECT_EQ(result.text, "\"1 1000.000000 2 3\" \"3 4 5\" ");
    EXPECT_EQ(result.points, (PointList{"1,10.000000,10.000000,0,PC", "2,10.000000,20.000000,0,RP",
                                        "3,20.000000,20.000000,0,PT", "4,30.000000,20.000000,0,RP",
                                        "5,30.000000,30.000000,0,PT"}));
}

TEST(ReadHorizontalAlignment, IgnoresSpiralsAndWarnsOnceWhileTheFlagIsSet) {
    const std::string document = RoadDocument(
        {"<Line>", "<Start>10 10</Start>", "<End>20 10</End>", "</Line>", "<Spiral length=\"5\">",
         "<Start>20 10</Start>", "<PI>30 10</PI>", "<End>40 20</End>", "</Spiral>", "<Spiral>",
         "</Spiral>", "<Curve>", "<Start>40 20</Start>", "<Center>40 40</Center>",
         "<End>60 40</End>", "</Curve>"});
    ScannedDocument scanned(document);
    bool spiralWarning = true;
    for (int run = 0; run < 2; ++run) {
        PointList points;
        std::string text;
        ReadHorizontalAlignment(scanned.document, scanned.catalogue, scanned.ui, spiralWarning,
                                points, "Road", text);
        EXPECT_EQ(text, "1 1000.000000 2 \"3 4 5\" ");
        EXPECT_EQ(points.size(), 5u);
    }
    EXPECT_FALSE(spiralWarning);
    EXPECT_EQ(scanned.ui.Messages(), std::vector<std::string>{kSpiralMessage});
}

TEST(ReadHorizontalAlignment, FollowsTheOrderOfACurvesLines) {
    const Converted result = Convert({"<Curve>", "<Start>10 10</Start>", "<End>20 20</End>",
                                      "<Center>10 20</Center>", "</Curve>"});
    EXPECT_EQ(result.text, "\"1 1000.000000 2\" 3 ");
    EXPECT_EQ(result.points, (PointList{"1,10.000000,10.000000,0,PC", "2,20.000000,20.000000,0,PT",
                                        "3,10.000000,20.000000,0,RP"}));
}

// A curve that starts on a zero-length first line keeps the start station.
TEST(ReadHorizontalAlignment, OpensACurveAtTheFirstEntryWithTheStation) {
    const Converted result =
        Convert({"<Line>", "<Start>10 10</Start>", "<End>10 10</End>", "</Line>", "<Curve>",
                 "<Start>10 10</Start>", "<Center>10 20</Center>", "<End>20 20</End>", "</Curve>"});
    EXPECT_EQ(result.text, "\"1 1000.000000 2 3\" ");
    EXPECT_EQ(result.points.size(), 3u);
}

TEST(ReadHorizontalAlignment, ReportsAnAlignmentNotInTheCatalogue) {
    const Converted result =
        ConvertDocument(RoadDocument({"<Line>", "<Start>1 2</Start>", "<End>3 4</End>", "</Line>"}),
                        {"1,2,3,4,"}, "road");
    EXPECT_EQ(result.messages, std::vector<std::string>{"Error: Alignment Cannot be found"});
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(result.points, PointList{"1,2,3,4,"});
}

TEST(ReadHorizontalAlignment, WritesTheStartStationAsTheCatalogueHoldsIt) {
    const std::vector<std::string> line{"<Line>", "<Start>1 2</Start>", "<End>3 4</End>",
                                        "</Line>"};
    EXPECT_EQ(
        ConvertDocument(RoadDocument(line, "<Alignment name=\"Road\" staStart=\"12345.678\">"))
            .text,
        "1 12345.700000 2 ");
    EXPECT_EQ(ConvertDocument(RoadDocument(line, "<Alignment name=\"Road\">")).text,
              "1 0.000000 2 ");
}

// A vertex that only refers to a point, or whose text is not numbers,
// stands at 0, 0; a missing second number is 0.
TEST(ReadHorizontalAlignment, PutsVerticesWithoutCoordinatesAtZero) {
    const Converted result =
        Convert({"<Line>", "<Start pntRef=\"5\"/>", "<End>abc def</End>", "</Line>", "<Line>",
                 "<Start>5</Start>", "<End>7 8</End>", "</Line>"});
    EXPECT_EQ(result.text, "1 1000.000000 2 3 ");
    EXPECT_EQ(result.points, (PointList{"1,0.000000,0.000000,0,PI", "2,5.000000,0.000000,0,PI",
                                        "3,7.000000,8.000000,0,PI"}));
}

TEST(ReadHorizontalAlignment, KeepsWhatItReadWhenTheDocumentEnds) {
    const std::string document =
        test::CrLf({"<LandXML version=\"1.1\">", "<Alignments>", "<Alignment name=\"Road\">",
                    "<CoordGeom>", "<Line>", "<Start>1 2</Start>", "<End>3 4</End>"}) +
        "<End>5 6</End>";
    const Converted result = ConvertDocument(document);
    EXPECT_EQ(result.text, "1 0.000000 2 ");
    EXPECT_EQ(result.points.size(), 2u);
    const std::string cut =
        test::CrLf({"<LandXML version=\"1.1\">", "<Alignments>", "<Alignment name=\"Road\">",
                    "<CoordGeom>", "<Line>", "<Start>1 2", "<End>3 4"});
    EXPECT_EQ(ConvertDocument(cut).text, "1 0.000000 2 ");
}

// An alignment without geometry of its own does not take the next one's.
TEST(ReadHorizontalAlignment, StopsAtTheEndOfTheAlignment) {
    const std::string document = LandXml({
        "<Alignments>",
        "<Alignment name=\"Bare\">",
        "<Profile name=\"P\"><ProfAlign name=\"FG\"><PVI>0 10</PVI></ProfAlign></Profile>",
        "</Alignment>",
        "<Alignment name=\"Empty\"/>",
        "<Alignment name=\"Road\">",
        "<CoordGeom>",
        "<Line>",
        "<Start>1 2</Start>",
        "<End>3 4</End>",
        "</Line>",
        "</CoordGeom>",
        "</Alignment>",
        "</Alignments>",
    });
    EXPECT_EQ(ConvertDocument(document, {}, "Bare").text, "");
    EXPECT_EQ(ConvertDocument(document, {}, "Empty").text, "");
    EXPECT_EQ(ConvertDocument(document, {}, "Road").text, "1 0.000000 2 ");
}

TEST(ReadHorizontalAlignment, ReadsVertexTextAcrossLineBreaks) {
    const Converted result = Convert({
        "<Line>",
        "<Start code=\"POB\">",
        "100 200",
        "</Start>",
        "<End>",
        "\t150  200 ",
        "</End>",
        "</Line>",
        "<Curve>",
        "<Start>150 200</Start>",
        "<Center>",
        "  150 250",
        "</Center>",
        "<End>200 250</End>",
        "</Curve>",
    });
    EXPECT_EQ(result.text, "1 1000.000000 \"2 3 4\" ");
    EXPECT_EQ(result.points[0], "1,100.000000,200.000000,0,PI");
    EXPECT_EQ(result.points[2], "3,150.000000,250.000000,0,RP");
}

// A vertex whose closing tag is missing ends at the Line's closing tag,
// which still ends the Line.
TEST(ReadHorizontalAlignment, EndsTheLineWhereAnUnclosedVertexEnds) {
    const Converted result =
        Convert({"<Line>", "<Start>100 200</Start>", "<End>150 200", "</Line>", "<Spiral>",
                 "<Start>150 200</Start>", "<End>170 220</End>", "</Spiral>"});
    EXPECT_EQ(result.text, "1 1000.000000 2 ");
}

TEST(ReadHorizontalAlignment, IgnoresOtherChildrenOfALine) {
    const Converted result = Convert({
        "<Line>",
        "<Start>100 200</Start>",
        "<Feature code=\"x\">",
        "<Property label=\"a\" value=\"1\"/>",
        "</Feature>",
        "<End>150 200</End>",
        "</Line>",
    });
    EXPECT_EQ(result.text, "1 1000.000000 2 ");
    EXPECT_EQ(result.points.size(), 2u);
}

TEST(SamePosition, ComparesBothCoordinatesWithinOneTenThousandth) {
    EXPECT_TRUE(SamePosition("1000.000100 2000.000100", "1000 2000"));
    EXPECT_TRUE(SamePosition("0.000100 -0.000100", "0 0"));
    EXPECT_FALSE(SamePosition("1000.000200 2000.000000", "1000 2000"));
    EXPECT_FALSE(SamePosition("1000.000000 2000.000200", "1000 2000"));
    EXPECT_TRUE(SamePosition("0 0", ""));
    EXPECT_TRUE(SamePosition("5", "5 0"));
}

}  // namespace
}  // namespace chainforge
