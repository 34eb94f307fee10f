#include "landxml/TextPatterns.h"

#include <gtest/gtest.h>

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

TEST(TextPatterns, AttributeValueAnywhereAfterWhiteSpace) {
    const std::string_view tag = "CgPoint pntSurv=\"control\" name=\"1\" desc = \"fence\">";
    EXPECT_EQ(AttributeValue(tag, "name"), "1");
    EXPECT_EQ(AttributeValue(tag, "desc"), "fence");
    EXPECT_EQ(AttributeValue(tag, "code"), std::nullopt);
    // "oname" is another attribute; single quotes hold a value as double ones do.
    EXPECT_EQ(AttributeValue("x oname=\"a\"", "name"), std::nullopt);
    EXPECT_EQ(AttributeValue("x name='a\"b'", "name"), "a\"b");
    EXPECT_EQ(AttributeValue("x name=\"\"", "name"), "");
    EXPECT_EQ(AttributeValue("x name=\"open", "name"), "open");
}

}  // namespace
}  // namespace chainforge
