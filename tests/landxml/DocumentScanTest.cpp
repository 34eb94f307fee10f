#include "landxml/DocumentScan.h"

#include <gtest/gtest.h>

#include "landxml/MakerInfo.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using test::CrLf;
using Names = std::vector<std::string>;

const std::string kFormat =
    std::string("Format does not match known types.  Please e-mail this file to ") +
    kMakerSupportEmail;
const std::string kVersion =
    std::string(
        "This version is newer than what this program understands.  You might want to check ") +
    kMakerWebAddress + " for a newer version";

struct Scan {
    CDocumentBuffer document;
    CCatalogue catalogue;
    CScriptedUserInterface ui;

    explicit Scan(std::string_view bytes) {
        document.Assign(bytes);
        ScanDocument(document, catalogue, ui);
    }
    Names Groups() const {
        Names names;
        for (const auto& group : catalogue.PointGroups()) {
            names.push_back(group.name);
        }
        return names;
    }
};

// Each position just after the opening tag, in the text as held; a profile's
// at the line end.
TEST(ScanDocument, Positions) {
    const std::string text =
        CrLf({"<LandXML version=\"1.1\">", "<CgPoints name=\"Survey\">", "<CgPoint>1 2 3</CgPoint>",
              "</CgPoints>", "<Alignments>", "<Alignment name=\"CL\" staStart=\"100\">",
              "<Profile><ProfAlign name=\"FG\">", "<PVI>0 10</PVI></ProfAlign></Profile>",
              "</Alignment>", "</Alignments>"});
    Scan scan(text);
    EXPECT_EQ(scan.catalogue.PointGroups().at(0).position, text.find("<CgPoints") + 24);
    const AlignmentEntry& alignment = scan.catalogue.Alignments().at(0);
    EXPECT_EQ(alignment.position, text.find("<Alignment ") + 36);
    // One line feed is put in before it, after "<Profile>".
    EXPECT_EQ(alignment.GetProfilePosition(0), text.find("\r\n<PVI>") + 1);
}

// data/tables/scan.txt, then bytes without a line end: no bytes are no
// format; any bytes without a tag are of an unknown one.
TEST(ScanDocument, GroupsAndMessages) {
    auto cases = test::ReadTable("scan.txt");
    for (const char* bytes : {"x", "<<<<", "plain text"}) {
        cases.push_back({bytes, {}, {"format"}});
    }
    for (const auto& c : cases) {
        Scan scan(c.input.empty() ? c.title : CrLf(c.input));
        Names seen;
        if (const LinearUnit& unit = scan.catalogue.Unit(); unit.Stated()) {
            seen.push_back("unit: " + unit.name + " (" + unit.system + ")");
        }
        for (const std::string& group : scan.Groups()) {
            seen.push_back("group: " + group);
        }
        for (const AlignmentEntry& alignment : scan.catalogue.Alignments()) {
            seen.push_back("alignment: " + alignment.name + " at " + alignment.stationStart);
            for (const ProfileEntry& profile : alignment.profiles) {
                seen.push_back("profile: " + profile.name);
            }
            for (const std::string& surface : alignment.surfaces) {
                seen.push_back("surface: " + surface);
            }
            for (const StationEquation& e : alignment.stationEquations) {
                seen.push_back("equation: back " + e.back + " ahead " + e.ahead + " internal " +
                               e.internal + (e.increment.empty() ? "" : " " + e.increment));
            }
        }
        for (const std::string& message : scan.ui.Messages()) {
            seen.push_back(message == kFormat    ? "format"
                           : message == kVersion ? "version"
                                                 : message);
        }
        EXPECT_EQ(seen, c.expected) << c.title;
    }
    EXPECT_TRUE(Scan("").ui.Events().empty());
}

// Points of nested groups, to any depth, count for the outer group.
TEST(ScanDocument, NestedGroupsCountTheirPoints) {
    Scan scan(CrLf({"<CgPoints name=\"A\">", "<CgPoint>1 2 3</CgPoint>", "<CgPoints>", "<CgPoints>",
                    "<CgPoint>1 2 3</CgPoint>", "<CgPoint>4 5 6</CgPoint>", "</CgPoints>",
                    "<CgPoint>7 8 9</CgPoint>", "</CgPoints>", "</CgPoints>"}));
    ASSERT_EQ(scan.catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(scan.catalogue.PointGroups()[0].points, 4u);
}

// data/tables/ends.txt.
TEST(ScanDocument, WhereTheFileEnds) {
    for (const auto& c : test::ReadTable("ends.txt")) {
        Scan scan(CrLf(c.input));
        const std::string& element = scan.catalogue.EndedInside();
        EXPECT_EQ(element.empty() ? Names{} : Names{"ends inside " + element}, c.expected)
            << c.title;
    }
}

TEST(ScanDocument, AlignmentTagsWithLineBreaksAndRescans) {
    Scan scan(
        "<Alignments>\n<Alignment\nname=\"A\"\nstaStart=\"5\">\n<ProfAlign\tname=\"P\">\n</"
        "Alignment>\n</Alignments>\n");
    ASSERT_EQ(scan.catalogue.Alignments().size(), 1u);
    EXPECT_EQ(scan.catalogue.Alignments()[0].name, "A");
    EXPECT_EQ(scan.catalogue.Alignments()[0].GetProfileName(0), "P");
    scan.document.Seek(5);
    ScanDocument(scan.document, scan.catalogue, scan.ui);
    EXPECT_EQ(scan.catalogue.Alignments().size(), 1u);
}

}  // namespace
}  // namespace chainforge
