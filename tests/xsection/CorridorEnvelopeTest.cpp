#include "xsection/CorridorEnvelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace chainforge {
namespace {

using Points = std::vector<SectionPoint>;

CorridorShape Open(Points points) {
    return {std::move(points), false};
}

CorridorShape Closed(Points points) {
    return {std::move(points), true};
}

std::string Text(const Points& points) {
    std::ostringstream text;
    for (const SectionPoint& point : points) {
        text << " (" << point.offset << ", " << point.elevation << ")";
    }
    return text.str();
}

struct Case {
    const char* what;
    std::vector<CorridorShape> shapes;
    Points expected;
};

void ExpectOutlines(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Points surface = FinishedSurface(c.shapes);
        SCOPED_TRACE(std::string(c.what) + ":" + Text(surface));
        ASSERT_EQ(surface.size(), c.expected.size());
        for (std::size_t i = 0; i < surface.size(); ++i) {
            EXPECT_NEAR(surface[i].offset, c.expected[i].offset, 1e-12) << "point " << i;
            EXPECT_NEAR(surface[i].elevation, c.expected[i].elevation, 1e-12) << "point " << i;
        }
    }
}

TEST(FinishedSurface, HandWorkedOutlines) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::vector<Case> cases = {
        // The pavement's top edge passes (11.999, -0.23998), a hidden edge end, in one line.
        {"pavement, curb with a near-vertical face, daylight link beyond a gap",
         {Open({{0, 0}, {12, -0.24}, {11.999, -0.91}, {0, -0.67}, {0, 0}}),
          Closed({{12, -0.24}, {12.001, -0.09}, {12.5, -0.09}, {12.5, -0.91}, {11.999, -0.91}}),
          Open({{20.0417, 0.42}, {27.5795, -1.4645}})},
         {{0, 0},
          {12, -0.24},
          {12.001, -0.09},
          {12.5, -0.09},
          {20.0417, 0.42},
          {27.5795, -1.4645}}},
        // y = 1 - 0.2x meets y = 0.5x - 2.5 at 5 and y = 8 - x at 8.75.
        {"a shape poking above another",
         {Open({{0, 1}, {10, -1}}), Closed({{1, -2}, {7, 1}, {9, -1}})},
         {{0, 1}, {5, 0}, {7, 1}, {8.75, -0.75}, {10, -1}}},
        {"a vertical edge above both sides, steps with none or a lower one",
         {Open({{0, 0}, {4, 0}}), Open({{4, 1}, {8, 1}}), Open({{4, -0.5}, {4, 3}}),
          Open({{8, 0.5}, {10, 0.5}}), Open({{8, 0.7}, {8, 0.2}})},
         {{0, 0}, {4, 0}, {4, 3}, {4, 1}, {8, 1}, {8, 0.5}, {10, 0.5}}},
        {"a shape standing on another",
         {Open({{0, 0}, {10, 0}}), Open({{4, 1}, {6, 1}})},
         {{0, 0}, {4, 0}, {4, 1}, {6, 1}, {6, 0}, {10, 0}}},
        // On the line from (-1, -0.02) to (5, -0.1), offset 2 would be at -0.06.
        {"left and right shapes with a gap between",
         {Closed({{-6, -0.12}, {-1, -0.02}, {-1, -0.5}, {-6, -0.6}}),
          Open({{2, -0.04}, {5, -0.1}})},
         {{-6, -0.12}, {-1, -0.02}, {2, -0.04}, {5, -0.1}}},
        // All on y = -0.02x, offset -5 with 5e-10 to spare.
        {"points on one line dropped but near the centreline",
         {Open({{-10, 0.2},
                {-5, 0.1 + 5e-10},
                {-0.0002, 0.000004},
                {0, 0},
                {0.00005, -0.000001},
                {5, -0.1},
                {10, -0.2}})},
         {{-10, 0.2}, {0, 0}, {0.00005, -0.000001}, {10, -0.2}}},
        {"a bump of 3e-9 stays", {Open({{1, 0}, {2, 3e-9}, {3, 0}})}, {{1, 0}, {2, 3e-9}, {3, 0}}},
        {"a step of 5e-10 keeps both heights",
         {Open({{0, 0}, {4, 0}}), Open({{4, 5e-10}, {8, 5e-10}})},
         {{0, 0}, {4, 0}, {4, 5e-10}, {8, 5e-10}}},
        {"the closing edge on top", {Closed({{0, 0}, {4, -2}, {8, 0}})}, {{0, 0}, {8, 0}}},
        {"non-finite, lone and repeated points add nothing",
         {Open({{0, 0}, {kNaN, 3}, {2, kInfinity}, {4, 0}}), Open({{1, 5}}),
          Closed({{2, 7}, {2, 7}}), Open({})},
         {{0, 0}, {4, 0}}},
        {"no shapes", {}, {}},
    };
    ExpectOutlines(cases);
}

