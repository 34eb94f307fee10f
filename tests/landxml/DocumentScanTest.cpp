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
    Catalogue catalogue;
    ScriptedUserInterface ui;

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

TEST(ScanDocument, CataloguesGroupsAlignmentsProfilesAndSurfaces) {
    const std::string text = CrLf({
        "<?xml version=\"1.0\"?>",
        "<LandXML version=\"1.1\">",
        "<Units><Metric linearUnit=\"meter\"/></Units>",
        "<Application name=\"x\"><Author createdBy=\"y\"/></Application>",
        "<Project name=\"p\"/>",
        "<CgPoints name=\"Survey\">",
        "<CgPoint name=\"1\">1 2 3</CgPoint>",
        "</CgPoints>",
        "<Alignments name=\"all\">",
        "<Alignment name=\"CL\" desc=\"Main\" staStart=\"100\">",
        "<CoordGeom><Line><Start>1 2</Start><End>3 4</End></Line></CoordGeom>",
        "<Profile><ProfAlign name=\"FG\">",
        "<PVI>0 10</PVI></ProfAlign><ProfSurf name=\"EG\"></ProfSurf></Profile>",
        "<CrossSects><CrossSect sta=\"0\"><CrossSectSurf "
        "name=\"Top\"></CrossSectSurf></CrossSect></CrossSects>",
        "</Alignment>",
        "</Alignments>",
        "<Surfaces><Surface name=\"S\"><Pnts><P id=\"1\">1 2 3</P></Pnts></Surface></Surfaces>",
        "</LandXML>",
    });
    Scan scan(text);
    EXPECT_TRUE(scan.ui.Events().empty());
    EXPECT_EQ(scan.Groups(), (Names{"Survey"}));
    EXPECT_EQ(scan.catalogue.PointGroups()[0].position, text.find("<CgPoints name") + 24);
    ASSERT_EQ(scan.catalogue.Alignments().size(), 1u);
    const AlignmentEntry& alignment = scan.catalogue.Alignments()[0];
    EXPECT_EQ(alignment.name, "CL - Main");
    EXPECT_EQ(alignment.stationStart, "100");
    EXPECT_EQ(alignment.position, text.find("staStart=\"100\">") + 15);
    ASSERT_EQ(alignment.ProfileCount(), 2);
    EXPECT_EQ(alignment.GetProfileName(0), "FG");
    EXPECT_EQ(alignment.GetProfilePosition(0), text.find("\r\n<PVI>"));
    EXPECT_EQ(alignment.GetProfileName(1), "EG");
    EXPECT_EQ(alignment.surfaces, (Names{"Top"}));
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
