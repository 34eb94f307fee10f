// The character encodings met in LandXML files. The program works on bytes;
// names are made UTF-8 for what people read and type (lists, JSON, names
// typed on the command line), while the chain and point files keep the
// bytes the file holds. A UTF-16 file is made UTF-8 as it is loaded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chainforge {

enum class TextEncoding {
    Utf8,    // also US-ASCII and any encoding not listed here
    Latin1,  // ISO-8859-1 and Windows-1252, read as Windows-1252
};

// The encoding that an XML declaration's encoding attribute names.
TextEncoding EncodingOfDeclaration(std::string_view declaration);

// Text in that encoding as UTF-8; UTF-8 text as it stands.
std::string ToUtf8(std::string_view text, TextEncoding encoding);

// An attribute value as people read it: in UTF-8, entities decoded.
std::string ReadableText(std::string_view value, TextEncoding encoding);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t code);

// The text with every byte that begins no well-formed UTF-8 sequence made
// U+FFFD: for what must be UTF-8, as JSON must.
std::string ValidUtf8(std::string_view text);

// The UTF-8 form of a file that is UTF-16 (little or big endian, told by its
// byte-order mark or, without one, by the zero byte beside a leading "<");
// nothing for any other file. A lone surrogate becomes U+FFFD.
std::optional<std::string> Utf8FromUtf16File(std::string_view bytes);

}  // namespace chainforge