// Crossings between edge ends, found in the first, a middle and the last gap
// between ends, and with many edges on top in turn within one gap.
TEST(FinishedSurface, CrossingsTouchesAndTies) {
    const std::vector<Case> cases = {
        // y = 0.2x and y = 2 - 0.2x meet at (5, 1): one gap, the first and the last.
        {"two shapes crossing once",
         {Open({{0, 0}, {10, 2}}), Open({{0, 2}, {10, 0}})},
         {{0, 2}, {5, 1}, {10, 2}}},
        // y = 2 - 0.3x meets y = 1 at 10/3, between the ends 0 and 6.
        {"a crossing in the first gap only",
         {Open({{0, 1}, {6, 1}, {10, 0}}), Open({{0, 2}, {10, -1}})},
         {{0, 2}, {10.0 / 3.0, 1}, {6, 1}, {10, 0}}},
        // y = 0.3x - 1 meets y = 1 at 20/3, between the ends 4 and 10.
        {"a crossing in the last gap only",
         {Open({{0, 0}, {4, 1}, {10, 1}}), Open({{0, -1}, {10, 2}})},
         {{0, 0}, {4, 1}, {20.0 / 3.0, 1}, {10, 2}}},
        // The peak's sides y = (2x - 7) / 3 and y = (17 - 2x) / 3 cross 0 at 3.5 and 8.5.
        {"a shape above another only in the middle",
         {Open({{0, 0}, {10, 0}}), Open({{2, -1}, {5, 1}, {8, -1}})},
         {{0, 0}, {3.5, 0}, {5, 1}, {6.5, 0}, {10, 0}}},
        {"two shapes meeting at a shared vertex",
         {Open({{0, 2}, {5, 0}}), Open({{5, 0}, {10, 2}})},
         {{0, 2}, {5, 0}, {10, 2}}},
        {"a peak touching a line from below adds no point",
         {Open({{0, 1}, {10, 1}}), Open({{3, 0}, {5, 1}, {7, 0}})},
         {{0, 1}, {10, 1}}},
        {"a step down within one shape",
         {Open({{0, 2}, {4, 2}, {4, 0}, {8, 0}})},
         {{0, 2}, {4, 2}, {4, 0}, {8, 0}}},
        {"a vertical edge reaching between the two heights of a step adds nothing",
         {Open({{0, 0}, {4, 0}}), Open({{4, 2}, {8, 2}}), Open({{4, -1}, {4, 1}})},
         {{0, 0}, {4, 0}, {4, 2}, {8, 2}}},
        {"a vertical edge beneath the outline adds nothing",
         {Open({{0, 1}, {8, 1}}), Open({{4, -1}, {4, 0.5}})},
         {{0, 1}, {8, 1}}},
        {"a gap between two crossing pairs",
         {Open({{0, 0}, {2, 2}}), Open({{0, 2}, {2, 0}}), Open({{6, 0}, {8, 2}}),
          Open({{6, 2}, {8, 0}})},
         {{0, 2}, {1, 1}, {2, 2}, {6, 2}, {7, 1}, {8, 2}}},
        {"overlapping edges at equal elevations",
         {Open({{0, 1}, {6, 1}}), Open({{2, 1}, {10, 1}})},
         {{0, 1}, {10, 1}}},
        {"the same shape twice",
         {Open({{0, 0}, {5, 2}, {10, 0}}), Closed({{0, 0}, {5, 2}, {10, 0}})},
         {{0, 0}, {5, 2}, {10, 0}}},
        // y = 4 - x, 2 - 0.4x, 0, 0.4x - 2 and x - 6: the middle three meet at (5, 0),
        // the outer pairs at 10/3 and 20/3, all at height 2/3.
        {"five edges on top in turn within one gap",
         {Open({{0, 4}, {10, -6}}), Open({{0, 2}, {10, -2}}), Open({{0, 0}, {10, 0}}),
          Open({{0, -2}, {10, 2}}), Open({{0, -6}, {10, 4}})},
         {{0, 4}, {10.0 / 3.0, 2.0 / 3.0}, {5, 0}, {20.0 / 3.0, 2.0 / 3.0}, {10, 4}}},
        // A closed zigzag whose closing edge runs beneath it, under a line at 0.5
        // crossing every tooth halfway up.
        {"a line across the teeth of a closed zigzag",
         {Closed({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}, {5, 1}, {6, 0}, {7, 1}, {8, 0}}),
          Open({{0, 0.5}, {8, 0.5}})},
         {{0, 0.5},
          {0.5, 0.5},
          {1, 1},
          {1.5, 0.5},
          {2.5, 0.5},
          {3, 1},
          {3.5, 0.5},
          {4.5, 0.5},
          {5, 1},
          {5.5, 0.5},
          {6.5, 0.5},
          {7, 1},
          {7.5, 0.5},
          {8, 0.5}}},
        // Layers stacked 0.1 apart, each wider than the one above: the outline
        // steps down at the end of each layer.
        {"four stacked layers",
         {Closed({{-4, 0}, {4, 0}, {4, -0.1}, {-4, -0.1}}),
          Closed({{-3, 0.1}, {3, 0.1}, {3, 0}, {-3, 0}}),
          Closed({{-2, 0.2}, {2, 0.2}, {2, 0.1}, {-2, 0.1}}),
          Closed({{-1, 0.3}, {1, 0.3}, {1, 0.2}, {-1, 0.2}})},
         {{-4, 0},
          {-3, 0},
          {-3, 0.1},
          {-2, 0.1},
          {-2, 0.2},
          {-1, 0.2},
          {-1, 0.3},
          {1, 0.3},
          {1, 0.2},
          {2, 0.2},
          {2, 0.1},
          {3, 0.1},
          {3, 0},
          {4, 0}}},
    };
    ExpectOutlines(cases);
}

