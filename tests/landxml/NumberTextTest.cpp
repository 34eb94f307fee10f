#include "landxml/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

TEST(FormatG, SixSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(FormatG(100.0), "100");
    EXPECT_EQ(FormatG(1234.5678), "1234.57");
    EXPECT_EQ(FormatG(10000.5), "10000.5");
    EXPECT_EQ(FormatG(123456.78), "123457");
    EXPECT_EQ(FormatG(12345.678), "12345.7");
    EXPECT_EQ(FormatG(0.0), "0");
    EXPECT_EQ(FormatG(-0.0), "-0");
    EXPECT_EQ(FormatG(-2.5), "-2.5");
    EXPECT_EQ(FormatG(0.0001), "0.0001");
    EXPECT_EQ(FormatG(999999.0), "999999");
}

TEST(FormatG, ExponentFormHasSignAndThreeDigits) {
    EXPECT_EQ(FormatG(1.5e-5), "1.5e-005");
    EXPECT_EQ(FormatG(1e6), "1e+006");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+006");
    EXPECT_EQ(FormatG(-0.00001234), "-1.234e-005");
    EXPECT_EQ(FormatG(999999.5), "1e+006");
    EXPECT_EQ(FormatG(1e100), "1e+100");
    EXPECT_EQ(FormatG(2.5e-300), "2.5e-300");
}

TEST(FormatF, SixDecimals) {
    EXPECT_EQ(FormatF(1000.0), "1000.000000");
    EXPECT_EQ(FormatF(12345.7), "12345.700000");
    EXPECT_EQ(FormatF(-1.5), "-1.500000");
    EXPECT_EQ(FormatF(0.0), "0.000000");
    EXPECT_EQ(FormatF(2.0000004), "2.000000");
    EXPECT_EQ(FormatF(1e7), "10000000.000000");
}

TEST(FormatInt, Integers) {
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatInt(9223372036854775807LL), "9223372036854775807");
}

TEST(ReadLeadingDouble, ReadsWhatTheScanPatternReads) {
    double value = -1;
    EXPECT_EQ(ReadLeadingDouble("  -12.5e2xyz", value), 9u);
    EXPECT_EQ(value, -1250.0);
    EXPECT_EQ(ReadLeadingDouble(".5", value), 2u);
    EXPECT_EQ(value, 0.5);
    EXPECT_EQ(ReadLeadingDouble("5.\"", value), 2u);
    EXPECT_EQ(value, 5.0);
    EXPECT_EQ(ReadLeadingDouble("+3 4", value), 2u);
    EXPECT_EQ(value, 3.0);
    EXPECT_EQ(ReadLeadingDouble("\t\r\n7", value), 4u);
    EXPECT_EQ(value, 7.0);
    // An exponent marker without digits is not part of the number.
    EXPECT_EQ(ReadLeadingDouble("1e+", value), 1u);
    EXPECT_EQ(value, 1.0);
}

TEST(ReadLeadingDouble, NoNumberLeavesTheValue) {
    double value = 42.0;
    EXPECT_EQ(ReadLeadingDouble("abc", value), 0u);
    EXPECT_EQ(ReadLeadingDouble(".", value), 0u);
    EXPECT_EQ(ReadLeadingDouble("-", value), 0u);
    EXPECT_EQ(ReadLeadingDouble("", value), 0u);
    EXPECT_EQ(ReadLeadingDouble("inf", value), 0u);
    EXPECT_EQ(ReadLeadingDouble("nan", value), 0u);
    EXPECT_EQ(value, 42.0);
    EXPECT_EQ(LeadingDoubleOrZero("x1"), 0.0);
}

TEST(ReadLeadingDouble, OutOfRangeStaysFinite) {
    EXPECT_EQ(ParseLeadingDouble("1e999"), DBL_MAX);
    EXPECT_EQ(ParseLeadingDouble("-1e999"), -DBL_MAX);
    EXPECT_EQ(ParseLeadingDouble("1e-999"), 0.0);
}

TEST(ReadLeadingInteger, SixtyFourBits) {
    std::int64_t value = 0;
    EXPECT_EQ(ReadLeadingInteger(" 9223372036854775807,", value), 20u);
    EXPECT_EQ(value, 9223372036854775807LL);
    EXPECT_EQ(ReadLeadingInteger("-17x", value), 3u);
    EXPECT_EQ(value, -17);
    EXPECT_EQ(ReadLeadingInteger("9223372036854775808", value), 0u);
    EXPECT_EQ(ReadLeadingInteger("CP1", value), 0u);
}

TEST(NumberText, SameUnderACommaDecimalLocale) {
    test::CommaDecimalLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    EXPECT_EQ(FormatG(1.5e-5), "1.5e-005");
    EXPECT_EQ(FormatG(1234.5678), "1234.57");
    EXPECT_EQ(FormatF(-1.5), "-1.500000");
    EXPECT_EQ(ParseLeadingDouble("1.5"), 1.5);
    EXPECT_EQ(ParseLeadingDouble("1,5"), 1.0);
}

}  // namespace
}  // namespace chainforge
