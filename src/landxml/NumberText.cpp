#include "landxml/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace chainforge {
namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Pads the exponent of a to_chars result ("1.5e-05") to three digits.
std::string WidenExponent(std::string text) {
    const auto e = text.find('e');
    if (e == std::string::npos || e + 2 > text.size()) {
        return text;
    }
    const std::size_t digits = text.size() - (e + 2);
    if (digits < 3) {
        text.insert(e + 2, 3 - digits, '0');
    }
    return text;
}

// Length of the longest prefix of text (from pos) that is a decimal number in
// the "%lf" sense, sign included; 0 when none.
std::size_t DecimalNumberLength(std::string_view text, std::size_t pos) {
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - pos;
}

// The value of a whole decimal number text (DecimalNumberLength covers it):
// infinity of its sign beyond the range of a double, zero below it.
double DecimalValue(std::string_view number) {
    const char* first = number.data();
    const char* last = first + number.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-') {
        ++first;  // from_chars takes no sign of its own beyond '-'.
    }
    double parsed = 0.0;
    const auto result = std::from_chars(first, last, parsed, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the decimal exponent's size.
        const std::string_view digits(first, static_cast<std::size_t>(last - first));
        const auto e = digits.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && digits.find('-', e) != std::string_view::npos;
        parsed = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -parsed : parsed;
}

}  // namespace

std::string FormatG(double value, int significantDigits) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    return WidenExponent(std::string(buffer, result.ptr));
}

std::string FormatF(double value) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    // A finite double in fixed form with six decimals needs at most 309 + 1 + 6 + sign.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string FormatInt(std::int64_t value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::size_t ReadLeadingDouble(std::string_view text, double& value) {
    std::size_t pos = 0;
    while (pos < text.size() && IsScanSpace(text[pos])) {
        ++pos;
    }
    const std::size_t length = DecimalNumberLength(text, pos);
    if (length == 0) {
        return 0;
    }
    const double parsed = DecimalValue(text.substr(pos, length));
    value = std::isinf(parsed) ? std::copysign(std::numeric_limits<double>::max(), parsed) : parsed;
    return pos + length;
}

std::optional<double> ParseLeadingDouble(std::string_view text) {
    double value = 0.0;
    if (ReadLeadingDouble(text, value) == 0) {
        return std::nullopt;
    }
    return value;
}

double LeadingDoubleOrZero(std::string_view text) {
    return ParseLeadingDouble(text).value_or(0.0);
}

std::optional<double> ParseDecimal(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsScanSpace(text[first])) {
        ++first;
    }
    while (last > first && IsScanSpace(text[last - 1])) {
        --last;
    }
    const std::string_view number = text.substr(first, last - first);
    if (number.empty() || DecimalNumberLength(number, 0) != number.size()) {
        return std::nullopt;
    }
    return DecimalValue(number);
}

std::size_t ReadLeadingInteger(std::string_view text, std::int64_t& value) {
    std::size_t pos = 0;
    while (pos < text.size() && IsScanSpace(text[pos])) {
        ++pos;
    }
    std::size_t i = pos;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::uint64_t magnitude = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), magnitude);
    if (result.ptr == text.data() + i || result.ec != std::errc()) {
        return 0;
    }
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    if (magnitude > limit) {
        return 0;
    }
    value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return static_cast<std::size_t>(result.ptr - text.data());
}

}  // namespace chainforge
