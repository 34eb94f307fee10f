#include "landxml/TextEncoding.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

TEST(TextEncoding, DeclarationsThatNameLatin1) {
    const std::pair<const char*, TextEncoding> cases[] = {
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", TextEncoding::Latin1},
        {"<?xml version='1.0' encoding = 'iso-8859-1'?>", TextEncoding::Latin1},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", TextEncoding::Latin1},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", TextEncoding::Utf8},
        {"<?xml version=\"1.0\"?>", TextEncoding::Utf8},
        {"<?xml version=\"1.0\" encoding=\"iso-8859-2\"?>", TextEncoding::Utf8},
    };
    for (const auto& [declaration, encoding] : cases) {
        EXPECT_EQ(EncodingOfDeclaration(declaration), encoding) << declaration;
    }
}

// Windows-1252 gives 0x80 to 0x9F their printable meanings; the rest of the
// bytes are their own code points. UTF-8 text is left as it is.
TEST(TextEncoding, Latin1MadeUtf8) {
    EXPECT_EQ(ToUtf8("Gr\xf6\xdf"
                     "e",
                     TextEncoding::Latin1),
              "Gr\u00f6\u00df"
              "e");
    EXPECT_EQ(ToUtf8("\x80\x9f\xa0\xff", TextEncoding::Latin1), "\u20ac\u0178\u00a0\u00ff");
    EXPECT_EQ(ToUtf8("\x81\x8d", TextEncoding::Latin1), "\u0081\u008d");
    EXPECT_EQ(ToUtf8("\xf6", TextEncoding::Utf8), "\xf6");
}

TEST(TextEncoding, InvalidUtf8Replaced) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\u00e9\u20ac\U0001F600z", "a\u00e9\u20ac\U0001F600z"},  // every length, whole
        {"\xf6x", "\ufffdx"},                                      // a Latin-1 byte
        {"\xc0\x80", "\ufffd\ufffd"},                              // an overlong NUL
        {"\xe0\x80\xaf", "\ufffd\ufffd\ufffd"},                    // an overlong "/"
        {"\xed\xa0\x80", "\ufffd\ufffd\ufffd"},                    // a surrogate
        {"\xf4\x90\x80\x80", "\ufffd\ufffd\ufffd\ufffd"},          // above U+10FFFF
        {"\xf5\x80", "\ufffd\ufffd"},
        {"\xe2\x82", "\ufffd\ufffd"},  // cut short at the end
        {"\xe2\x82x", "\ufffd\ufffdx"},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(ValidUtf8(text), valid) << text;
    }
}

TEST(TextEncoding, Utf16Files) {
    using namespace std::string_literals;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\xff\xfe<\0\xe9\0"s, "<\u00e9"},       // little endian, marked
        {"\xfe\xff\0<\0\xe9"s, "<\u00e9"},       // big endian, marked
        {"<\0a\0"s, "<a"},                       // little endian, unmarked
        {"\0<\0a"s, "<a"},                       // big endian, unmarked
        {"\xff\xfe=\xd8\0\xde"s, "\U0001F600"},  // a surrogate pair
        {"\xff\xfe=\xd8<\0"s, "\ufffd<"},        // a lone high surrogate
        {"\xff\xfe\0\xdc"s, "\ufffd"},           // a lone low surrogate
        {"\xff\xfe<\0a"s, "<"},                  // an odd last byte dropped
        {"<?xml"s, std::nullopt},                // UTF-8
        {"\xef\xbb\xbf<"s, std::nullopt},        // UTF-8 with its mark
        {"<"s, std::nullopt},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(Utf8FromUtf16File(bytes), utf8) << bytes;
    }
}

}  // namespace
}  // namespace chainforge
