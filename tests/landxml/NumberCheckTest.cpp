#include "landxml/NumberCheck.h"

#include <gtest/gtest.h>

#include <array>

#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using Texts = std::vector<std::string>;

Texts Tokens(std::string_view text, std::size_t most = 100) {
    Texts tokens;
    for (const std::string_view token : ValueTokens(text, most)) {
        tokens.emplace_back(token);
    }
    return tokens;
}

TEST(NumberCheck, ValueTokensEndAtTheClosingTag) {
    EXPECT_EQ(Tokens(" 1\t2\r\n 3  4/PntList2D>5"), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(Tokens("1,5 2 3 4", 3), (Texts{"1,5", "2", "3"}));
    EXPECT_EQ(Tokens("7/x"), Texts{"7"});
    EXPECT_EQ(Tokens("  /7 8"), Texts{});
}

TEST(NumberCheck, TheFirstValueThatCannotBeConvertedNamedInTurn) {
    constexpr std::array<std::string_view, 2> names{"offset", "elevation"};
    std::vector<double> values;
    EXPECT_FALSE(CheckValues({"1", "2", "3"}, names, values));
    EXPECT_EQ(values, (std::vector<double>{1, 2, 3}));
    values.clear();
    const auto bad = CheckValues({"1", "2", "3", "nan", "1e15"}, names, values);
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->what, "elevation");
    EXPECT_EQ(bad->text, "nan");
    EXPECT_EQ(BadNumberMessage("PntList2D at line 8", *bad),
              "PntList2D at line 8: elevation 'nan' is not a number");
    EXPECT_EQ(BadNumberMessage("Point 17", {"northing", "1e309", NumberFault::TooLarge}),
              "Point 17: northing '1e309' is too large");
}

TEST(NumberCheck, BadNumberMessagesAreKnownByTheirEnd) {
    EXPECT_TRUE(IsBadNumberMessage("Point 17: northing '1,5' is not a number"));
    EXPECT_TRUE(IsBadNumberMessage("Alignment at line 4: staStart '1e309' is too large"));
    EXPECT_FALSE(IsBadNumberMessage("Point reference 5 cannot be found"));
    EXPECT_FALSE(IsBadNumberMessage("The value is not a number"));
    EXPECT_FALSE(IsBadNumberMessage("Spiral Detected and Ignored.  This has not been finished"));
}

TEST(NumberCheck, LinesEndWithLineFeedCarriageReturnOrBoth) {
    // a CR LF b LF c CR d CR CR LF e
    CLineNumbers lines("a\r\nb\nc\rd\r\r\ne");
    const std::pair<std::uint64_t, std::int64_t> cases[] = {
        {0, 1}, {1, 1}, {2, 1}, {3, 2},  {4, 2},  {5, 3},  {6, 3},
        {7, 4}, {8, 4}, {9, 5}, {10, 5}, {11, 6}, {99, 6}, {3, 2},
    };
    for (const auto& [position, line] : cases) {
        EXPECT_EQ(lines.At(position), line) << position;
    }
}

TEST(NumberCheck, TheNoticeNamesTheTagAsWrittenAndItsLine) {
    EXPECT_EQ(TagName("<PVI>1 2"), "PVI");
    EXPECT_EQ(TagName("pvi desc=\"x\">1 2"), "pvi");
    EXPECT_EQ(TagName("Start/>"), "Start");
    CScriptedUserInterface ui;
    CBadNumberNotice notice(ui, "<A>\n<B>\n<PVI>nan 2</PVI>\n");
    notice.Tell("PVI>nan 2/PVI>", 9, {"station", "nan"});
    notice.Tell("Start>", 2, {"northing", "1e300", NumberFault::TooLarge}, "point P1");
    EXPECT_EQ(ui.Messages(), (Texts{"PVI at line 3: station 'nan' is not a number",
                                    "Start at line 1 (point P1): northing '1e300' is too large"}));
}

TEST(NumberCheck, ElementsLeftOutCountedInTheOrderFirstMet) {
    CElementsLeftOut leftOut;
    for (const char* element : {"PVI", "ParaCurve", "PVI", "PVI"}) {
        leftOut.Add(element);
    }
    using Count = std::pair<std::string, std::int64_t>;
    EXPECT_EQ(leftOut.Counts(), (std::vector<Count>{{"PVI", 3}, {"ParaCurve", 1}}));
}

}  // namespace
}  // namespace chainforge
