#include "landxml/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>

#include <clocale>

namespace chainforge {
namespace {

TEST(NumberText, Formats) {
    const std::pair<double, const char*> g[] = {{100.0, "100"},
                                                {1234.5678, "1234.57"},
                                                {10000.5, "10000.5"},
                                                {123456.78, "123457"},
                                                {0.0, "0"},
                                                {-0.0, "-0"},
                                                {0.0001, "0.0001"},
                                                {999999.0, "999999"},
                                                {1.5e-5, "1.5e-005"},
                                                {1e6, "1e+006"},
                                                {1234567.0, "1.23457e+006"},
                                                {-0.00001234, "-1.234e-005"},
                                                {999999.5, "1e+006"},
                                                {1e100, "1e+100"},
                                                {2.5e-300, "2.5e-300"}};
    for (const auto& [value, text] : g) {
        EXPECT_EQ(FormatG(value), text);
    }
    const std::pair<double, const char*> f[] = {{12345.7, "12345.700000"},
                                                {-1.5, "-1.500000"},
                                                {2.0000004, "2.000000"},
                                                {1e7, "10000000.000000"}};
    for (const auto& [value, text] : f) {
        EXPECT_EQ(FormatF(value), text);
    }
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatInt(9223372036854775807LL), "9223372036854775807");
}

// Text -> characters read and the value (unchanged, 42, when none are read).
TEST(NumberText, ReadsWhatTheScanPatternReads) {
    const struct {
        const char* text;
        std::size_t length;
        double value;
    } cases[] = {{"  -12.5e2xyz", 9, -1250.0},
                 {".5", 2, 0.5},
                 {"5.\"", 2, 5.0},
                 {"+3 4", 2, 3.0},
                 {"\t\r\n7", 4, 7.0},
                 {"1e+", 1, 1.0},
                 {"abc", 0, 42},
                 {".", 0, 42},
                 {"-", 0, 42},
                 {"", 0, 42},
                 {"inf", 0, 42},
                 {"nan", 0, 42}};
    for (const auto& c : cases) {
        double value = 42;
        EXPECT_EQ(ReadLeadingDouble(c.text, value), c.length) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    EXPECT_EQ(LeadingDoubleOrZero("x1"), 0.0);
    EXPECT_EQ(ParseLeadingDouble("1e999"), DBL_MAX);
    EXPECT_EQ(ParseLeadingDouble("-1e999"), -DBL_MAX);
    EXPECT_EQ(ParseLeadingDouble("1e-999"), 0.0);
    std::int64_t value = 0;
    EXPECT_EQ(ReadLeadingInteger(" 9223372036854775807,", value), 20u);
    EXPECT_EQ(value, 9223372036854775807LL);
    EXPECT_EQ(ReadLeadingInteger("-17x", value), 3u);
    EXPECT_EQ(value, -17);
    EXPECT_EQ(ReadLeadingInteger("9223372036854775808", value), 0u);
    EXPECT_EQ(ReadLeadingInteger("CP1", value), 0u);
}

TEST(NumberText, SameUnderACommaDecimalLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "run scripts/install-deps.sh";
    EXPECT_EQ(FormatG(1.5e-5) + " " + FormatG(1234.5678) + " " + FormatF(-1.5),
              "1.5e-005 1234.57 -1.500000");
    EXPECT_EQ(ParseLeadingDouble("1,5"), 1.0);
    EXPECT_EQ(ParseLeadingDouble("2.5"), 2.5);
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace chainforge
