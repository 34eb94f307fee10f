#include "landxml/DocumentScan.h"

#include <gtest/gtest.h>

#include "landxml/MakerInfo.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using test::CrLf;
using Names = std::vector<std::string>;

const std::string kFormatMessage =
    std::string("Format does not match known types.  Please e-mail this file to ") +
    kMakerSupportEmail;
const std::string kVersionMessage =
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
    EXPECT_EQ(alignment.position, text.find("staStart=\"100\">") + 15) << text;
    ASSERT_EQ(alignment.ProfileCount(), 2);
    EXPECT_EQ(alignment.GetProfileName(0), "FG");
    EXPECT_EQ(alignment.GetProfilePosition(0), text.find("\r\n<PVI>"));
    EXPECT_EQ(alignment.GetProfileName(1), "EG");
    EXPECT_EQ(alignment.surfaces, (Names{"Top"}));
}

TEST(ScanDocument, VersionCheck) {
    EXPECT_TRUE(Scan("<LandXML version=\"1.1\">\r\n</LandXML>").ui.Events().empty());
    EXPECT_EQ(Scan("<LandXML version=\"1.2\">\r\n</LandXML>").ui.Messages(),
              Names{kVersionMessage});
    // Attributes on the next line: the blank after the name may be any white space.
    EXPECT_EQ(Scan("<LandXML\r\n version=\"2.0\">\r\n</LandXML>").ui.Messages(),
              Names{kVersionMessage});
    EXPECT_TRUE(Scan("<LandXML xmlns=\"a\">\r\n</LandXML>").ui.Events().empty());
}

TEST(ScanDocument, UnknownTagsDrawOneMessagePerScan) {
    Scan scan(CrLf(
        {"<LandXML version=\"1.0\">", "<Mystery/>", "<PipeNetwork>", "<Other>", "</LandXML>"}));
    EXPECT_EQ(scan.ui.Messages(), Names{kFormatMessage});
}

TEST(ScanDocument, EndOfData) {
    // Nothing at all: no message. Bytes without a tag: one message.
    EXPECT_TRUE(Scan("").ui.Events().empty());
    EXPECT_EQ(Scan("plain text").ui.Messages(), Names{kFormatMessage});
    EXPECT_EQ(Scan("<<<<").ui.Messages(), Names{kFormatMessage});
    // The last tag is seen once, also with text after it.
    Scan group("<CGPoints>\r\n");
    EXPECT_EQ(group.Groups(), (Names{"UnNamed Group"}));
    EXPECT_EQ(Scan("<LandXML version=\"1.2\">\r\n").ui.Messages().size(), 1u);
}

TEST(ScanDocument, PointGroupNames) {
    Scan scan(CrLf({
        "<CgPoints name=\"A\">", "</CgPoints>", "<CGPOINTS>", "</CGPOINTS>",
        "<cgpoints name=\"lower\">", "</cgpoints>",  // the name pattern is case-sensitive
        "<CgPoints zoneNumber=\"56\">", "<CgPoint name=\"1\">1 2 3</CgPoint>", "</CgPoints>",
        "<CgPoints\tzone=\"56\" name=\"Lots\">", "</CgPoints>", "<CgPoints name=\"Closed\"/>",
        "<CgPoints zone=\"1\"/>",  // an empty group of no known form
    }));
    EXPECT_EQ(scan.Groups(), (Names{"A", "UnNamed Group", "", "UnNamed Group3", "Lots"}));
    EXPECT_EQ(scan.ui.Messages(), Names{kFormatMessage});
}

TEST(ScanDocument, SelfClosingTagsOpenNoSection) {
    Scan scan(CrLf({
        "<Units/>",
        "<CoordinateSystem name=\"x\"/>",
        "<Feature code=\"f\"/>",
        "<Roadways/>",
        "<CgPoints name=\"A\">",
        "<CgPoints/>",
        "</CgPoints>",
        "<CgPoints name=\"B\">",
        "</CgPoints>",
    }));
    EXPECT_EQ(scan.Groups(), (Names{"A", "B"}));
    EXPECT_TRUE(scan.ui.Events().empty());
}

