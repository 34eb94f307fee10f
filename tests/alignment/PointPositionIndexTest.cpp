#include "alignment/PointPositionIndex.h"

#include <gtest/gtest.h>
#include <charconv>
#include <random>

#include "alignment/HorizontalAlignmentReader.h"
#include "landxml/NumberText.h"

namespace chainforge {
namespace {

std::string ExactText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The walk through the list that the index stands in for: the first point
// whose six-decimal coordinates are at the same position.
std::optional<std::int64_t> FirstByWalk(
    const std::vector<std::pair<std::int64_t, std::string>>& pts, const std::string& position) {
    for (const auto& [number, coordinates] : pts) {
        if (SamePosition(coordinates, position)) {
            return number;
        }
    }
    return std::nullopt;
}

// Dense clusters of points a fraction of the tolerance apart, near cell
// edges, at survey-sized coordinates and beyond the grid's reach.
TEST(PointPositionIndex, FindsWhatAWalkThroughTheListFinds) {
    std::mt19937_64 random(20240611);
    const double bases[] = {0.0, -3.2, 6783020.064, 21530666.426, 999999999.9996, -5e11};
    PointList points;
    std::vector<std::pair<std::int64_t, std::string>> walked;
    for (int i = 0; i < 1500; ++i) {
        const double base = bases[random() % std::size(bases)];
        const double x = base + static_cast<double>(random() % 40) * 0.00007;
        const double y = -base + static_cast<double>(random() % 40) * 0.00007;
        const auto number = static_cast<std::int64_t>(random() % 100000);
        points.push_back(FormatInt(number) + "," + ExactText(x) + "," + ExactText(y) + ",0,");
        walked.emplace_back(number, FormatF(x) + " " + FormatF(y));
    }
    const CPointPositionIndex index(points);
    int matches = 0;
    for (int i = 0; i < 1500; ++i) {
        const double base = bases[random() % std::size(bases)];
        const double a = base + static_cast<double>(random() % 400) * 0.00001 - 0.0005;
        const double b = -base + static_cast<double>(random() % 400) * 0.00001 - 0.0005;
        const std::optional<std::int64_t> expected =
            FirstByWalk(walked, ExactText(a) + " " + ExactText(b));
        EXPECT_EQ(index.NumberAt(a, b), expected) << ExactText(a) << " " << ExactText(b);
        matches += expected ? 1 : 0;
    }
    EXPECT_GT(matches, 50);
}

}  // namespace
}  // namespace chainforge
