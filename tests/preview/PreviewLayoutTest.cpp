#include "preview/PreviewLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <vector>

#include "preview/PositionGrid.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

std::vector<double> Numbers(const std::string& line) {
    std::istringstream in(line);
    std::vector<double> numbers;
    std::string word;
    while (in >> word) {
        numbers.push_back(std::strtod(word.c_str(), nullptr));
    }
    return numbers;
}

// An arc of radius 10 about (100, 200) from its start and sweep in degrees.
PreviewElement Arc(const std::string& line) {
    const std::vector<double> degrees = Numbers(line);
    PreviewElement arc;
    arc.arc = true;
    arc.centre = {100, 200};
    arc.radius = 10;
    arc.startAngle = degrees.at(0) * std::numbers::pi / 180;
    arc.sweep = degrees.at(1) * std::numbers::pi / 180;
    const double end = arc.startAngle + arc.sweep;
    arc.start = {100 + 10 * std::cos(arc.startAngle), 200 + 10 * std::sin(arc.startAngle)};
    arc.end = {100 + 10 * std::cos(end), 200 + 10 * std::sin(end)};
    return arc;
}

void ExpectExtent(const PreviewExtent& extent, const std::string& expected,
                  const std::string& where) {
    const std::vector<double> want = Numbers(expected);
    ASSERT_EQ(want.size(), 4u) << where;
    EXPECT_NEAR(extent.left, want[0], 1e-6) << where;
    EXPECT_NEAR(extent.bottom, want[1], 1e-6) << where;
    EXPECT_NEAR(extent.right, want[2], 1e-6) << where;
    EXPECT_NEAR(extent.top, want[3], 1e-6) << where;
}

std::string Label(const std::string& rule, const std::string& in) {
    const std::vector<double> numbers = Numbers(in);
    if (rule == "GradeLabel") {
        return GradeLabel(numbers.at(0));
    }
    if (rule == "StationLabel") {
        return StationLabel(numbers.at(0));
    }
    return GridLabel(numbers.at(0), numbers.at(1));
}

// data/tables/layout.txt
TEST(PreviewLayout, Table) {
    for (const auto& c : test::ReadTable("layout.txt")) {
        ASSERT_EQ(c.input.size(), c.expected.size()) << c.title;
        const std::string rule = c.title.substr(0, c.title.find(':'));
        for (std::size_t i = 0; i < c.input.size(); ++i) {
            const std::string& in = c.input[i];
            const std::string where = c.title + ": " + in;
            if (rule == "RoundStep" || rule == "RoundStepAbove") {
                const double near = Numbers(in).at(0);
                EXPECT_DOUBLE_EQ(rule == "RoundStep" ? RoundStep(near) : RoundStepAbove(near),
                                 Numbers(c.expected[i]).at(0))
                    << where;
            } else if (rule == "ElementExtent") {
                ExpectExtent(ElementExtent(Arc(in)), c.expected[i], where);
            } else if (rule == "SampledArcExtent") {
                ExpectExtent(SampledArcExtent(Arc(in)), c.expected[i], where);
            } else {
                EXPECT_EQ(Label(rule, in), c.expected[i]) << where;
            }
        }
    }
}

// Eight positions over 10 x 10 make cells of exactly 5: the positions at 5
// lie on cell borders, found from either side.
TEST(PositionGrid, NearestAcrossCellBorders) {
    const std::vector<PreviewPoint> points = {
        {"0", {0, 0}, 0}, {"1", {10, 10}, 0}, {"2", {5, 5}, 0}, {"3", {5, 2}, 0},
        {"4", {2, 5}, 0}, {"5", {8, 1}, 0},   {"6", {1, 8}, 0}, {"7", {9, 9}, 0},
    };
    CPositionGrid grid;
    grid.Build(points);
    ASSERT_FALSE(grid.Empty());
    struct Query {
        double x, y, radius;
        std::ptrdiff_t nearest;
    };
    // (13, 10) is exactly the radius from (10, 10), which counts as within.
    const Query queries[] = {
        {4.9, 2, 0.5, 3},   {5.1, 2, 0.5, 3}, {2, 4.95, 0.1, 4},  {4.8, 4.8, 0.5, 2},
        {5.4, 5.4, 0.6, 2}, {9.4, 9.4, 1, 7}, {10.5, 10.5, 1, 1}, {13, 10, 3, 1},
        {13.01, 10, 3, -1}, {20, 20, 5, -1},  {7, 3, 1, -1},
    };
    for (const Query& q : queries) {
        EXPECT_EQ(grid.Nearest(q.x, q.y, q.radius), q.nearest) << q.x << " " << q.y;
    }
    std::vector<std::uint32_t> seen;
    grid.ForEachIn(0, 0, 5, 5,
                   [&](std::uint32_t index, const PreviewXY&) { seen.push_back(index); });
    for (const std::uint32_t edge : {0u, 2u, 3u, 4u}) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), edge), seen.end()) << edge;
    }

    grid.Build(std::vector<PreviewPoint>{});
    EXPECT_TRUE(grid.Empty());
    EXPECT_EQ(grid.Nearest(5, 5, 100), -1);
    int visits = 0;
    grid.ForEachIn(-100, -100, 100, 100, [&](std::uint32_t, const PreviewXY&) { ++visits; });
    EXPECT_EQ(visits, 0);
}

}  // namespace
}  // namespace chainforge
