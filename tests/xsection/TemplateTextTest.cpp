#include "xsection/TemplateText.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

// The text one point adds when it is reached from (0, 0).
std::string SegmentFromOrigin(std::string_view pair, std::int16_t direction, int remaining) {
    std::string text;
    double offset = 0.0;
    double elevation = 0.0;
    AppendTemplateSegment(pair, offset, elevation, direction, text, remaining);
    return text;
}

TEST(AppendTemplateSegment, ClosingRatioGroups) {
    EXPECT_EQ(SegmentFromOrigin("-3 -1", -1, 0), "3 0.01 3");
    EXPECT_EQ(SegmentFromOrigin("3 -1", +1, 0), "3 0.01 3");
    EXPECT_EQ(SegmentFromOrigin("100 0.015", +1, 0), "10000 0.01 10000");
    EXPECT_EQ(SegmentFromOrigin("0.000005 2", +1, 0), "0.01 0.01 0.01");
}

TEST(AppendTemplateSegment, GradesAndSteps) {
    // A positive grade rises outward on either side.
    EXPECT_EQ(SegmentFromOrigin("-4 0.2", -1, 1), "5 4 ");
    EXPECT_EQ(SegmentFromOrigin("4 -0.2", +1, 1), "-5 4 ");
    EXPECT_EQ(SegmentFromOrigin("1 50", +1, 1), "5000 1 ");
    EXPECT_EQ(SegmentFromOrigin("1 60", +1, 1), "10000 0.6 ");
    EXPECT_EQ(SegmentFromOrigin("1 -60", +1, 1), "-10000 -0.6 ");
    EXPECT_EQ(SegmentFromOrigin("0 -2", -1, 1), "10000 -0.02 ");
}

TEST(TemplatesMatch, EveryNumberButTheStation) {
    EXPECT_TRUE(TemplatesMatch("0 -2 4 6 0.01 6", "10 -2 4 6 0.01 6"));
    EXPECT_TRUE(TemplatesMatch("0 -2 4 6 0.01 6", "10 -2.0005 4 6.0009 0.01 6"));
    EXPECT_FALSE(TemplatesMatch("0 -2 4 6 0.01 6", "10 -2.002 4 6 0.01 6"));
    EXPECT_FALSE(TemplatesMatch("0 -2 4 6 0.01 6", "10 -2 4 6.002 0.01 6"));
    EXPECT_FALSE(TemplatesMatch("0 6 0.01 6", "0 -2 4 6 0.01 6"));
    // A station alone has no pairs; any two such texts match.
    EXPECT_TRUE(TemplatesMatch("0 ", "25 "));
    // A difference of exactly 0.001 still matches.
    EXPECT_TRUE(TemplatesMatch("0 0.001 0 0", "5 0 0.001 0"));
}

}  // namespace
}  // namespace chainforge
