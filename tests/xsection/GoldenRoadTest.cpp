// The vertical control and templates of the hand-worked golden road.
#include <gtest/gtest.h>

#include "app/ScriptedUserInterface.h"
#include "landxml/DocumentScan.h"
#include "profile/ProfileReader.h"
#include "xsection/CrossSectionReader.h"

namespace chainforge {
namespace {

using Texts = std::vector<std::string>;

class GoldenRoad : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(document.Open(std::string(CHAINFORGE_TEST_DATA) + "/golden_road.xml"), 0);
        ScanDocument(document, catalogue, ui);
    }
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;
    TemplateList left;
    TemplateList right;
};

TEST_F(GoldenRoad, AgainstTheProfile) {
    std::string verticalControl;
    ReadProfile(document, catalogue, ui, "Road", "FG", verticalControl);
    EXPECT_EQ(verticalControl, "500 10 2 \"540 560\" -1 600 ");
    ReadCrossSections(document, catalogue, ui, "Road", verticalControl, "Top", left, right);
    EXPECT_EQ(left, (Texts{"500 50 0.01 50", "550 -1 2 14.2857 0.01 14.2857"}));
    EXPECT_EQ(right, (Texts{"500 50 0.01 50", "550 -2 3 3 0.01 3"}));
}

TEST_F(GoldenRoad, VerticalControlFromTheSections) {
    std::string verticalControl;
    ReadCrossSections(document, catalogue, ui, "Road", verticalControl, "Top", left, right);
    EXPECT_EQ(verticalControl, "500 10 1.85 550 -0.85 600 ");
    EXPECT_EQ(left, (Texts{"500 50 0.01 50", "550 -1 2 14.2857 0.01 14.2857"}));
}

}  // namespace
}  // namespace chainforge
