// Number text: how numbers become text and text becomes numbers, the same
// in every locale. Output follows the printf forms the chain and point files
// were always written with ("%lg" with a three-digit exponent, "%lf", "%d").
// Input follows the scanf conventions of the readers' patterns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chainforge {

// "%lg": six significant digits, trailing zeros dropped, exponent form below
// 1e-4 and from 1e6 on, the exponent signed and at least three digits.
// "%.10lg" with significantDigits 10 (exponent form from 1e10 on).
std::string FormatG(double value, int significantDigits = 6);

// The significant digits of the numbers in chain file texts: enough that a
// station of 10,000 or more keeps its millimetres.
inline constexpr int kChainDigits = 10;

// "%lf": six decimals.
std::string FormatF(double value);

// "%d" / "%ld".
std::string FormatInt(std::int64_t value);

// Reads a decimal number at the start of text as scanf's "%lf" does: white
// space is skipped, then an optional sign, digits with an optional fraction
// and an optional exponent. Returns the number of characters consumed (the
// skipped white space included), or 0 when no number stands there; value is
// then left unchanged. A number beyond the range of a double reads as the
// largest finite double of its sign, one below the smallest as zero.
std::size_t ReadLeadingDouble(std::string_view text, double& value);

// The same, returning the number itself.
std::optional<double> ParseLeadingDouble(std::string_view text);

// The number at the start of text, or 0.0 when there is none.
double LeadingDoubleOrZero(std::string_view text);

// Reads the whole text as a number in the lexical form XML Schema gives
// xs:decimal and xs:double, without their special values (INF, NaN): white
// space on either side, an optional sign, digits with an optional "." (at
// least one digit in all), an optional exponent ("e" or "E", an optional
// sign, digits). Nothing for any other text ("", "nan", "inf", "1,5",
// "0x1p3", "1e"). A value beyond the range of a double gives the infinity of
// its sign; one below the smallest gives zero.
std::optional<double> ParseDecimal(std::string_view text);

// Values of this size or more are too large to convert: no coordinate,
// station, elevation, offset or length comes near it, and a double holds no
// millimetres there.
inline constexpr double kLargestValue = 1e15;

// Reads a whole number as scanf's "%ld" does (white space skipped, optional
// sign, decimal digits). Returns the characters consumed, 0 when none; a
// number beyond 64 bits also gives 0.
std::size_t ReadLeadingInteger(std::string_view text, std::int64_t& value);

// True when text is white space in the scanf sense (blank, tab, line ends).
constexpr bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace chainforge