// Heights of 0 and -0 are equal, and the sign tells which edge gave a point:
// of equal heights the edge listed first does, with two edges or with twenty.
TEST(FinishedSurface, EqualHeightsTakeTheEdgeListedFirst) {
    const auto level = [](double height) { return Open({{0, height}, {10, height}}); };
    struct SignCase {
        const char* what;
        std::vector<CorridorShape> shapes;
        bool negative;
    };
    std::vector<SignCase> cases = {
        {"-0 listed before 0", {level(-0.0), level(0.0)}, true},
        {"0 listed before -0", {level(0.0), level(-0.0)}, false},
        {"-0 listed before nineteen at 0", {level(-0.0)}, true},
        {"0 listed before nineteen at -0", {level(0.0)}, false},
    };
    cases[2].shapes.resize(20, level(0.0));
    cases[3].shapes.resize(20, level(-0.0));
    for (const SignCase& c : cases) {
        const Points surface = FinishedSurface(c.shapes);
        SCOPED_TRACE(std::string(c.what) + ":" + Text(surface));
        ASSERT_EQ(surface.size(), 2u);
        for (const SectionPoint& point : surface) {
            EXPECT_EQ(point.elevation, 0.0);
            EXPECT_EQ(std::signbit(point.elevation), c.negative);
        }
    }
}

// ---- Against a brute-force reference ----

// The highest edge of any shape at `offset`, vertical edges left out; nothing
// where no edge reaches. The shapes' points are all finite.
std::optional<double> HighestEdgeAt(const std::vector<CorridorShape>& shapes, double offset) {
    std::optional<double> highest;
    for (const CorridorShape& shape : shapes) {
        const std::size_t count = shape.points.size();
        const std::size_t edges = shape.closed ? count : count - 1;
        for (std::size_t i = 0; count >= 2 && i < edges; ++i) {
            const SectionPoint& a = shape.points[i];
            const SectionPoint& b = shape.points[(i + 1) % count];
            if (a.offset == b.offset || offset < std::min(a.offset, b.offset) ||
                offset > std::max(a.offset, b.offset)) {
                continue;
            }
            const double height = a.elevation + (b.elevation - a.elevation) * (offset - a.offset) /
                                                    (b.offset - a.offset);
            highest = std::max(highest.value_or(height), height);
        }
    }
    return highest;
}

