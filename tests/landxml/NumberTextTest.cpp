#include "landxml/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>

#include <clocale>

#include "landxml/NumberCheck.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

double Number(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The value as the shortest text that reads back as it, or why there is none.
std::string Checked(const CheckedNumber& number) {
    if (number.fault != NumberFault::None) {
        return number.fault == NumberFault::TooLarge ? "too large" : "not a number";
    }
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, number.value).ptr);
}

// data/tables/numbers.txt
TEST(NumberText, Table) {
    for (const auto& c : test::ReadTable("numbers.txt")) {
        ASSERT_EQ(c.input.size(), c.expected.size()) << c.title;
        for (std::size_t i = 0; i < c.input.size(); ++i) {
            const std::string& in = c.input[i];
            std::string out;
            if (c.title.starts_with("FormatG")) {
                out = FormatG(Number(in));
            } else if (c.title.starts_with("FormatF")) {
                out = FormatF(Number(in));
            } else if (c.title.starts_with("Check")) {
                out =
                    Checked(c.title.starts_with("CheckRadius") ? CheckRadius(in) : CheckNumber(in));
            } else {
                double value = 42;
                const std::size_t length = ReadLeadingDouble(in, value);
                out = std::to_string(length) + " " +
                      (value == Number(c.expected[i].substr(2)) ? c.expected[i].substr(2)
                                                                : FormatG(value));
            }
            EXPECT_EQ(out, c.expected[i]) << c.title << ": " << in;
        }
    }
    double value = 42;
    EXPECT_EQ(ReadLeadingDouble("\t\r\n7", value), 4u);
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(LeadingDoubleOrZero("x1"), 0.0);
    EXPECT_EQ(FormatInt(-42) + " " + FormatInt(9223372036854775807LL), "-42 9223372036854775807");
    std::int64_t integer = 0;
    EXPECT_EQ(ReadLeadingInteger(" 9223372036854775807,", integer), 20u);
    EXPECT_EQ(integer, 9223372036854775807LL);
    EXPECT_EQ(ReadLeadingInteger("-17x", integer), 3u);
    EXPECT_EQ(integer, -17);
    EXPECT_EQ(ReadLeadingInteger("9223372036854775808", integer), 0u);
    EXPECT_EQ(ReadLeadingInteger("-9223372036854775809", integer), 0u);
    EXPECT_EQ(ReadLeadingInteger("-9223372036854775808", integer), 20u);
    EXPECT_EQ(integer, INT64_MIN);
    EXPECT_EQ(ReadLeadingInteger("CP1", integer), 0u);
}

TEST(NumberText, SameUnderACommaDecimalLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, test::kWindows ? "German_Germany.1252" : "de_DE.UTF-8"),
              nullptr)
        << "run scripts/install-deps.sh";
    EXPECT_EQ(FormatG(1.5e-5) + " " + FormatG(1234.5678) + " " + FormatF(-1.5),
              "1.5e-005 1234.57 -1.500000");
    EXPECT_EQ(ParseLeadingDouble("1,5"), 1.0);
    EXPECT_EQ(ParseLeadingDouble("2.5"), 2.5);
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace chainforge
