#include "profile/ProfileReader.h"

#include <gtest/gtest.h>

#include "profile/SplitIntoPairs.h"
#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;

std::string Design(const Lines& rows) {
    return test::AlignmentsDocument({Lines{"<Profile name=\"P\">", "<ProfAlign name=\"D\">"} +
                                     rows + Lines{"</ProfAlign>", "</Profile>"}});
}

std::string Surface(const std::string& list) {
    return test::AlignmentsDocument(
        {{"<Profile name=\"P\">", "<ProfSurf name=\"D\">", "<PntList2D>" + list + "</PntList2D>",
          "</ProfSurf>", "</Profile>"}});
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

// Document -> vertical control text.
TEST(ReadProfile, Table) {
    const std::pair<std::string, std::string> cases[] = {
        {Design({"<PVI>0 100</PVI>", "<ParaCurve length=\"200\">500 110</ParaCurve>",
                 "<PVI>1000 105</PVI>"}),
         "0 100 2 \"400 600\" -1 1000 "},
        {Surface("0 100 50 101 100 100.5"), "0 100 2 50 -1 100 "},
        {Surface("0 100 50 101 100"), "0 100 2 50 "},
        {Design({"<PVI>0 10</PVI>"}), "0 10 "},
        {Design({"<PVI>1234.5678 100.000</PVI>"}), "1234.57 100 "},
        {Design({"<PVI>0 10</PVI>", "<PVI>100 10</PVI>", "<PVI>200 12.5</PVI>"}),
         "0 10 0 100 2.5 200 "},
        // A curve before any vertex is written, then replaced by the first vertex.
        {Design({"<ParaCurve length=\"20\">50 5</ParaCurve>", "<PVI>100 10</PVI>",
                 "<PVI>200 12</PVI>"}),
         "100 10 2 200 "},
        {Design({"<PVI>0 10</PVI>", "</ProfSurf>", "<PVI>100 20</PVI>"}), "0 10 "},
        {Design({"<pvi>0 10</pvi>", "<paracurve length=\"20\">50 11</paracurve>",
                 "<Pvi>100 10</Pvi>"}),
         "0 10 2 \"40 60\" -2 100 "},
        {test::CrLf({"<Alignments>", "<Alignment name=\"A\">", "<Profile>",
                     "<ProfAlign name=\"D\">", "<PVI>0 10</PVI>", "<PVI>100 12</PVI>"}),
         "0 10 2 100 "},  // the data ends
        // A vertex at the previous station is passed over.
        {Design({"<PVI>0 10</PVI>", "<PVI>100 12</PVI>", "<PVI>100 50</PVI>", "<PVI>200 14</PVI>"}),
         "0 10 2 100 2 200 "},
        {Design(
             {"<PVI>0 10</PVI>", "<ParaCurve length=\"20\">0 30</ParaCurve>", "<PVI>100 12</PVI>"}),
         "0 10 2 100 "},
        {Surface("0 10 0 30 100 12"), "0 10 2 100 "},
        {Design({"<PVI desc=\"start\">0 10</PVI>", "<PVI desc=\"x\">100 12</PVI>",
                 "<ParaCurve desc=\"c\" length=\"20\">150 13</ParaCurve>", "<PVIs>200 12</PVIs>"}),
         "0 10 2 100 2 \"140 160\" "},
        {Design({"<PVI>", "  0 10", "</PVI>", "<PVI>100", "\t12</PVI>", "<ParaCurve length=\"20\">",
                 "150 13", "</ParaCurve>", "<PVI>200 14</PVI>"}),
         "0 10 2 100 2 \"140 160\" 2 200 "},
        {Surface("0 100 50\r\n\t\t101 100 100.5"), "0 100 2 50 -1 100 "},
        // Other vertical curves keep their intersection point.
        {Design({"<PVI>0 10</PVI>", "<CircCurve length=\"20\" radius=\"500\">50 11</CircCurve>",
                 "<PVI>100 10</PVI>"}),
         "0 10 2 \"40 60\" -2 100 "},
        {Design({"<PVI>0 10</PVI>",
                 "<UnsymParaCurve lengthIn=\"10\" lengthOut=\"30\">50 11</UnsymParaCurve>",
                 "<PVI>100 10</PVI>"}),
         "0 10 2 50 -2 100 "},
        // A value that is not there keeps what the vertex before left.
        {Design({"<PVI>0 10</PVI>", "<PVI>100</PVI>"}), "0 10 0 100 "},
        {Surface("0 100 abc 7 100 102"), "0 100 2 100 "},
        {Surface("0." + std::string(120, '0') + "1 10"), "1e-121 10 "},
        // Never infinity or not a number.
        {Design({"<PVI>0 -1e308</PVI>", "<PVI>1e-300 1e308</PVI>"}),
         "0 -1e+308 1.79769e+308 1e-300 "},
        {Design({"<PVI>0 0</PVI>", "<PVI>1e999 0</PVI>"}), "0 0 0 1.79769e+308 "},
    };
    for (const auto& [document, text] : cases) {
        EXPECT_EQ(Read(document), text) << document.substr(60, 120);
    }
    EXPECT_EQ(Read(Design({"<PVI>0 10</PVI>"}), "1 2 3 "), "0 10 ");  // replaced
}

TEST(ReadProfile, NamesNotFoundLeaveTheTextAlone) {
    std::vector<std::string> messages;
    EXPECT_EQ(Read(Design({"<PVI>0 10</PVI>"}), "kept ", "D", "B", &messages), "kept ");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Alignment Cannot be found"});
    EXPECT_EQ(Read(Design({"<PVI>0 10</PVI>"}), "kept ", "d", "A", &messages), "kept ");
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
