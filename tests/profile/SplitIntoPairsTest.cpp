#include "profile/SplitIntoPairs.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

using Pairs = std::vector<std::string>;

TEST(SplitIntoPairs, TakesBlankSeparatedTokensTwoAtATime) {
    Pairs pairs{"x y"};
    SplitIntoPairs("   0    100  50 101 7 ", pairs);
    EXPECT_EQ(pairs, (Pairs{"x y", "0 100", "50 101"}));
    pairs.clear();
    SplitIntoPairs("0\t100 50 101/PntList2D>", pairs);
    EXPECT_EQ(pairs, (Pairs{"0\t100 50"}));
}

}  // namespace
}  // namespace chainforge
