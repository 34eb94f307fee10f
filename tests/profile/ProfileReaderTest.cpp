#include "profile/ProfileReader.h"

#include <gtest/gtest.h>

#include "profile/SplitIntoPairs.h"
#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;

// Profile "D" of alignment "A": a design profile, or a surface profile when
// the first row is "surface".
std::string Profile(Lines rows) {
    const bool surface = !rows.empty() && rows[0] == "surface";
    const std::string tag = surface ? "ProfSurf" : "ProfAlign";
    if (surface) {
        rows.erase(rows.begin());
    }
    return test::AlignmentsDocument({Lines{"<Profile name=\"P\">", "<" + tag + " name=\"D\">"} +
                                     rows + Lines{"</" + tag + ">", "</Profile>"}});
}

std::string Read(const std::string& bytes, std::string text = {}, const std::string& profile = "D",
                 const std::string& alignment = "A", std::vector<std::string>* messages = nullptr) {
    test::ScannedDocument scanned(bytes);
    ReadProfile(scanned.document, scanned.catalogue, scanned.ui, alignment, profile, text);
    if (messages != nullptr) {
        *messages = scanned.ui.Messages();
    }
    return text;
}

// data/tables/profile.txt
TEST(ReadProfile, Table) {
    for (const auto& c : test::ReadTable("profile.txt")) {
        EXPECT_EQ(Read(Profile(c.input)), c.expected.at(0)) << c.title;
    }
    // A design profile replaces the text; the data may end before the profile does.
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "1 2 3 "), "0 10 ");
    EXPECT_EQ(Read(test::CrLf({"<Alignments>", "<Alignment name=\"A\">", "<Profile>",
                               "<ProfAlign name=\"D\">", "<PVI>0 10</PVI>", "<PVI>100 12</PVI>"})),
              "0 10 2 100 ");
}

TEST(ReadProfile, NamesNotFoundLeaveTheTextAlone) {
    std::vector<std::string> messages;
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "kept ", "D", "B", &messages), "kept ");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Alignment Cannot be found"});
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "kept ", "d", "A", &messages), "kept ");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Profile Cannot be found"});
}

TEST(SplitIntoPairs, BlankSeparatedTokensTwoAtATime) {
    std::vector<std::string> pairs{"x y"};
    SplitIntoPairs("   0    100  50 101 7 ", pairs);
    EXPECT_EQ(pairs, (std::vector<std::string>{"x y", "0 100", "50 101"}));
    pairs.clear();
    SplitIntoPairs("0\t100 50 101/PntList2D>", pairs);
    EXPECT_EQ(pairs, std::vector<std::string>{"0\t100 50"});
}

}  // namespace
}  // namespace chainforge
