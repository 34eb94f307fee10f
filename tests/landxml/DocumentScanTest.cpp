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

// Document -> the point groups found and the messages shown.
TEST(ScanDocument, GroupsAndMessages) {
    const struct {
        std::string text;
        Names groups;
        Names messages;
    } cases[] = {
        {"", {}, {}},
        {"x", {}, {kFormat}},  // bytes without a tag
        {"plain text", {}, {kFormat}},
        {"<<<<", {}, {kFormat}},
        {"<CGPoints>\r\n", {"UnNamed Group"}, {}},  // the last tag is seen once
        {"<LandXML version=\"1.1\">\r\n</LandXML>", {}, {}},
        {"<LandXML version=\"1.2\">\r\n", {}, {kVersion}},
        {"<LandXML\r\n version=\"2.0\">\r\n</LandXML>", {}, {kVersion}},
        {"<LandXML xmlns=\"a\">\r\n</LandXML>", {}, {}},
        {CrLf({"<LandXML version=\"1.0\">", "<Mystery/>", "<PipeNetwork>", "<Other>"}),
         {},
         {kFormat}},
        {CrLf({"<CgPoints name=\"A\">", "</CgPoints>", "<CGPOINTS>", "</CGPOINTS>",
               "<cgpoints name=\"lower\">", "</cgpoints>",  // the name pattern is case-sensitive
               "<CgPoints zoneNumber=\"56\">", "<CgPoint name=\"1\">1 2 3</CgPoint>", "</CgPoints>",
               "<CgPoints\tzone=\"56\" name=\"Lots\">", "</CgPoints>", "<CgPoints name=\"C\"/>",
               "<CgPoints zone=\"1\"/>"}),  // an empty group of no known form
         {"A", "UnNamed Group", "", "UnNamed Group3", "Lots"},
         {kFormat}},
        {CrLf({"<Units/>", "<CoordinateSystem name=\"x\"/>", "<Feature code=\"f\"/>", "<Roadways/>",
               "<CgPoints name=\"A\">", "<CgPoints/>", "</CgPoints>", "<CgPoints name=\"B\">",
               "</CgPoints>"}),
         {"A", "B"},
         {}},
        // A nested group and its points belong to the outer one.
        {CrLf({"<CgPoints name=\"A\">", "<CgPoints name=\"inner\">", "<CgPoint>4 5 6</CgPoint>",
               "</CgPoints>", "<CgPoint>1 2 3</CgPoint>", "</CgPoints>", "<CgPoints name=\"B\">",
               "</CgPoints>"}),
         {"A", "B"},
         {}},
        {CrLf({"<Application name=\"a\">", "<Author x=\"1\"/>", "</Author>", "</Application>"}),
         {},
         {}},
        // Any other child ends the section and is recognised at the top level.
        {CrLf({"<Application name=\"a\">", "<Unknown/>", "<CgPoints name=\"G\">", "</CgPoints>"}),
         {"G"},
         {kFormat}},
        {CrLf({"<Application name=\"a\">", "<CgPoints name=\"G\">", "</CgPoints>"}), {"G"}, {}},
        {CrLf({"<Surfaces>", "<CgPoints name=\"no\">", "</Surfaces>", "<Parcels name=\"p\">",
               "<Mystery/>", "</Parcels>", "<Roadways>", "<CgPoints name=\"no\">", "</Roadways>",
               "<Survey>", "<CgPoints name=\"no\">", "</Survey>", "<PlanFeatures>",
               "<PlanFeature name=\"x\">", "</PlanFeature>", "</PlanFeatures>",
               "<!-- a comment <CgPoints name=\"no\" -->", "<CgPoints name=\"yes\">",
               "</CgPoints>"}),
         {"yes"},
         {}},
        {CrLf({"<Units>", "<CgPoints name=\"A\">", "</CgPoints>"}), {}, {}},  // never closed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        Scan scan(c.text);
        EXPECT_EQ(scan.Groups(), c.groups);
        EXPECT_EQ(scan.ui.Messages(), c.messages);
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
