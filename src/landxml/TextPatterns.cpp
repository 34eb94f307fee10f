#include "landxml/TextPatterns.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "landxml/NumberText.h"
#include "landxml/TextEncoding.h"

namespace chainforge {

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = ToUpperAscii(c);
    }
    return upper;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (ToUpperAscii(text[i]) != ToUpperAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool MatchesTag(std::string_view text, std::string_view tag) {
    if (tag.empty() || tag.back() != ' ') {
        return StartsWithNoCase(text, tag);
    }
    const std::size_t last = tag.size() - 1;
    if (text.size() < tag.size() || !StartsWithNoCase(text, tag.substr(0, last))) {
        return false;
    }
    const char c = text[last];
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool OpensElement(std::string_view text, std::string_view name) {
    if (text.size() <= name.size() || !StartsWithNoCase(text, name)) {
        return false;
    }
    const char next = text[name.size()];
    return IsScanSpace(next) || next == '>' || next == '/';
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    if (text.size() < needle.size()) {
        return std::string_view::npos;
    }
    const char first = ToUpperAscii(needle[0]);
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (ToUpperAscii(text[i]) == first && StartsWithNoCase(text.substr(i), needle)) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool IsSelfClosing(std::string_view tagText) {
    return tagText.size() >= 2 && tagText.substr(tagText.size() - 2) == "/>";
}

namespace {

// A quoted value at the start of text, between double or single quotes: the
// characters up to the next quote of the same kind (to the end of the text
// when none follows). Nothing when the text does not begin with a quote.
std::optional<std::string_view> QuotedValue(std::string_view text) {
    if (text.empty() || (text[0] != '"' && text[0] != '\'')) {
        return std::nullopt;
    }
    const std::size_t end = text.find(text[0], 1);
    return text.substr(1, end == std::string_view::npos ? text.npos : end - 1);
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && IsScanSpace(text[i])) {
        ++i;
    }
    return i;
}

// The quoted value after the name that ends at nameEnd, when "=" follows it.
std::optional<std::string_view> ValueAfterName(std::string_view text, std::size_t nameEnd) {
    const std::size_t equals = SkipBlanks(text, nameEnd);
    if (equals >= text.size() || text[equals] != '=') {
        return std::nullopt;
    }
    return QuotedValue(text.substr(SkipBlanks(text, equals + 1)));
}

std::size_t FindName(std::string_view text, std::string_view name, std::size_t from,
                     NameCase nameCase) {
    return nameCase == NameCase::Exact ? text.find(name, from) : FindNoCase(text, name, from);
}

}  // namespace

std::optional<std::string_view> AttributeValue(std::string_view text, std::string_view name,
                                               NameCase nameCase) {
    for (std::size_t at = FindName(text, name, 0, nameCase); at != std::string_view::npos;
         at = FindName(text, name, at + 1, nameCase)) {
        if (at != 0 && !IsScanSpace(text[at - 1])) {
            continue;
        }
        if (const auto value = ValueAfterName(text, at + name.size())) {
            return value;
        }
    }
    return std::nullopt;
}

namespace {

// The code point of a numeric reference's body ("#38", "#x26"), or nothing
// when it is not one or names no character.
std::optional<std::uint32_t> NumericReference(std::string_view body) {
    if (body.size() < 2 || body[0] != '#') {
        return std::nullopt;
    }
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    const auto result =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    const bool whole = result.ec == std::errc() && result.ptr == digits.data() + digits.size();
    if (digits.empty() || !whole || code == 0 || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return code;
}

// Appends the character of the entity body (between "&" and ";"); false
// when the body names none.
bool AppendEntity(std::string& out, std::string_view body) {
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [name, c] : kNamed) {
        if (body == name) {
            out.push_back(c);
            return true;
        }
    }
    if (const auto code = NumericReference(body)) {
        AppendUtf8(out, static_cast<char32_t>(*code));
        return true;
    }
    return false;
}

}  // namespace

std::string DecodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t amp = text.find('&'); amp != std::string_view::npos;
         amp = text.find('&', pos)) {
        out.append(text.substr(pos, amp - pos));
        const std::size_t semicolon = text.find(';', amp + 1);
        // Entity names are short; a far semicolon belongs to other text.
        if (semicolon != std::string_view::npos && semicolon - amp <= 12 &&
            AppendEntity(out, text.substr(amp + 1, semicolon - amp - 1))) {
            pos = semicolon + 1;
        } else {
            out.push_back('&');
            pos = amp + 1;
        }
    }
    out.append(text.substr(pos));
    return out;
}

std::string_view ScanSetField(std::string_view text, std::string_view stops) {
    const std::size_t end = text.find_first_of(stops);
    return text.substr(0, end);
}

}  // namespace chainforge
