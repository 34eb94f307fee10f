#include "profile/SplitIntoPairs.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

using Pairs = std::vector<std::string>;

Pairs Split(std::string_view text) {
    Pairs pairs;
    SplitIntoPairs(text, pairs);
    return pairs;
}

TEST(SplitIntoPairs, TakesTokensTwoAtATime) {
    EXPECT_EQ(Split("0 100 50 101"), (Pairs{"0 100", "50 101"}));
    EXPECT_EQ(Split("   0    100  50 101   "), (Pairs{"0 100", "50 101"}));
    EXPECT_EQ(Split(""), Pairs{});
}

TEST(SplitIntoPairs, DropsALoneLastToken) {
    EXPECT_EQ(Split("0 100 50"), (Pairs{"0 100"}));
    EXPECT_EQ(Split("7"), Pairs{});
}

TEST(SplitIntoPairs, SeparatesAtBlanksOnly) {
    EXPECT_EQ(Split("0\t100 50 101/PntList2D>"), (Pairs{"0\t100 50"}));
}

TEST(SplitIntoPairs, AppendsToWhatTheListHolds) {
    Pairs pairs{"x y"};
    SplitIntoPairs("1 2", pairs);
    EXPECT_EQ(pairs, (Pairs{"x y", "1 2"}));
}

}  // namespace
}  // namespace chainforge
