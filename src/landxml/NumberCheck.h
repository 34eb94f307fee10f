// The numbers a conversion takes from a LandXML file: which of them can be
// converted, how one that cannot is named to the user, and how the elements
// left out for them are counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/UserInterface.h"

namespace chainforge {

enum class NumberFault { None, NotANumber, TooLarge };

struct CheckedNumber {
    double value = 0.0;
    NumberFault fault = NumberFault::None;
};

// A coordinate, station, elevation, offset or length: a number as
// ParseDecimal reads it, smaller in size than kLargestValue.
CheckedNumber CheckNumber(std::string_view text);

// A spiral's radius: such a number of any finite size, or "INF" in any
// letter case (an optional sign before it) or an empty text for an infinite
// one.
CheckedNumber CheckRadius(std::string_view text);

// The white-space-separated values of an element's text, which ends at the
// "/" of its closing tag; at most `most` of them.
std::vector<std::string_view> ValueTokens(
    std::string_view elementText, std::size_t most = std::numeric_limits<std::size_t>::max());

// A value of an element that cannot be converted: what it is, its text and
// why.
struct BadValue {
    std::string_view what;
    std::string_view text;
    NumberFault fault = NumberFault::NotANumber;
};

// Checks tokens in turn, naming token i names[i % names.size()] (so that a
// list of pairs names both of each pair), and appends their values. Stops at
// the first that cannot be converted and returns it.
std::optional<BadValue> CheckValues(const std::vector<std::string_view>& tokens,
                                    std::span<const std::string_view> names,
                                    std::vector<double>& values);

// "WHERE: WHAT 'TEXT' is not a number", or "... is too large".
std::string BadNumberMessage(std::string_view where, const BadValue& bad);

// True for a message BadNumberMessage made.
bool IsBadNumberMessage(std::string_view message);

// "ELEMENT at line N".
std::string ElementAtLine(std::string_view element, std::int64_t line);

// The name of the element a line opens, as the line writes it: what follows
// a leading "<" up to white space, ">" or "/".
std::string_view TagName(std::string_view line);

// Line numbers of byte positions in a text, counted as editors count them: a
// line ends with a line feed, a carriage return and line feed, or a carriage
// return alone. Positions asked in increasing order cost only the bytes
// between them.
class CLineNumbers {
  public:
    explicit CLineNumbers(std::string_view bytes) : bytes_(bytes) {}

    // The line that holds the byte at position (the last line for a position
    // beyond the end).
    std::int64_t At(std::uint64_t position);

  private:
    std::string_view bytes_;
    std::size_t counted_ = 0;  // bytes before this are counted in line_
    std::int64_t line_ = 1;
};

// Tells the user of values that cannot be converted, each as
// "TAG at line N: WHAT 'TEXT' is not a number" (or "is too large").
class CBadNumberNotice {
  public:
    CBadNumberNotice(CUserInterface& ui, std::string_view bytes) : ui_(ui), lines_(bytes) {}

    // elementLine is the line that opens the element, position a byte of it
    // in bytes. A value read from elsewhere (a point the element refers to)
    // is named after the line: "TAG at line N (SOURCE): ...".
    void Tell(std::string_view elementLine, std::uint64_t position, const BadValue& bad,
              std::string_view source = {});

  private:
    CUserInterface& ui_;
    CLineNumbers lines_;
};

// Why an element left out for one of its numbers is not converted.
inline constexpr const char* kBadNumberReason = "a value that is not a number or too large";

// Elements left out for a value that cannot be converted: how many of each
// element, in the order first met.
class CElementsLeftOut {
  public:
    void Add(std::string_view element);
    const std::vector<std::pair<std::string, std::int64_t>>& Counts() const { return counts_; }

  private:
    std::vector<std::pair<std::string, std::int64_t>> counts_;
};

}  // namespace chainforge
