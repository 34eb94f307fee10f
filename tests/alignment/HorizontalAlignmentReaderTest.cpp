#include "alignment/HorizontalAlignmentReader.h"

#include <gtest/gtest.h>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;

Lines Line(const std::string& start, const std::string& end) {
    return {"<Line>", "<Start>" + start + "</Start>", "<End>" + end + "</End>", "</Line>"};
}

Lines Curve(const std::string& start, const std::string& center, const std::string& end) {
    return {"<Curve rot=\"cw\">",
            "<Start>" + start + "</Start>",
            "<Center>" + center + "</Center>",
            "<End>" + end + "</End>",
            "<PI>0 0</PI>",
            "</Curve>"};
}

// An alignment "Road" whose CoordGeom holds the given lines.
std::string RoadDocument(const Lines& geometry,
                         const std::string& tag = "<Alignment name=\"Road\" staStart=\"1000\">") {
    return test::LandXml(Lines{"<Alignments name=\"all\">", tag, "<CoordGeom>"} + geometry +
                         Lines{"</CoordGeom>", "</Alignment>", "</Alignments>"});
}

struct Converted {
    std::string text;
    PointList points;
    std::vector<std::string> messages;
};

Converted Convert(const std::string& document, PointList points = {},
                  const std::string& name = "Road", bool spiralWarning = false) {
    test::ScannedDocument scanned(document);
    Converted result{"earlier ", std::move(points), {}};
    ReadHorizontalAlignment(scanned.document, scanned.catalogue, scanned.ui, spiralWarning,
                            result.points, name, result.text);
    result.text.erase(0, 8);
    result.messages = scanned.ui.Messages();
    return result;
}

TEST(ReadHorizontalAlignment, WritesLinesAndCurvesAsPointNumbers) {
    test::CommaDecimalLocale locale;
    const Converted result =
        Convert(RoadDocument(Line("100 200", "150 200") + Curve("150 200", "150 250", "200 250") +
                             Line("200 250", "300 250")));
    EXPECT_EQ(result.text, "1 1000.000000 \"2 3 4\" 5 ");
    EXPECT_EQ(result.points,
              (PointList{"1,100.000000,200.000000,0,PI", "2,150.000000,200.000000,0,PI",
                         "3,150.000000,250.000000,0,RP", "4,200.000000,250.000000,0,PT",
                         "5,300.000000,250.000000,0,PI"}));
    EXPECT_TRUE(result.messages.empty());
}

struct TextCase {
    const char* what;
    Lines geometry;
    PointList points;
    std::string text;
};

PointList NumberedOneTo99() {
    PointList points;
    for (int n = 99; n >= 1; --n) {
        points.push_back(std::to_string(n) + ",0," + std::to_string(n) + ",0,");
    }
    return points;
}

// Geometry and the points so far -> the horizontal control text.
TEST(ReadHorizontalAlignment, Table) {
    const TextCase cases[] = {
        {"tangents meeting",
         Line("10 10", "20 10") + Line("20 10", "30 10"),
         {},
         "1 1000.000000 2 3 "},
        {"a curve first, and two curves sharing a point",
         Curve("10 10", "10 20", "20 20") + Curve("20 20", "30 20", "30 30"),
         {},
         "\"1 1000.000000 2 3\" \"3 4 5\" "},
        {"End before Center",
         {"<Curve>", "<Start>10 10</Start>", "<End>20 20</End>", "<Center>10 20</Center>",
          "</Curve>"},
         {},
         "\"1 1000.000000 2\" 3 "},
        {"a curve on a zero-length first line keeps the station",
         Line("10 10", "10 10") + Curve("10 10", "10 20", "20 20"),
         {},
         "\"1 1000.000000 2 3\" "},
        {"new numbers above the list's", Line("100 200", "150 200"), NumberedOneTo99(),
         "100 1000.000000 101 "},
        {"64-bit numbers",
         Line("100 200", "150 200"),
         {"9000000000,1,1,0,", "100,150,200,0,"},
         "9000000001 1000.000000 100 "},
        {"within 0.0001 as six-decimal text, not 0.0002",
         Line("1000 2000", "3000 4000") + Line("3000 4000", "5000 6000") +
             Line("5000 6000", "2000 8000"),
         {"7,1000.0001,2000.0001,5,A", "8,3000.0002,4000,5,B", "9,5000,6000.0002,5,C",
          "4,2000.0001004,8000,5,D"},
         "7 1000.000000 10 11 4 "},
        {"the first match in list order",
         Line("10 10", "20 20"),
         {"40,10,10,0,", "30,10,10,0,", "50,10.00005,10,0,"},
         "40 1000.000000 51 "},
        {"points without a whole number and two numbers pass over",
         Line("100 200", "150 200"),
         {"CP1,100,200,0,", "7A,150,200,0,", "7.5,150,200,0,", "60,abc,200,0,", "61,150,",
          "62,150,200x,0,", "70", "12,900,900,0,"},
         "13 1000.000000 14 "},
        {"a point numbered -1", Line("100 200", "150 200"), {"-1,100,200,0,"}, "-1 1000.000000 1 "},
        {"other children of a Line",
         {"<Line>", "<Start>100 200</Start>", "<Feature code=\"x\">",
          "<Property label=\"a\" value=\"1\"/>", "</Feature>", "<End>150 200</End>", "</Line>"},
         {},
         "1 1000.000000 2 "},
        {"vertex text across line breaks",
         {"<Line>", "<Start code=\"POB\">", "100 200", "</Start>", "<End>", "\t150  200 ", "</End>",
          "</Line>", "<Curve>", "<Start>150 200</Start>", "<Center>", "  150 250", "</Center>",
          "<End>200 250</End>", "</Curve>"},
         {},
         "1 1000.000000 \"2 3 4\" "},
        {"an unclosed vertex ends at the Line's closing tag",
         {"<Line>", "<Start>100 200</Start>", "<End>150 200", "</Line>", "<Spiral>",
          "<Start>150 200</Start>", "<End>170 220</End>", "</Spiral>"},
         {},
         "1 1000.000000 2 "},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(Convert(RoadDocument(c.geometry), c.points).text, c.text) << c.what;
    }
    // A vertex only referring to a point, or not numbers, stands at 0, 0.
    const Converted zero =
        Convert(RoadDocument({"<Line>", "<Start pntRef=\"5\"/>", "<End>abc def</End>", "</Line>",
                              "<Line>", "<Start>5</Start>", "<End>7 8</End>", "</Line>"}));
    EXPECT_EQ(zero.text, "1 1000.000000 2 3 ");
    EXPECT_EQ(zero.points, (PointList{"1,0.000000,0.000000,0,PI", "2,5.000000,0.000000,0,PI",
                                      "3,7.000000,8.000000,0,PI"}));
}

