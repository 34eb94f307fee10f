#include "landxml/TextPatterns.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

TEST(TextPatterns, MatchesTag) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"<BODY>", "<Body", true},
        {"<bodywork>", "<Body", true},
        {"<Bod", "<Body", false},
        {"<Pipe\tNetwork>", "<Pipe Network", false},
        {"<\xC3\xA9", "<\xC3\x89", false},  // bytes beyond ASCII compared as they are
        // A trailing blank stands for any white space.
        {"<LandXML version=\"1.1\">", "<LandXML ", true},
        {"<LandXML\r\n version=\"1.1\">", "<LandXML ", true},
        {"<Alignment\tname=\"A\">", "<Alignment ", true},
        {"<Alignment\nname=\"A\">", "<Alignment ", true},
        {"<LandXML>", "<LandXML ", false},
        {"<Alignments>", "<Alignment ", false},
    };
    for (const auto& [tag, pattern, matches] : cases) {
        EXPECT_EQ(MatchesTag(tag, pattern), matches) << tag << " " << pattern;
    }
    EXPECT_EQ(FindNoCase("a Name=x NAME=y", "NAME="), 2u);
    EXPECT_EQ(FindNoCase("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(FindNoCase("abc", "", 3), 3u);  // an empty needle: at the start, up to the end
    EXPECT_EQ(FindNoCase("abc", "", 4), std::string_view::npos);
    EXPECT_TRUE(IsSelfClosing("<Units a=\"1\" />"));
    EXPECT_FALSE(IsSelfClosing("<Units>"));
    EXPECT_FALSE(IsSelfClosing(">"));
}

// data/tables/attributes.txt: the attribute name (" any": in any letter
// case), then the text, its lines joined by CR LF; the value in brackets, or
// "none".
TEST(TextPatterns, AttributeValue) {
    for (const auto& c : test::ReadTable("attributes.txt")) {
        ASSERT_GE(c.input.size(), 2u) << c.title;
        std::string_view name = c.input[0];
        const bool any = name.ends_with(" any");
        name.remove_suffix(any ? 4 : 0);
        std::string text = c.input[1];
        for (std::size_t i = 2; i < c.input.size(); ++i) {
            text.append("\r\n").append(c.input[i]);
        }
        const auto value = AttributeValue(text, name, any ? NameCase::Any : NameCase::Exact);
        const std::string seen = value ? std::string("[").append(*value).append("]") : "none";
        EXPECT_EQ(std::vector<std::string>{seen}, c.expected) << c.title;
    }
}

}  // namespace
}  // namespace chainforge
