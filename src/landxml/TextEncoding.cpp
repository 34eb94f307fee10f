#include "landxml/TextEncoding.h"

#include <array>
#include <cstdint>

#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252's characters for the bytes 0x80 to 0x9F; the five it leaves
// undefined keep their ISO-8859-1 meaning (C1 controls).
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return out;
}

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length) {
        return 0;
    }
    // The second byte's range excludes overlong forms, surrogates and
    // code points above U+10FFFF.
    const unsigned char second = byte(1);
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = SequenceLength(text);
        if (length == 0) {
            AppendUtf8(out, kReplacement);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

namespace {

// The byte order of a UTF-16 file: true for big endian; nothing when the
// file is not UTF-16.
std::optional<bool> Utf16ByteOrder(std::string_view bytes) {
    if (bytes.size() < 2) {
        return std::nullopt;
    }
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    const auto b1 = static_cast<unsigned char>(bytes[1]);
    if ((b0 == 0xFF && b1 == 0xFE) || (b0 == '<' && b1 == 0)) {
        return false;
    }
    if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 == '<')) {
        return true;
    }
    return std::nullopt;
}

char16_t UnitAt(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
}

}  // namespace

TextEncoding EncodingOfDeclaration(std::string_view declaration) {
    const std::string name =
        ToUpperAscii(AttributeValue(declaration, "encoding").value_or(std::string_view()));
    for (const std::string_view latin : {"ISO-8859-1", "ISO8859-1", "LATIN1", "ISO_8859-1",
                                         "WINDOWS-1252", "CP1252", "L1", "IBM819", "CP819"}) {
        if (name == latin) {
            return TextEncoding::Latin1;
        }
    }
    return TextEncoding::Utf8;
}

std::string ReadableText(std::string_view value, TextEncoding encoding) {
    return DecodeEntities(ToUtf8(value, encoding));
}

std::string ToUtf8(std::string_view text, TextEncoding encoding) {
    return encoding == TextEncoding::Latin1 ? Latin1ToUtf8(text) : std::string(text);
}

std::optional<std::string> Utf8FromUtf16File(std::string_view bytes) {
    const auto bigEndian = Utf16ByteOrder(bytes);
    if (!bigEndian) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size() / 2);
    std::size_t i = UnitAt(bytes, 0, *bigEndian) == 0xFEFF ? 2 : 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = UnitAt(bytes, i, *bigEndian);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t next = UnitAt(bytes, i + 2, *bigEndian);
            if (next >= 0xDC00 && next < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
    return out;
}

}  // namespace chainforge
