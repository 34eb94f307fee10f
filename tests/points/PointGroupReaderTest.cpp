#include "points/PointGroupReader.h"

#include <gtest/gtest.h>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;

struct GroupRead {
    PointList points;
    Lines messages;
    PointGroupReadCounts counts;
};

// The points of group "G" whose element lines are given, followed by a group "H".
GroupRead ReadGroup(const Lines& groupLines) {
    test::ScannedDocument scanned(
        test::LandXml(Lines{"<CgPoints name=\"G\">"} + groupLines +
                      Lines{"</CgPoints>", "<CgPoints name=\"H\">",
                            "<CgPoint name=\"9\">7 8 9</CgPoint>", "</CgPoints>"}));
    PointGroupRead read = ReadPointGroup(scanned.Context(), "G");
    return {std::move(read.points), scanned.ui.Messages(), read.counts};
}

// The expected lines of a case: points, then "message: " lines and the
// counts ("left out: N", "changed: N"), 0 when not given.
GroupRead Expected(const Lines& lines) {
    GroupRead expected;
    for (const std::string& line : lines) {
        if (line.starts_with("message: ")) {
            expected.messages.push_back(line.substr(9));
        } else if (line.starts_with("left out: ")) {
            expected.counts.leftOut = std::stoll(line.substr(10));
        } else if (line.starts_with("changed: ")) {
            expected.counts.fieldsChanged = std::stoll(line.substr(9));
        } else {
            expected.points.push_back(line);
        }
    }
    return expected;
}

// data/tables/points.txt, and values of many thousand bytes.
TEST(ReadPointGroup, Table) {
    auto cases = test::ReadTable("points.txt");
    const std::string name(10000, 'n');
    const std::string value = "1." + std::string(20000, '5');
    cases.push_back({"long",
                     {"<CgPoint name=\"" + name + "\">" + value + " 1 2</CgPoint>"},
                     {name + "," + value + ",1,2,"}});
    for (const auto& c : cases) {
        const GroupRead read = ReadGroup(c.input);
        const GroupRead expected = Expected(c.expected);
        EXPECT_EQ(read.points, expected.points) << c.title;
        EXPECT_EQ(read.messages, expected.messages) << c.title;
        EXPECT_EQ(read.counts.leftOut, expected.counts.leftOut) << c.title;
        EXPECT_EQ(read.counts.fieldsChanged, expected.counts.fieldsChanged) << c.title;
        EXPECT_TRUE(read.counts.complete) << c.title;
    }
}

TEST(PointField, NoSeparatorOrLineEndLeft) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain text", "plain text"}, {"a,b", "a b"},     {"\"5\" pipe\"", "5 pipe"},
        {"x\r\ny", "x  y"},           {"x\ry\n", "x y "}, {"", ""},
    };
    for (const auto& [text, field] : cases) {
        bool changed = false;
        EXPECT_EQ(PointField(text, changed), field);
        EXPECT_EQ(changed, text != field) << text;
    }
}

// A cut-off file: no closing tag follows any of the points.
TEST(ReadPointGroup, ReadsUnclosedPointsEachFromItsLine) {
    Lines lines{"<LandXML version=\"1.1\">", "<CgPoints name=\"G\">"};
    for (int i = 1; i <= 20000; ++i) {
        lines.push_back("<CgPoint name=\"" + std::to_string(i) + "\">10 20 30");
    }
    test::ScannedDocument scanned(test::CrLf(lines));
    const PointGroupRead read = ReadPointGroup(scanned.Context(), "G");
    EXPECT_FALSE(read.counts.complete);
    ASSERT_EQ(read.points.size(), 20000u);
    EXPECT_EQ(read.points.back(), "20000,10,20,30,");
}

}  // namespace
}  // namespace chainforge
