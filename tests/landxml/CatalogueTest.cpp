#include "landxml/Catalogue.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

std::vector<std::string> GroupNames(const Catalogue& catalogue) {
    std::vector<std::string> names;
    for (const auto& group : catalogue.PointGroups()) {
        names.push_back(group.name);
    }
    return names;
}

std::vector<std::string> ProfileNames(const AlignmentEntry& alignment) {
    std::vector<std::string> names;
    for (const auto& profile : alignment.profiles) {
        names.push_back(profile.name);
    }
    return names;
}

using Names = std::vector<std::string>;

TEST(ExtractNameAndDescription, NameThenDescription) {
    EXPECT_EQ(ExtractNameAndDescription("<Alignment name=\"CL\" desc=\"Main\" length=\"3\">"),
              "CL - Main");
    EXPECT_EQ(ExtractNameAndDescription("<Alignment name=\"CL\" desc=\"\">"), "CL");
    EXPECT_EQ(ExtractNameAndDescription("<Alignment desc=\"Main\">"), " - Main");
    EXPECT_EQ(ExtractNameAndDescription("<Alignment length=\"3\">"), "");
    EXPECT_EQ(ExtractNameAndDescription("<Alignment NAME=\"Up\" Desc=\"x\">"), "Up - x");
    EXPECT_EQ(ExtractNameAndDescription("<Alignment name='single'>"), "");
    // The first attribute ending in those letters is taken.
    EXPECT_EQ(ExtractNameAndDescription("<Alignment oname=\"a\" name=\"b\">"), "a");
}

TEST(AddPointGroup, RepeatedNamesAreNumbered) {
    Catalogue catalogue;
    for (const char* name : {"A", "A", "A"}) {
        catalogue.AddPointGroup(name, 1);
    }
    EXPECT_EQ(GroupNames(catalogue), (Names{"A", "A1", "A2"}));
    catalogue.ClearCatalogue();
    for (const char* name : {"A", "A1", "A"}) {
        catalogue.AddPointGroup(name, 1);
    }
    EXPECT_EQ(GroupNames(catalogue), (Names{"A", "A1", "A2"}));
}

TEST(AddPointGroup, NumberedNameNeverRepeatsAListedOne) {
    Catalogue catalogue;
    for (const char* name : {"A", "A2", "A", "UnNamed Group", "UnNamed Group"}) {
        catalogue.AddPointGroup(name, 7);
    }
    EXPECT_EQ(GroupNames(catalogue), (Names{"A", "A2", "A3", "UnNamed Group", "UnNamed Group4"}));
    EXPECT_EQ(catalogue.FindPointGroup("A3"), &catalogue.PointGroups()[2]);
    EXPECT_EQ(catalogue.FindPointGroup("a"), nullptr);
}

TEST(AddAlignment, NameAndStartStation) {
    Catalogue catalogue;
    catalogue.AddAlignment("<Alignment name=\"CL\" desc=\"Main\" staStart=\"10000.5\">", 10);
    catalogue.AddAlignment("<Alignment name=\"B\" staStart=\"123456.78\">", 20);
    catalogue.AddAlignment("<Alignment name=\"C\" staStart=\"1000\">", 30);
    catalogue.AddAlignment("<Alignment name=\"D\">", 40);
    catalogue.AddAlignment("<Alignment name=\"E\" STASTART=\"x\">", 50);
    catalogue.AddAlignment("<Alignment name=\"B\" staStart=\"12345.678\">", 60);
    const auto& alignments = catalogue.Alignments();
    ASSERT_EQ(alignments.size(), 6u);
    EXPECT_EQ(alignments[0].name, "CL - Main");
    EXPECT_EQ(alignments[0].stationStart, "10000.5");
    EXPECT_EQ(alignments[1].stationStart, "123457");
    EXPECT_EQ(alignments[2].stationStart, "1000");
    EXPECT_EQ(alignments[3].stationStart, "0.0");
    EXPECT_EQ(alignments[4].stationStart, "0");
    EXPECT_EQ(alignments[5].name, "B5");
    EXPECT_EQ(alignments[5].stationStart, "12345.7");
    EXPECT_EQ(alignments[5].position, 60u);
}

TEST(AddProfile, RepeatsTakeTheFirstMatchThenTheNextFreeNumber) {
    Catalogue catalogue;
    catalogue.AddProfile("<ProfAlign name=\"orphan\">", 1);  // no alignment yet: dropped
    catalogue.AddAlignment("<Alignment name=\"A\">", 5);
    for (const char* name : {"EG", "FG", "EG", "EG"}) {
        catalogue.AddProfile(std::string("<ProfAlign name=\"") + name + "\">", 9);
    }
    catalogue.AddAlignment("<Alignment name=\"B\">", 50);
    catalogue.AddProfile("<ProfSurf name=\"EG\">", 60);
    const auto& a = catalogue.Alignments()[0];
    EXPECT_EQ(ProfileNames(a), (Names{"EG", "FG", "EG0", "EG3"}));
    EXPECT_EQ(ProfileNames(catalogue.Alignments()[1]), (Names{"EG"}));
    EXPECT_EQ(catalogue.Alignments()[1].GetProfilePosition(0), 60u);
}

TEST(AddProfile, IndexQueriesOutOfRange) {
    Catalogue catalogue;
    catalogue.AddAlignment("<Alignment name=\"A\">", 5);
    catalogue.AddProfile("<ProfAlign name=\"P\">", 9);
    const auto& a = catalogue.Alignments()[0];
    EXPECT_EQ(a.GetProfileName(0), "P");
    EXPECT_EQ(a.GetProfileName(-1), "");
    EXPECT_EQ(a.GetProfileName(1), "");
    EXPECT_EQ(a.GetProfilePosition(-1), 0u);
    EXPECT_EQ(a.GetProfilePosition(1), 0u);
    EXPECT_EQ(a.GetSurfaceName(0), "");
}

TEST(AddCrossSectionSurface, DistinctIgnoringCase) {
    Catalogue catalogue;
    catalogue.AddAlignment("<Alignment name=\"A\">", 5);
    for (int station = 0; station < 3; ++station) {
        for (const char* name : {"EG", "eg", "FG"}) {
            catalogue.AddCrossSectionSurface(std::string("<CrossSectSurf name=\"") + name + "\">",
                                             9);
        }
    }
    EXPECT_EQ(catalogue.Alignments()[0].surfaces, (Names{"EG", "FG"}));
    EXPECT_EQ(catalogue.Alignments()[0].GetSurfaceName(1), "FG");
}

}  // namespace
}  // namespace chainforge
