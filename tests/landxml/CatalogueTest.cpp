#include "landxml/Catalogue.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

using Names = std::vector<std::string>;

Names GroupNames(const Catalogue& catalogue) {
    Names names;
    for (const auto& group : catalogue.PointGroups()) {
        names.push_back(group.name);
    }
    return names;
}

TEST(Catalogue, NameAndDescription) {
    const std::pair<const char*, const char*> cases[] = {
        {"<Alignment name=\"CL\" desc=\"Main\" length=\"3\">", "CL - Main"},
        {"<Alignment name=\"CL\" desc=\"\">", "CL"},
        {"<Alignment desc=\"Main\">", " - Main"},
        {"<Alignment length=\"3\">", ""},
        {"<Alignment NAME=\"Up\" Desc=\"x\">", "Up - x"},
        {"<Alignment name='single' desc='it\"s'>", "single - it\"s"},
        {"<Alignment name=\"R&amp;D &#x41;&#66;\" desc=\"a&lt;b &bogus;\">",
         "R&D AB - a<b &bogus;"},
        {"<Alignment oname=\"a\" name=\"b\">", "a"},  // the first attribute ending so
    };
    for (const auto& [tag, name] : cases) {
        EXPECT_EQ(ExtractNameAndDescription(tag), name) << tag;
    }
}

TEST(Catalogue, RepeatedGroupNamesAreNumberedNeverRepeatingAListedOne) {
    const std::pair<Names, Names> cases[] = {
        {{"A", "A", "A"}, {"A", "A1", "A2"}},
        {{"A", "A1", "A"}, {"A", "A1", "A2"}},
        {{"A", "A2", "A", "UnNamed Group", "UnNamed Group"},
         {"A", "A2", "A3", "UnNamed Group", "UnNamed Group4"}},
    };
    Catalogue catalogue;
    for (const auto& [added, listed] : cases) {
        catalogue.ClearCatalogue();
        for (const std::string& name : added) {
            catalogue.AddPointGroup(name, 7);
        }
        EXPECT_EQ(GroupNames(catalogue), listed);
    }
    EXPECT_EQ(catalogue.FindPointGroup("A3"), &catalogue.PointGroups()[2]);
    EXPECT_EQ(catalogue.FindPointGroup("a"), nullptr);
}

TEST(Catalogue, AlignmentsWithStartStation) {
    Catalogue catalogue;
    const std::pair<const char*, const char*> cases[] = {
        {"<Alignment name=\"CL\" staStart=\"10000.5\">", "10000.5"},
        {"<Alignment name=\"B\" staStart=\"123456.78\">", "123456.78"},
        {"<Alignment name=\"C\">", "0.0"},
        {"<Alignment name=\"E\" STASTART=\"x\">", "0"},
        {"<Alignment name=\"B\" staStart='12345.678'>", "12345.678"},
    };
    for (const auto& [tag, station] : cases) {
        catalogue.AddAlignment(tag, 60);
        EXPECT_EQ(catalogue.Alignments().back().stationStart, station) << tag;
    }
    EXPECT_EQ(catalogue.Alignments()[4].name, "B4");
    EXPECT_EQ(catalogue.Alignments()[4].position, 60u);
}

TEST(Catalogue, ProfilesAndSurfacesOfTheLastAlignment) {
    Catalogue catalogue;
    catalogue.AddProfile("<ProfAlign name=\"orphan\">", 1);  // no alignment yet: dropped
    catalogue.AddAlignment("<Alignment name=\"A\">", 5);
    for (const char* name : {"EG", "FG", "EG", "EG"}) {
        catalogue.AddProfile(std::string("<ProfAlign name=\"") + name + "\">", 9);
    }
    for (const char* name : {"EG", "eg", "FG", "EG"}) {
        catalogue.AddCrossSectionSurface(std::string("<CrossSectSurf name=\"") + name + "\">", 9);
    }
    catalogue.AddAlignment("<Alignment name=\"B\">", 50);
    catalogue.AddProfile("<ProfSurf name=\"EG\">", 60);
    const auto& a = catalogue.Alignments()[0];
    Names profiles;
    for (int i = -1; i <= a.ProfileCount(); ++i) {
        profiles.push_back(a.GetProfileName(i));
    }
    EXPECT_EQ(profiles, (Names{"", "EG", "FG", "EG0", "EG3", ""}));
    EXPECT_EQ(a.surfaces, (Names{"EG", "FG"}));
    EXPECT_EQ(a.GetSurfaceName(1), "FG");
    EXPECT_EQ(a.GetSurfaceName(2), "");
    EXPECT_EQ(a.GetProfilePosition(-1), 0u);
    EXPECT_EQ(a.GetProfilePosition(4), 0u);
    EXPECT_EQ(catalogue.Alignments()[1].GetProfileName(0), "EG");
    EXPECT_EQ(catalogue.Alignments()[1].GetProfilePosition(0), 60u);
}

}  // namespace
}  // namespace chainforge
