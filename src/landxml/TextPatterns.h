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

// How an attribute's name is compared: byte for byte, or with ASCII letters
// in any case ("NAME", "Name" and "name" alike).
enum class NameCase { Exact, Any };

// The value of attribute `name` in a tag or line: the first place where the
// name, at the start of the text or after white space, is followed by "="
// and a double or single quote, with any white space (IsScanSpace) on either
// side of the "=". The value runs to the next quote of the same kind, or to
// the end of the text when none follows. The value is as it stands, entities
// not decoded.
std::optional<std::string_view> AttributeValue(std::string_view text, std::string_view name,
                                               NameCase nameCase = NameCase::Exact);

// Text with the XML entities decoded: &amp; &lt; &gt; &quot; &apos; and
// numeric references (&#38; &#x26;) written as UTF-8. An ampersand that
// begins none of them stays as it is.
std::string DecodeEntities(std::string_view text);

// The run of characters at the start of text that are none of stops: what a
// scanf field "%[^...]" reads. Empty when the field would fail.
std::string_view ScanSetField(std::string_view text, std::string_view stops);

}  // namespace chainforge
