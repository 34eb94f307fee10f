#include "landxml/NumberCheck.h"

#include <algorithm>
#include <cmath>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr std::string_view kNotANumber = " is not a number";
constexpr std::string_view kTooLarge = " is too large";

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsScanSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsScanSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// "INF", "+INF" or "-INF", letters in any case, or no text at all.
std::optional<double> InfiniteRadius(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) {
        return std::numeric_limits<double>::infinity();
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    if (!EqualsNoCase(text, "INF")) {
        return std::nullopt;
    }
    const double infinity = std::numeric_limits<double>::infinity();
    return negative ? -infinity : infinity;
}

}  // namespace

CheckedNumber CheckNumber(std::string_view text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value) {
        return {0.0, NumberFault::NotANumber};
    }
    if (!(std::abs(*value) < kLargestValue)) {
        return {0.0, NumberFault::TooLarge};
    }
    return {*value, NumberFault::None};
}

CheckedNumber CheckRadius(std::string_view text) {
    if (const auto infinite = InfiniteRadius(text)) {
        return {*infinite, NumberFault::None};
    }
    const std::optional<double> value = ParseDecimal(text);
    if (!value) {
        return {0.0, NumberFault::NotANumber};
    }
    if (std::isinf(*value)) {
        return {0.0, NumberFault::TooLarge};
    }
    return {*value, NumberFault::None};
}

std::vector<std::string_view> ValueTokens(std::string_view elementText, std::size_t most) {
    elementText = elementText.substr(0, elementText.find('/'));
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (tokens.size() < most) {
        while (i < elementText.size() && IsScanSpace(elementText[i])) {
            ++i;
        }
        if (i >= elementText.size()) {
            break;
        }
        const std::size_t begin = i;
        while (i < elementText.size() && !IsScanSpace(elementText[i])) {
            ++i;
        }
        tokens.push_back(elementText.substr(begin, i - begin));
    }
    return tokens;
}

std::optional<BadValue> CheckValues(const std::vector<std::string_view>& tokens,
                                    std::span<const std::string_view> names,
                                    std::vector<double>& values) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const CheckedNumber number = CheckNumber(tokens[i]);
        if (number.fault != NumberFault::None) {
            return BadValue{names[i % names.size()], tokens[i], number.fault};
        }
        values.push_back(number.value);
    }
    return std::nullopt;
}

std::string BadNumberMessage(std::string_view where, const BadValue& bad) {
    std::string message(where);
    message.append(": ").append(bad.what).append(" '").append(bad.text).append("'");
    message.append(bad.fault == NumberFault::TooLarge ? kTooLarge : kNotANumber);
    return message;
}

bool IsBadNumberMessage(std::string_view message) {
    return (message.ends_with(std::string("'").append(kNotANumber)) ||
            message.ends_with(std::string("'").append(kTooLarge))) &&
           message.find(": ") != std::string_view::npos;
}

std::string ElementAtLine(std::string_view element, std::int64_t line) {
    return std::string(element) + " at line " + FormatInt(line);
}

std::string_view TagName(std::string_view line) {
    if (!line.empty() && line.front() == '<') {
        line.remove_prefix(1);
    }
    std::size_t end = 0;
    while (end < line.size() && !IsScanSpace(line[end]) && line[end] != '>' && line[end] != '/') {
        ++end;
    }
    return line.substr(0, end);
}

std::int64_t CLineNumbers::At(std::uint64_t position) {
    const std::size_t end =
        static_cast<std::size_t>(std::min<std::uint64_t>(position, bytes_.size()));
    if (end < counted_) {
        counted_ = 0;
        line_ = 1;
    }
    for (; counted_ < end; ++counted_) {
        const char c = bytes_[counted_];
        if (c == '\n' ||
            (c == '\r' && (counted_ + 1 >= bytes_.size() || bytes_[counted_ + 1] != '\n'))) {
            ++line_;
        }
    }
    return line_;
}

void CBadNumberNotice::Tell(std::string_view elementLine, std::uint64_t position,
                            const BadValue& bad, std::string_view source) {
    std::string where = ElementAtLine(TagName(elementLine), lines_.At(position));
    if (!source.empty()) {
        where.append(" (").append(source).append(")");
    }
    ui_.ShowMessage(BadNumberMessage(where, bad));
}

void CElementsLeftOut::Add(std::string_view element) {
    const auto it = std::find_if(counts_.begin(), counts_.end(),
                                 [element](const auto& count) { return count.first == element; });
    if (it == counts_.end()) {
        counts_.emplace_back(element, 1);
    } else {
        ++it->second;
    }
}

}  // namespace chainforge
