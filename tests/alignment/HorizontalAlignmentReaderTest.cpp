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
    HorizontalReadCounts counts;
};

Converted Convert(const std::string& document, PointList points = {},
                  const std::string& name = "Road", bool spiralWarning = false) {
    test::ScannedDocument scanned(document);
    HorizontalRead read = ReadHorizontalAlignment(
        scanned.Context(), scanned.catalogue.FindAlignment(name), points, spiralWarning);
    points.insert(points.end(), read.addedPoints.begin(), read.addedPoints.end());
    return {std::move(read.horizontalControl), std::move(points), scanned.ui.Messages(),
            std::move(read.counts)};
}

// "KIND N" for each element left out for a number, "spiral: REASON" for each
// spiral left out.
Lines LeftOut(const HorizontalReadCounts& counts) {
    Lines leftOut;
    for (const auto& [element, count] : counts.leftOut.Counts()) {
        leftOut.push_back(element + " " + std::to_string(count));
    }
    for (const LeftOutSpiral& spiral : counts.spiralsLeftOut) {
        leftOut.push_back("spiral: " + spiral.reason);
    }
    return leftOut;
}

// data/tables/alignment.txt
TEST(ReadHorizontalAlignment, Table) {
    for (const auto& c : test::ReadTable("alignment.txt")) {
        Lines geometry;
        PointList points;
        for (const std::string& line : c.input) {
            (line.starts_with("point: ") ? points : geometry)
                .push_back(line.substr(line.starts_with("point: ") ? 7 : 0));
        }
        const Converted result = Convert(RoadDocument(geometry), points);
        EXPECT_EQ(result.text, c.expected.at(0)) << c.title;
        Lines listed;
        Lines messages;
        Lines leftOut;
        for (auto it = c.expected.begin() + 1; it != c.expected.end(); ++it) {
            if (it->starts_with("message: ")) {
                messages.push_back(it->substr(9));
            } else if (it->starts_with("left out: ")) {
                leftOut.push_back(it->substr(10));
            } else {
                listed.push_back(*it);
            }
        }
        EXPECT_EQ(result.messages, messages) << c.title;
        EXPECT_EQ(LeftOut(result.counts), leftOut) << c.title;
        if (!listed.empty()) {
            EXPECT_EQ(result.points, listed) << c.title;
        }
    }
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
         "1 12345.678000 2 "},
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

// The opening tag is line 4 of the file.
TEST(ReadHorizontalAlignment, AStationStartThatCannotBeConvertedLeavesTheAlignmentOut) {
    const std::pair<std::string, std::string> cases[] = {
        {"1e309", "Alignment at line 4: staStart '1e309' is too large"},
        {"-1e15", "Alignment at line 4: staStart '-1e15' is too large"},
        {"nan", "Alignment at line 4: staStart 'nan' is not a number"},
        {"1,5", "Alignment at line 4: staStart '1,5' is not a number"},
        {"", "Alignment at line 4: staStart '' is not a number"},
    };
    for (const auto& [station, message] : cases) {
        const Converted result =
            Convert(RoadDocument(Line("1 2", "3 4"),
                                 "<Alignment name=\"Road\" staStart=\"" + station + "\">"),
                    {"7,1,1,1,"});
        EXPECT_EQ(result.text, "") << station;
        EXPECT_EQ(result.points, PointList{"7,1,1,1,"}) << station;
        EXPECT_EQ(result.messages, Lines{message});
        EXPECT_EQ(LeftOut(result.counts), Lines{"Alignment 1"}) << station;
    }
    for (const auto& [station, text] :
         {std::pair{" +12.5 ", "1 12.500000 2 "}, std::pair{"150.", "1 150.000000 2 "},
          std::pair{"-.5e1", "1 -5.000000 2 "}}) {
        const Converted result =
            Convert(RoadDocument(Line("1 2", "3 4"), "<Alignment name=\"Road\" staStart=\"" +
                                                         std::string(station) + "\">"));
        EXPECT_EQ(result.text, text);
        EXPECT_TRUE(result.messages.empty()) << station;
    }
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