TEST(ScanDocument, NestedPointGroupReturnsToItsParent) {
    Scan scan(
        CrLf({"<CgPoints name=\"A\">", "<CgPoints name=\"inner\">", "</CgPoints>",
              "<CgPoint>1 2 3</CgPoint>", "</CgPoints>", "<CgPoints name=\"B\">", "</CgPoints>"}));
    EXPECT_EQ(scan.Groups(), (Names{"A", "B"}));
    EXPECT_TRUE(scan.ui.Events().empty());
}

TEST(ScanDocument, ApplicationSection) {
    EXPECT_TRUE(
        Scan(CrLf({"<Application name=\"a\">", "<Author x=\"1\"/>", "</Author>", "</Application>"}))
            .ui.Events()
            .empty());
    // Any other child ends the section and is recognised at the top level.
    Scan scan(
        CrLf({"<Application name=\"a\">", "<Unknown/>", "<CgPoints name=\"G\">", "</CgPoints>"}));
    EXPECT_EQ(scan.ui.Messages(), Names{kFormatMessage});
    EXPECT_EQ(scan.Groups(), (Names{"G"}));
    Scan child(CrLf({"<Application name=\"a\">", "<CgPoints name=\"G\">", "</CgPoints>"}));
    EXPECT_EQ(child.Groups(), (Names{"G"}));
}

TEST(ScanDocument, SkippedSectionsHideTheirContent) {
    Scan scan(CrLf({
        "<Surfaces>",
        "<CgPoints name=\"no\">",
        "</Surfaces>",
        "<Parcels name=\"p\">",
        "<Mystery/>",
        "</Parcels>",
        "<Roadways>",
        "<CgPoints name=\"no\">",
        "</Roadways>",
        "<Survey>",
        "<CgPoints name=\"no\">",
        "</Survey>",
        "<PlanFeatures>",
        "<PlanFeature name=\"x\">",
        "</PlanFeature>",
        "</PlanFeatures>",
        "<!-- a comment <CgPoints name=\"no\" -->",
        "<CgPoints name=\"yes\">",
        "</CgPoints>",
    }));
    EXPECT_EQ(scan.Groups(), (Names{"yes"}));
    EXPECT_TRUE(scan.ui.Events().empty());
}

TEST(ScanDocument, UnclosedSectionSwallowsTheRest) {
    Scan scan(CrLf({"<Units>", "<CgPoints name=\"A\">", "</CgPoints>"}));
    EXPECT_TRUE(scan.Groups().empty());
}

TEST(ScanDocument, AlignmentTagsWithLineBreaks) {
    Scan scan(
        "<Alignments>\n<Alignment\nname=\"A\"\nstaStart=\"5\">\n<ProfAlign\tname=\"P\">\n</"
        "Alignment>\n</Alignments>\n");
    ASSERT_EQ(scan.catalogue.Alignments().size(), 1u);
    EXPECT_EQ(scan.catalogue.Alignments()[0].name, "A");
    EXPECT_EQ(scan.catalogue.Alignments()[0].GetProfileName(0), "P");
}

TEST(ScanDocument, RescanStartsAfresh) {
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;
    document.Assign("<CgPoints name=\"A\">\r\n</CgPoints>\r\n");
    ScanDocument(document, catalogue, ui);
    document.Seek(5);
    ScanDocument(document, catalogue, ui);
    ASSERT_EQ(catalogue.PointGroups().size(), 1u);
    EXPECT_EQ(catalogue.PointGroups()[0].name, "A");
}

TEST(ScanDocument, EverySampleScansWithoutTrouble) {
    for (const auto& path : test::SampleFiles()) {
        CDocumentBuffer document;
        ASSERT_EQ(document.Open(path.string()), 0) << path;
        Catalogue catalogue;
        ScriptedUserInterface ui;
        ScanDocument(document, catalogue, ui);
        EXPECT_LE(ui.Messages().size(), 2u) << path;
    }
}

}  // namespace
}  // namespace chainforge
