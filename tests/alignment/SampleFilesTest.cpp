// Real exports from several producers, read and written end to end.
#include <gtest/gtest.h>
#include <filesystem>

#include "alignment/HorizontalAlignmentReader.h"
#include "chainfile/ChainFileWriter.h"
#include "landxml/DocumentScan.h"
#include "points/AsciiPointFile.h"
#include "points/PointGroupReader.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

struct LoadedSample {
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;

    explicit LoadedSample(const std::filesystem::path& path) {
        loaded = document.Open(path.string()) == 0;
        ScanDocument(document, catalogue, ui);
    }
    bool loaded = false;
};

std::filesystem::path Sample(const std::string& name) {
    return std::filesystem::path(CHAINFORGE_SAMPLES) / name;
}

std::size_t WrittenSize(const PointList& points) {
    std::size_t size = 0;
    for (const std::string& point : points) {
        size += point.size() + 2;
    }
    return size;
}

TEST(SampleFiles, ConvertEveryPointGroupAndAlignment) {
    const auto files = test::SampleFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        LoadedSample sample(path);
        ASSERT_TRUE(sample.loaded);
        PointList points;
        for (const PointGroupEntry& group : sample.catalogue.PointGroups()) {
            ReadPointGroup(sample.document, sample.catalogue, group.name, points);
        }
        bool spiralWarning = true;
        std::string lastText;
        for (const AlignmentEntry& alignment : sample.catalogue.Alignments()) {
            std::string text;
            ReadHorizontalAlignment(sample.document, sample.catalogue, sample.ui, spiralWarning,
                                    points, alignment.name, text);
            EXPECT_TRUE(text.empty() || text.back() == ' ') << alignment.name;
            lastText = text.empty() ? lastText : text;
        }
        for (const std::string& point : points) {
            EXPECT_EQ(point.find_first_of("\r\n"), std::string::npos);
        }
        test::TempDir dir;
        sample.ui.QueueFileName(dir.File("points.asc"));
        sample.ui.QueueFileName(dir.File("road.ch"));
        EXPECT_EQ(WriteAsciiPointFile(sample.ui, points), points.empty() ? 0 : 1);
        EXPECT_EQ(WriteChainFile(sample.ui, lastText, "", {}, {}), 1);
        if (!points.empty()) {
            EXPECT_EQ(std::filesystem::file_size(dir.File("points.asc")), WrittenSize(points));
        }
        EXPECT_EQ(std::filesystem::exists(dir.File("road.ch")), !lastText.empty());
    }
}

// Every point of this survey has its name after another attribute.
TEST(SampleFiles, KeepsTheNamesOfASurveyWithNamesAfterOtherAttributes) {
    LoadedSample sample(Sample("civil3d2007_partridge_survey_cgpoints_lx11.xml"));
    ASSERT_TRUE(sample.loaded);
    PointList points;
    ReadPointGroup(sample.document, sample.catalogue, "fieldbook", points);
    ASSERT_EQ(points.size(), 2896u);
    EXPECT_EQ(points[0], "1,33268.218503937009,32423.251312335957,805.570866141732,BAR[245.538]");
    EXPECT_EQ(points[1], "2,33467.070209973754,32136.594488188977,804.616141732284,BAR[245.247]");
}

// Curves in pairs and between tangents, starting at station -1.81e-10.
TEST(SampleFiles, WritesTheHorizontalControlOfACurvedAlignment) {
    LoadedSample sample(Sample("civil3d2023_bc003_cabling_circcurve.xml"));
    ASSERT_TRUE(sample.loaded);
    PointList points;
    std::string text;
    bool spiralWarning = true;
    ReadHorizontalAlignment(sample.document, sample.catalogue, sample.ui, spiralWarning, points,
                            "A1", text);
    EXPECT_EQ(text,
              "\"1 -0.000000 2 3\" \"3 4 5\" \"6 7 8\" \"8 9 10\" \"11 12 13\" \"13 14 15\" ");
    ASSERT_EQ(points.size(), 15u);
    EXPECT_EQ(points[0], "1,3126573.347412,1892028.449956,0,PC");
    EXPECT_EQ(points[5], "6,3126627.960663,1892002.327993,0,PI");
}

}  // namespace
}  // namespace chainforge
