#include "landxml/TextPatterns.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

TEST(MatchesTag, PrefixIgnoringAsciiCase) {
    EXPECT_TRUE(MatchesTag("<BODY>", "<Body"));
    EXPECT_TRUE(MatchesTag("<bodywork>", "<Body"));
    EXPECT_FALSE(MatchesTag("<Bod", "<Body"));
    EXPECT_FALSE(MatchesTag("<Pipe\tNetwork>", "<Pipe Network"));
    // Bytes beyond ASCII are compared as they are.
    EXPECT_FALSE(MatchesTag("<\xC3\xA9", "<\xC3\x89"));
}

TEST(MatchesTag, TrailingBlankStandsForAnyWhiteSpace) {
    EXPECT_TRUE(MatchesTag("<LandXML version=\"1.1\">", "<LandXML "));
    EXPECT_TRUE(MatchesTag("<LandXML\r\n version=\"1.1\">", "<LandXML "));
    EXPECT_TRUE(MatchesTag("<Alignment\tname=\"A\">", "<Alignment "));
    EXPECT_TRUE(MatchesTag("<Alignment\nname=\"A\">", "<Alignment "));
    EXPECT_FALSE(MatchesTag("<LandXML>", "<LandXML "));
    EXPECT_FALSE(MatchesTag("<Alignments>", "<Alignment "));
}

TEST(FindNoCase, FirstOccurrence) {
    EXPECT_EQ(FindNoCase("a Name=x NAME=y", "NAME="), 2u);
    EXPECT_EQ(FindNoCase("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(FindNoCase("xx/coordgeom>", "/COORDGEOM>"), 2u);
}

TEST(AttributeValue, AnywhereAfterWhiteSpace) {
    const std::string_view tag = "CgPoint pntSurv=\"control\" name=\"1\" desc = \"fence\">";
    EXPECT_EQ(AttributeValue(tag, "name"), "1");
    EXPECT_EQ(AttributeValue(tag, "desc"), "fence");
    EXPECT_EQ(AttributeValue(tag, "code"), std::nullopt);
    // "oname" is another attribute; single quotes are not read.
    EXPECT_EQ(AttributeValue("x oname=\"a\"", "name"), std::nullopt);
    EXPECT_EQ(AttributeValue("x name='a'", "name"), std::nullopt);
    EXPECT_EQ(AttributeValue("x name=\"\"", "name"), "");
    EXPECT_EQ(AttributeValue("x name=\"open", "name"), "open");
}

TEST(IsSelfClosing, LastTwoCharacters) {
    EXPECT_TRUE(IsSelfClosing("<Units/>"));
    EXPECT_TRUE(IsSelfClosing("<Units a=\"1\" />"));
    EXPECT_FALSE(IsSelfClosing("<Units>"));
    EXPECT_FALSE(IsSelfClosing(">"));
}

}  // namespace
}  // namespace chainforge