// The outline's height at `offset`, which lies strictly between the offsets of
// two neighbouring points; nothing at a point's offset or beyond the ends.
std::optional<double> OutlineAt(const Points& outline, double offset) {
    for (std::size_t i = 0; i + 1 < outline.size(); ++i) {
        const SectionPoint& a = outline[i];
        const SectionPoint& b = outline[i + 1];
        if (a.offset < offset && offset < b.offset) {
            return a.elevation +
                   (b.elevation - a.elevation) * (offset - a.offset) / (b.offset - a.offset);
        }
    }
    return std::nullopt;
}

enum class Crowd { kFewShapes, kLongShapes, kManyShapes };

// Offsets on a grid of quarters and elevations of eighths, so that shapes
// share points, offsets and heights often: a few short shapes; long shapes
// wandering back and forth, with edges spanning many others; or over twenty
// shapes of long edges, more than sixteen of them over one offset.
std::vector<CorridorShape> RandomShapes(std::mt19937& random, Crowd crowd) {
    const auto pick = [&random](int count) { return static_cast<int>(random() % count); };
    const bool wandering = crowd == Crowd::kLongShapes;
    const int count = crowd == Crowd::kManyShapes ? 20 + pick(16) : 1 + pick(wandering ? 8 : 5);
    std::vector<CorridorShape> shapes(count);
    for (CorridorShape& shape : shapes) {
        shape.closed = pick(3) == 0;
        const int points = 2 + pick(wandering ? 150 : 7);
        double offset = 0.25 * (pick(41) - 20);
        for (int p = 0; p < points; ++p) {
            offset = wandering ? offset + 0.25 * (pick(9) - 2) : 0.25 * (pick(41) - 20);
            shape.points.push_back({offset, 0.125 * pick(17)});
        }
    }
    return shapes;
}

// The outline at offsets strictly between its points equals the highest edge
// there, wherever an edge reaches; it runs in order of offset from the first
// edge end to the last.
TEST(FinishedSurface, MatchesTheHighestEdgeAtEveryOffset) {
    std::mt19937 random(20261207);
    constexpr int kSamples = 997;
    for (int round = 0; round < 400; ++round) {
        const Crowd crowd = std::array{Crowd::kFewShapes, Crowd::kLongShapes, Crowd::kFewShapes,
                                       Crowd::kManyShapes}[round % 4];
        const std::vector<CorridorShape> shapes = RandomShapes(random, crowd);
        const Points outline = FinishedSurface(shapes);
        SCOPED_TRACE("round " + std::to_string(round) + ":" + Text(outline));
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (const CorridorShape& shape : shapes) {
            // A shape of one point repeated has no edge.
            if (std::ranges::all_of(shape.points, [&shape](const SectionPoint& p) {
                    return p.offset == shape.points.front().offset &&
                           p.elevation == shape.points.front().elevation;
                })) {
                continue;
            }
            for (const SectionPoint& point : shape.points) {
                low = std::min(low, point.offset);
                high = std::max(high, point.offset);
            }
        }
        ASSERT_EQ(outline.empty(), low > high);
        if (outline.empty()) {
            continue;
        }
        EXPECT_EQ(outline.front().offset, low);
        EXPECT_EQ(outline.back().offset, high);
        for (std::size_t i = 0; i + 1 < outline.size(); ++i) {
            ASSERT_LE(outline[i].offset, outline[i + 1].offset) << "point " << i;
        }
        for (int k = 0; k < kSamples; ++k) {
            const double offset = low + (high - low) * (k + 0.5) / kSamples;
            const std::optional<double> expected = HighestEdgeAt(shapes, offset);
            const std::optional<double> actual = OutlineAt(outline, offset);
            if (expected && actual) {
                ASSERT_NEAR(*actual, *expected, 1e-9) << "at offset " << offset;
            } else if (expected) {
                ASSERT_TRUE(std::ranges::any_of(
                    outline, [offset](const SectionPoint& p) { return p.offset == offset; }))
                    << "no outline at offset " << offset;
            }
        }
    }
}

}  // namespace
}  // namespace chainforge
