#include "profile/ProfileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "landxml/NumberText.h"
#include "profile/FiniteNumberText.h"
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

std::string Read(const std::string& bytes, const std::string& profile = "D",
                 const std::string& alignment = "A", std::vector<std::string>* messages = nullptr,
                 ProfileReadCounts* counts = nullptr) {
    test::ScannedDocument scanned(bytes);
    ProfileRead read =
        ReadProfile(scanned.Context(), scanned.catalogue.FindAlignment(alignment), profile);
    if (messages != nullptr) {
        *messages = scanned.ui.Messages();
    }
    if (counts != nullptr) {
        *counts = std::move(read.counts);
    }
    return read.verticalControl;
}

// What a read met, as the table's lines after the text give it: "message: "
// lines, "left out: KIND N" lines and, when the case names them, "counts: "
// vertices, parabolic, circular and unsymmetric curves.
Lines Met(const std::vector<std::string>& messages, const ProfileReadCounts& counts,
          bool withCounts) {
    Lines met;
    for (const std::string& message : messages) {
        met.push_back("message: " + message);
    }
    for (const auto& [element, count] : counts.leftOut.Counts()) {
        met.push_back("left out: " + element + " " + std::to_string(count));
    }
    if (withCounts) {
        met.push_back("counts: " + std::to_string(counts.vertices) + " " +
                      std::to_string(counts.parabolic) + " " + std::to_string(counts.circular) +
                      " " + std::to_string(counts.unsymmetricAsPvi));
    }
    return met;
}

// data/tables/profile.txt
TEST(ReadProfile, Table) {
    for (const auto& c : test::ReadTable("profile.txt")) {
        std::vector<std::string> messages;
        ProfileReadCounts counts;
        EXPECT_EQ(Read(Profile(c.input), "D", "A", &messages, &counts), c.expected.at(0))
            << c.title;
        const Lines expected(c.expected.begin() + 1, c.expected.end());
        const bool withCounts = !expected.empty() && expected.back().starts_with("counts: ");
        EXPECT_EQ(Met(messages, counts, withCounts), expected) << c.title;
    }
    // A ProfAlign of one vertex; the data may end before the profile does.
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"})), "0 10 ");
    EXPECT_EQ(Read(test::CrLf({"<Alignments>", "<Alignment name=\"A\">", "<Profile>",
                               "<ProfAlign name=\"D\">", "<PVI>0 10</PVI>", "<PVI>100 12</PVI>"})),
              "0 10 2 100 ");
}

TEST(ReadProfile, NamesNotFoundLeaveTheTextAlone) {
    std::vector<std::string> messages;
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "D", "B", &messages), "");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Alignment Cannot be found"});
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "d", "A", &messages), "");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Profile Cannot be found"});
}

// A value that reaches the chain file is never infinite, nor hundreds of
// digits long.
TEST(FiniteNumberText, NeitherInfinityNorAWallOfDigits) {
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatFiniteF(12.5), "12.500000");
    EXPECT_EQ(FormatFiniteF(-999999999999999.0), "-999999999999999.000000");
    EXPECT_EQ(FormatFiniteF(1e15), "1e+015");
    EXPECT_EQ(FormatFiniteF(-1e300), "-1e+300");
    EXPECT_EQ(FormatFiniteF(infinity), "1.797693135e+308");
    EXPECT_EQ(FormatFiniteF(std::nan("")), "0.000000");
    EXPECT_EQ(FormatFiniteG(-infinity, kChainDigits), "-1.797693135e+308");
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
