#include "xsection/CrossSectionReader.h"

#include <gtest/gtest.h>

#include "profile/LandXmlTestDocument.h"

namespace chainforge {
namespace {

using test::AlignmentDocument;
using test::Lines;
using test::ScannedDocument;
using Texts = std::vector<std::string>;

Lines Section(const std::string& station, const std::string& points,
              const std::string& surface = "G") {
    return {"<CrossSect sta=\"" + station + "\">", "<CrossSectSurf name=\"" + surface + "\">",
            "<PntList2D>" + points + "</PntList2D>", "</CrossSectSurf>", "</CrossSect>"};
}

Lines CrossSects(const std::vector<Lines>& sections) {
    Lines body{"<CrossSects>"};
    for (const Lines& section : sections) {
        test::Append(body, section);
    }
    body.push_back("</CrossSects>");
    return body;
}

struct SectionsRead {
    std::string verticalControl;
    Texts left;
    Texts right;
    Texts messages;
};

SectionsRead ReadFrom(const std::string& bytes, std::string verticalControl = {},
                      const std::string& surface = "G", const std::string& alignment = "A") {
    ScannedDocument scanned(bytes);
    SectionsRead read;
    read.verticalControl = std::move(verticalControl);
    ReadCrossSections(scanned.document, scanned.catalogue, scanned.ui, alignment,
                      read.verticalControl, surface, read.left, read.right);
    read.messages = scanned.ui.Messages();
    return read;
}

SectionsRead ReadSections(const std::vector<Lines>& sections, std::string verticalControl = {}) {
    return ReadFrom(AlignmentDocument(CrossSects(sections)), std::move(verticalControl));
}

std::string Deviation(const std::string& smallest, const std::string& largest) {
    return "The Centerline was off from the cross-section by as little as " + smallest +
           " and much as " + largest +
           ".  It is recommended that you either use no profile, or use a surface that is "
           "closer to mimicing the profile";
}

const char* const kExamplePoints = "-10 99 -4 100 0 100.08 4 100 10 99.5";

TEST(ReadCrossSections, TemplateExample) {
    const SectionsRead read = ReadSections({Section("100", kExamplePoints)});
    EXPECT_EQ(read.left, Texts{"100 -2 4 6 0.01 6"});
    EXPECT_EQ(read.right, Texts{"100 -2 4 12 0.01 12"});
    EXPECT_EQ(read.verticalControl, "100 100.08 0 100 ");
    EXPECT_TRUE(read.messages.empty());
}

TEST(ReadCrossSections, CentrePointNearTheCentreline) {
    const SectionsRead read = ReadSections({Section("7", "-0.0001 5 0.00005 6 3 6")});
    EXPECT_EQ(read.verticalControl, "7 6 0 7 ");
    EXPECT_EQ(read.left, Texts{"7 0.0001 0.01 0.0001"});
    EXPECT_EQ(read.right, Texts{"7 10000 0.01 10000"});
}

TEST(ReadCrossSections, InterpolatedCentreElevation) {
    const SectionsRead vpiOnly = ReadSections({Section("50", "-6 10 2 14")});
    EXPECT_EQ(vpiOnly.verticalControl, "50 13 0 50 ");
    EXPECT_EQ(vpiOnly.left, Texts{"50 2 0.01 2"});
    EXPECT_EQ(vpiOnly.right, Texts{"50 "});

    const SectionsRead profile = ReadSections({Section("50", "-6 10 2 14")}, "0 10 2 100 -1 200 ");
    EXPECT_EQ(profile.verticalControl, "0 10 2 100 -1 200 ");
    EXPECT_EQ(profile.left, Texts{"50 6 0.01 6"});
    EXPECT_EQ(profile.messages, Texts{Deviation("2", "2")});
}

TEST(ReadCrossSections, ProfileElevationTakenWithSixDecimals) {
    const SectionsRead read =
        ReadSections({Section("12.3456789", "-6 10 2 14 10 10.2 20 10.2")}, "0 10 1 300 ");
    EXPECT_EQ(read.left, Texts{"12.3457 48.5999 0.01 48.5999"});
    EXPECT_EQ(read.right, Texts{"12.3457 0.76543 10 10000 0.01 10000"});
    EXPECT_EQ(read.messages, Texts{Deviation("2.87654", "2.87654")});
}

TEST(ReadCrossSections, SectionWithoutCentrePoint) {
    const SectionsRead first = ReadSections({Section("0", "-2 -1")});
    EXPECT_EQ(first.left, Texts{"0 2 0.01 2"});
    EXPECT_EQ(first.right, Texts{"0 "});

    const SectionsRead later =
        ReadSections({Section("0", "-2 9 0 10"), Section("10", "-4 8 -2 9")});
    EXPECT_EQ(later.left, (Texts{"0 2 0.01 2", "10 -50 2 2 0.01 2"}));
    EXPECT_EQ(later.right, Texts{"0 "});
    EXPECT_EQ(later.verticalControl, "0 10 0 0 ");
}

TEST(ReadCrossSections, TemplatesRepeatedButForTheStationAreDropped) {
    const std::string near = "-6 8 -3 9 0 10 3 9 6 8";
    const SectionsRead read = ReadSections({Section("0", near), Section("10", near),
                                            Section("20", "-6.0005 8 -3 9 0 10 3 9 6 8"),
                                            Section("30", "-6.002 8 -3 9 0 10 3 9 6 8")});
    EXPECT_EQ(read.left, (Texts{"0 -33.3333 3 3 0.01 3", "30 -33.3333 3 3.002 0.01 3.002"}));
    EXPECT_EQ(read.right, Texts{"0 -33.3333 3 3 0.01 3"});
}

TEST(ReadCrossSections, VerticalControlFromSections) {
    EXPECT_EQ(ReadSections({Section("0", "0 10"), Section("50", "0 11"), Section("100", "0 12"),
                            Section("150", "0 12.5")})
                  .verticalControl,
              "0 10 2 100 1 150 ");
    EXPECT_EQ(ReadSections({Section("20", "0 5")}).verticalControl, "20 5 0 20 ");
    EXPECT_EQ(ReadSections({Section("20", "0 5", "Other")}).verticalControl, "0 0 ");
    EXPECT_EQ(ReadSections({}).verticalControl, "0 0 ");
}

TEST(ReadCrossSections, DeviationFromTheProfile) {
    const std::string flat = "0 10 0 1000 ";
    EXPECT_TRUE(ReadSections({Section("5", "0 10.0101")}, flat).messages.empty());
    EXPECT_EQ(ReadSections({Section("5", "0 10.0102")}, flat).messages,
              Texts{Deviation("0.0102", "0.0102")});
    EXPECT_EQ(
        ReadSections({Section("5", "0 10.5"), Section("6", "0 10"), Section("7", "0 10.02")}, flat)
            .messages,
        Texts{Deviation("0.02", "0.5")});
}

TEST(ReadCrossSections, BeyondTheProfileTheElevationIsZero) {
    const SectionsRead read = ReadSections({Section("200", "-1 5 1 7")}, "0 10 0 100 ");
    EXPECT_EQ(read.left, Texts{"200 0.2 0.01 0.2"});
    EXPECT_EQ(read.messages, Texts{Deviation("6", "6")});
}

TEST(ReadCrossSections, AlignmentNotFound) {
    const SectionsRead read =
        ReadFrom(AlignmentDocument(CrossSects({Section("0", "0 1")})), "", "G", "Z");
    EXPECT_EQ(read.messages, Texts{"Error: Alignment Cannot be found"});
    EXPECT_EQ(read.verticalControl, "");
    EXPECT_TRUE(read.left.empty());
}

TEST(ReadCrossSections, StopsAtTheEndOfItsAlignmentOrOfTheData) {
    const std::string twoAlignments = test::AlignmentsDocument(
        {{"<CoordGeom>", "</CoordGeom>"}, CrossSects({Section("0", "-2 9 0 10 2 9")})});
    const SectionsRead withoutSections = ReadFrom(twoAlignments);
    EXPECT_EQ(withoutSections.verticalControl, "");
    EXPECT_TRUE(withoutSections.left.empty());
    EXPECT_TRUE(withoutSections.right.empty());

    Lines cut = test::DocumentHead();
    test::Append(cut, {"<Alignment name=\"A\">", "<CrossSects>"});
    test::Append(cut, Section("20", "0 5"));
    EXPECT_EQ(ReadFrom(test::CrLf(cut)).verticalControl, "20 5 0 20 ");

    Lines beforeSections = test::DocumentHead();
    beforeSections.push_back("<Alignment name=\"A\">");
    EXPECT_EQ(ReadFrom(test::CrLf(beforeSections)).verticalControl, "");
}

TEST(ReadCrossSections, SectionAtTheLastStationAddsNoGrade) {
    const SectionsRead read =
        ReadSections({Section("0", "0 10"), Section("50", "0 11"), Section("50", "-2 19 0 20"),
                      Section("60", "-2 18"), Section("100", "0 12")});
    EXPECT_EQ(read.verticalControl, "0 10 2 100 ");
    EXPECT_EQ(read.left, (Texts{"0 ", "50 2 0.01 2", "60 1 0.01 1", "100 "}));
}

TEST(ReadCrossSections, AttributesInAnyOrder) {
    const SectionsRead read =
        ReadSections({{"<CrossSect name=\"X\" angleSkew=\"0\" sta=\"250\">",
                       "<CrossSectSurf side=\"x\" name=\"G\">", "<PntList2D>0 1</PntList2D>",
                       "</CrossSectSurf>", "</CrossSect>"},
                      {"<CrossSect name=\"Y\">", "<CrossSectSurf name=\"G\">",
                       "<PntList2D>0 2</PntList2D>", "</CrossSectSurf>", "</CrossSect>"}});
    // The second section keeps the station of the first, so it adds no grade.
    EXPECT_EQ(read.verticalControl, "250 1 0 250 ");
    EXPECT_EQ(read.left, Texts{"250 "});
}

TEST(ReadCrossSections, PointListContinuesOverLines) {
    const SectionsRead read = ReadSections(
        {{"<CrossSect sta=\"100\">", "<CrossSectSurf name=\"G\">", "<PntList2D>-10 99 -4 100",
          "\t0 100.08 4 100", "10 99.5</PntList2D>", "</CrossSectSurf>", "</CrossSect>"}});
    EXPECT_EQ(read.left, Texts{"100 -2 4 6 0.01 6"});
    EXPECT_EQ(read.right, Texts{"100 -2 4 12 0.01 12"});
}

TEST(ReadCrossSections, SurfaceNameTakenAfreshFromEachLine) {
    const Lines sections = CrossSects(
        {{"<CrossSect sta=\"0\">", "<CrossSectSurf name=\"G\">", "<PntList2D>0 1</PntList2D>",
          "</CrossSectSurf>", "<CrossSectSurf side=\"left\">", "<PntList2D>0 3</PntList2D>",
          "</CrossSectSurf>", "<CrossSectSurf desc=\"Only\">", "<PntList2D>0 2</PntList2D>",
          "</CrossSectSurf>", "</CrossSect>"}});
    const std::string bytes = AlignmentDocument(sections);
    EXPECT_EQ(ReadFrom(bytes, "", " - Only").verticalControl, "0 2 0 0 ");
    EXPECT_EQ(ReadFrom(bytes, "", "g").verticalControl, "0 1 0 0 ");
}

TEST(ReadCrossSections, MalformedInput) {
    const std::string longNumber = "0." + std::string(150, '0') + "1";
    const SectionsRead read = ReadSections(
        {Section("0", "abc 5 2 x 3"), Section("10", longNumber + " 4 -1e308 1e308 1e308 -1e308")});
    EXPECT_EQ(read.verticalControl, "0 5 -10 10 ");
    EXPECT_EQ(read.left, Texts{"0 "});
    // The last segment's run and rise overflow, and its grade is undefined.
    EXPECT_EQ(read.right, (Texts{"0 0.4 0.01 0.4", "10 -10000 1e+306 0 0.01 0"}));
}

}  // namespace
}  // namespace chainforge