TEST(ReadHorizontalAlignment, SpiralsAreIgnoredWithAWarningWhileTheFlagIsSet) {
    const std::string document =
        RoadDocument(Line("10 10", "20 10") +
                     Lines{"<Spiral length=\"5\">", "<Start>20 10</Start>", "<PI>30 10</PI>",
                           "<End>40 20</End>", "</Spiral>", "<Spiral>", "</Spiral>"} +
                     Curve("40 20", "40 40", "60 40"));
    for (const bool warn : {true, false}) {
        const Converted result = Convert(document, {}, "Road", warn);
        EXPECT_EQ(result.text, "1 1000.000000 2 \"3 4 5\" ");
        EXPECT_EQ(result.messages.size(), warn ? 1u : 0u);
    }
}

TEST(ReadHorizontalAlignment, NamesStationsAndTheEnds) {
    const Converted missing = Convert(RoadDocument(Line("1 2", "3 4")), {"1,2,3,4,"}, "road");
    EXPECT_EQ(missing.messages, Lines{"Error: Alignment Cannot be found"});
    EXPECT_EQ(missing.text, "");
    EXPECT_EQ(missing.points, PointList{"1,2,3,4,"});
    const std::pair<std::string, std::string> cases[] = {
        {RoadDocument(Line("1 2", "3 4"), "<Alignment name=\"Road\" staStart=\"12345.678\">"),
         "1 12345.700000 2 "},
        {RoadDocument(Line("1 2", "3 4"), "<Alignment name=\"Road\">"), "1 0.000000 2 "},
        // The document ends: what was read is kept.
        {test::CrLf({"<Alignments>", "<Alignment name=\"Road\">", "<CoordGeom>", "<Line>",
                     "<Start>1 2</Start>", "<End>3 4</End>"}) +
             "<End>5 6</End>",
         "1 0.000000 2 "},
        {test::CrLf({"<Alignments>", "<Alignment name=\"Road\">", "<CoordGeom>", "<Line>",
                     "<Start>1 2", "<End>3 4"}),
         "1 0.000000 2 "},
        // An alignment without geometry of its own does not take the next one's.
        {test::LandXml(Lines{"<Alignments>", "<Alignment name=\"Bare\">", "<Profile name=\"P\">",
                             "</Profile>", "</Alignment>", "<Alignment name=\"Empty\"/>",
                             "<Alignment name=\"Road\">", "<CoordGeom>"} +
                       Line("1 2", "3 4") + Lines{"</CoordGeom>", "</Alignment>", "</Alignments>"}),
         "1 0.000000 2 "},
    };
    for (const auto& [document, text] : cases) {
        EXPECT_EQ(Convert(document).text, text);
    }
    EXPECT_EQ(Convert(cases[4].first, {}, "Bare").text, "");
    EXPECT_EQ(Convert(cases[4].first, {}, "Empty").text, "");
}

TEST(SamePosition, BothCoordinatesWithinOneTenThousandth) {
    EXPECT_TRUE(SamePosition("1000.000100 2000.000100", "1000 2000"));
    EXPECT_TRUE(SamePosition("0.000100 -0.000100", "0 0"));
    EXPECT_FALSE(SamePosition("1000.000200 2000.000000", "1000 2000"));
    EXPECT_FALSE(SamePosition("1000.000000 2000.000200", "1000 2000"));
    EXPECT_TRUE(SamePosition("5", "5 0"));
}

}  // namespace
}  // namespace chainforge
