// Small text tests shared by the scan and the section readers: the
// case-insensitive tag test, ASCII upper-casing and attribute lookup.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chainforge {

constexpr char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

std::string ToUpperAscii(std::string_view text);

// True when text begins with tag, letters compared without regard to ASCII
// case. A blank that ends the tag ("<LandXML ") stands for any one white-space
// byte (blank, tab, CR or LF), since producers break attributes onto new lines.
bool MatchesTag(std::string_view text, std::string_view tag);

// True when text opens the element of that name: the name, letters compared
// without regard to ASCII case, then white space, ">" or "/".
bool OpensElement(std::string_view text, std::string_view name);

// Plain case-insensitive prefix test: every byte of prefix must match.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// True when both texts are equal, letters compared without regard to ASCII case.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

// Position of the first occurrence of needle in text, letters compared
// without regard to ASCII case; npos when there is none.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// True when text contains needle, ignoring ASCII case.
inline bool ContainsNoCase(std::string_view text, std::string_view needle) {
    return FindNoCase(text, needle) != std::string_view::npos;
}

// True when the text ends with "/>".
bool IsSelfClosing(std::string_view tagText);

// The value of attribute `name` in a tag or line: the first place where the
// name, preceded by white space, is followed by "=" and a double or single
// quote (blanks allowed around the "="). The value runs to the next quote of
// the same kind, or to the end of the text when none follows. Names are
// case-sensitive. The value is as it stands, entities not decoded.
std::optional<std::string_view> AttributeValue(std::string_view text, std::string_view name);

// A quoted value at the start of text, between double or single quotes: the
// characters up to the next quote of the same kind (to the end of the text
// when none follows). Nothing when the text does not begin with a quote.
std::optional<std::string_view> QuotedValue(std::string_view text);

// Text with the XML entities decoded: &amp; &lt; &gt; &quot; &apos; and
// numeric references (&#38; &#x26;) written as UTF-8. An ampersand that
// begins none of them stays as it is.
std::string DecodeEntities(std::string_view text);

// The run of characters at the start of text that are none of stops: what a
// scanf field "%[^...]" reads. Empty when the field would fail.
std::string_view ScanSetField(std::string_view text, std::string_view stops);

}  // namespace chainforge
