#include "xsection/CorridorEnvelope.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
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

}  // namespace
}  // namespace chainforge
