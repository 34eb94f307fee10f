// The naming rules of the catalogue are cases of data/tables/scan.txt; here
// what a document cannot reach.
#include "landxml/Catalogue.h"

#include <gtest/gtest.h>

namespace chainforge {
namespace {

TEST(Catalogue, LookUpsAndIndexQueries) {
    CCatalogue catalogue;
    catalogue.AddProfile("<ProfAlign name=\"orphan\">", 1);  // no alignment yet: dropped
    EXPECT_TRUE(catalogue.Alignments().empty());
    catalogue.AddAlignment("<Alignment name=\"A\">", 5);
    catalogue.AddProfile("<ProfAlign name=\"P\">", 9);
    catalogue.AddCrossSectionSurface("<CrossSectSurf name=\"S\">", 9);
    const auto& a = catalogue.Alignments()[0];
    EXPECT_EQ(a.GetProfileName(0) + a.GetProfileName(-1) + a.GetProfileName(1), "P");
    EXPECT_EQ(a.GetProfilePosition(0), 9u);
    EXPECT_EQ(a.GetProfilePosition(-1) + a.GetProfilePosition(1), 0u);
    EXPECT_EQ(a.GetSurfaceName(0) + a.GetSurfaceName(-1) + a.GetSurfaceName(1), "S");
    catalogue.AddPointGroup("G", 7);
    EXPECT_EQ(catalogue.FindPointGroup("G"), &catalogue.PointGroups()[0]);
    EXPECT_EQ(catalogue.FindPointGroup("g"), nullptr);
    EXPECT_EQ(catalogue.FindAlignment("A"), &a);
    catalogue.ClearCatalogue();
    EXPECT_TRUE(catalogue.PointGroups().empty() && catalogue.Alignments().empty());
}

}  // namespace
}  // namespace chainforge
