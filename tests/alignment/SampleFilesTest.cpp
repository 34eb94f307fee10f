// Bytes read from real exports.
#include <gtest/gtest.h>

#include <filesystem>

#include "alignment/HorizontalAlignmentReader.h"
#include "io/Platform.h"
#include "points/PointGroupReader.h"
#include "support/ScannedDocument.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

struct Sample : test::ScannedDocument {
    explicit Sample(const std::filesystem::path& path) : ScannedDocument("") {
        EXPECT_EQ(document.Open(Utf8FromPath(path)).status, OpenStatus::Opened);
        ScanDocument(document, catalogue, ui);
    }
};

// Every point of this survey has its name after another attribute.
TEST(SampleFiles, ASurveyWithNamesAfterOtherAttributes) {
    Sample sample(test::RealExport("civil3d2007_partridge_survey_cgpoints_lx11.xml"));
    const PointList points = ReadPointGroup(sample.Context(), "fieldbook").points;
    ASSERT_EQ(points.size(), 2896u);
    EXPECT_EQ(points[1], "2,33467.070209973754,32136.594488188977,804.616141732284,BAR[245.247]");
}

// Curves in pairs and between tangents, starting at station -1.81e-10.
TEST(SampleFiles, TheHorizontalControlOfACurvedAlignment) {
    const auto path = test::RealExport("civil3d2023_bc003_cabling_circcurve.xml");
    if (path.empty()) {
        GTEST_SKIP() << test::CorpusMissing();
    }
    Sample sample(path);
    bool spiralWarning = true;
    const HorizontalRead read = ReadHorizontalAlignment(
        sample.Context(), sample.catalogue.FindAlignment("A1"), {}, spiralWarning);
    const PointList& points = read.addedPoints;
    EXPECT_EQ(read.horizontalControl,
              "\"1 -0.000000 2 3\" \"3 4 5\" \"6 7 8\" \"8 9 10\" \"11 12 13\" \"13 14 15\" ");
    ASSERT_EQ(points.size(), 15u);
    EXPECT_EQ(points[0], "1,3126573.347412,1892028.449956,0,PC");
    EXPECT_EQ(points[5], "6,3126627.960663,1892002.327993,0,PI");
}

}  // namespace
}  // namespace chainforge
