#include "app/RunConversion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "landxml/DocumentScan.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using Kind = ScriptedUserInterface::EventKind;
using Names = std::vector<std::string>;

const std::string kData = CHAINFORGE_TEST_DATA;
const std::string kSpiralMessage = "Spiral Detected and Ignored.  This has not been finished";

struct Loaded {
    CDocumentBuffer document;
    Catalogue catalogue;
    bool spiralWarning = true;

    explicit Loaded(const std::string& path) {
        ScriptedUserInterface scanUi;
        EXPECT_EQ(document.Open(path), 0);
        ScanDocument(document, catalogue, scanUi);
    }
    explicit Loaded(std::string_view bytes, bool /*inMemory*/) {
        ScriptedUserInterface scanUi;
        document.Assign(bytes);
        ScanDocument(document, catalogue, scanUi);
    }
    void Run(const ConversionSelections& selections, ScriptedUserInterface& ui) {
        RunConversion(selections, document, catalogue, spiralWarning, ui);
    }
};

ConversionSelections Everything() {
    ConversionSelections s;
    s.pointGroup = "Pts";
    s.alignment = "Road";
    s.profile = "FG";
    s.surface = "Top";
    return s;
}

class RunConversionTest : public ::testing::Test {
  protected:
    Loaded road{kData + "/golden_road.xml"};
    test::TempDir dir;
    std::string asc = dir.File("out.asc");
    std::string ch = dir.File("out.ch");
};

TEST_F(RunConversionTest, AlignmentProfileAndSurfaceAskNothing) {
    ScriptedUserInterface ui;
    ui.QueueFileName(asc);
    ui.QueueFileName(ch);
    road.Run(Everything(), ui);
    EXPECT_EQ(ui.CountOf(Kind::Question), 0u);
    EXPECT_TRUE(ui.Messages().empty());
    ASSERT_EQ(ui.CountOf(Kind::SaveDialog), 2u);
    EXPECT_EQ(ui.Events()[0].request.filter, "ASCII Files (*.asc)|*.ASC||");
    EXPECT_EQ(ui.Events()[0].request.defaultExtension, "ASC");
    EXPECT_TRUE(ui.Events()[0].request.askBeforeReplacing);
    EXPECT_EQ(ui.Events()[1].request.filter, "Chain Files (*.ch)|*.CH||");
    EXPECT_EQ(ui.Events()[1].request.defaultExtension, "CH");
    EXPECT_EQ(test::ReadFileBytes(asc), test::ReadFileBytes(kData + "/golden_road.asc"));
    EXPECT_EQ(test::ReadFileBytes(ch), test::ReadFileBytes(kData + "/golden_road_profile.ch"));
}

TEST_F(RunConversionTest, TwoRunsWriteTheSameFiles) {
    for (int run = 0; run < 2; ++run) {
        ScriptedUserInterface ui;
        ui.QueueFileName(asc);
        ui.QueueFileName(ch);
        road.Run(Everything(), ui);
        EXPECT_EQ(test::ReadFileBytes(ch), test::ReadFileBytes(kData + "/golden_road_profile.ch"));
        EXPECT_EQ(test::ReadFileBytes(asc), test::ReadFileBytes(kData + "/golden_road.asc"));
    }
}

TEST_F(RunConversionTest, SurfaceWithoutProfileAsksFirst) {
    ConversionSelections s = Everything();
    s.profile.reset();
    ScriptedUserInterface no;
    road.Run(s, no);
    ASSERT_EQ(no.Events().size(), 1u);
    EXPECT_EQ(no.Events()[0].kind, Kind::Question);
    EXPECT_EQ(no.Events()[0].text,
              "Cross-sections without Profiles will create VPI only in file.  Continue?");

    ScriptedUserInterface yes;
    yes.QueueAnswer(true);
    yes.QueueFileName(asc);
    yes.QueueFileName(ch);
    road.Run(s, yes);
    EXPECT_EQ(yes.CountOf(Kind::SaveDialog), 2u);
    EXPECT_EQ(test::ReadFileBytes(ch), test::ReadFileBytes(kData + "/golden_road_vpi.ch"));
}

TEST_F(RunConversionTest, NothingSelectedShowsNothing) {
    ScriptedUserInterface ui;
    road.Run(ConversionSelections{}, ui);
    EXPECT_TRUE(ui.Events().empty());
}

TEST_F(RunConversionTest, OnlyAPointGroupOffersOnlyThePointFile) {
    ConversionSelections s;
    s.pointGroup = "Pts";
    ScriptedUserInterface ui;
    ui.QueueFileName(asc);
    road.Run(s, ui);
    ASSERT_EQ(ui.Events().size(), 1u);
    EXPECT_EQ(ui.Events()[0].kind, Kind::SaveDialog);
    EXPECT_EQ(test::ReadFileBytes(asc), "1,100.0,200.0,10.5,CP\r\n2,150.0,200.0,11.0,\r\n");
}

TEST_F(RunConversionTest, OnlyAnAlignmentNumbersItsVerticesFromOne) {
    ConversionSelections s;
    s.alignment = "Road";
    ScriptedUserInterface ui;
    ui.QueueFileName(asc);
    ui.QueueFileName(ch);
    road.Run(s, ui);
    EXPECT_EQ(test::ReadFileBytes(asc),
              test::CrLf({"1,100.000000,200.000000,0,PI", "2,150.000000,200.000000,0,PI",
                          "3,150.000000,250.000000,0,RP", "4,200.000000,250.000000,0,PT",
                          "5,200.000000,290.000000,0,PI"}));
    EXPECT_EQ(test::ReadFileBytes(ch),
              test::CrLf({"{", "@ Horizontal Control", "{1 500.000000 \"2 3 4\" 5 }", "",
                          "@ Vertical Control", "{}", "", "@ Left Templates", "{", "}", "",
                          "@ Right Templates", "{", "}", "", "}"}));
}

TEST_F(RunConversionTest, ProfileWithoutAlignmentIsIgnored) {
    ConversionSelections s;
    s.profile = "FG";
    s.surface = "Top";
    ScriptedUserInterface ui;
    road.Run(s, ui);
    // No question (a profile is selected); the surface is looked up under the empty name.
    EXPECT_EQ(ui.CountOf(Kind::Question), 0u);
    EXPECT_EQ(ui.Messages(), Names{"Error: Alignment Cannot be found"});
    EXPECT_EQ(ui.CountOf(Kind::SaveDialog), 0u);
}

TEST_F(RunConversionTest, AsciiPointFileCancelledOrUnreadable) {
    ConversionSelections s = Everything();
    s.asciiPoints = true;
    ScriptedUserInterface cancelled;
    cancelled.QueueFileName(std::nullopt);
    cancelled.QueueFileName(asc);
    cancelled.QueueFileName(ch);
    road.Run(s, cancelled);
    // The run goes on without file points: the vertices are numbered from 1.
    EXPECT_EQ(cancelled.CountOf(Kind::SaveDialog), 2u);
    EXPECT_EQ(test::ReadFileBytes(asc).substr(0, 30), "1,100.000000,200.000000,0,PI\r\n");

    ScriptedUserInterface unreadable;
    const std::string missing = dir.File("missing.asc");
    unreadable.QueueFileName(missing);
    road.Run(s, unreadable);
    EXPECT_EQ(unreadable.Messages(), Names{"Cannot open file " + missing});
    EXPECT_EQ(unreadable.CountOf(Kind::SaveDialog), 0u);
}

TEST_F(RunConversionTest, PointsFromAnAsciiFileNumberTheVertices) {
    const std::string in = dir.File("in.asc");
    test::WriteFileBytes(in, "7,100.00005,200.0,1,A\r\n20,0,0,0,B\r\n");
    ConversionSelections s;
    s.asciiPoints = true;
    s.pointGroup = "Pts";  // ignored while the points come from a file
    s.alignment = "Road";
    ScriptedUserInterface ui;
    ui.QueueFileName(in);
    ui.QueueFileName(asc);
    road.Run(s, ui);
    EXPECT_EQ(test::ReadFileBytes(asc),
              test::CrLf({"7,100.00005,200.0,1,A", "20,0,0,0,B", "21,150.000000,200.000000,0,PI",
                          "22,150.000000,250.000000,0,RP", "23,200.000000,250.000000,0,PT",
                          "24,200.000000,290.000000,0,PI"}));
}

TEST(RunConversion, CurveFirstSpiralBetweenAndASurfaceProfile) {
    Loaded loop(kData + "/golden_curve_first.xml");
    test::TempDir dir;
    ConversionSelections s;
    s.alignment = "Loop - Ramp";
    s.profile = "EG";
    s.surface = "Top";
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("loop.asc"));
    ui.QueueFileName(dir.File("loop.ch"));
    loop.Run(s, ui);
    EXPECT_EQ(ui.Messages(), Names{kSpiralMessage});
    EXPECT_EQ(test::ReadFileBytes(dir.File("loop.asc")),
              test::ReadFileBytes(kData + "/golden_curve_first.asc"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("loop.ch")),
              test::ReadFileBytes(kData + "/golden_curve_first.ch"));
}

TEST(RunConversion, ReadsTheCopyLoadedEvenAfterTheFileChanged) {
    test::TempDir dir;
    const std::string path = dir.File("road.xml");
    std::filesystem::copy_file(kData + "/golden_road.xml", path);
    Loaded road(path);
    test::WriteFileBytes(path, "<Alignments>\r\n");
    std::filesystem::resize_file(path, 3);
    ScriptedUserInterface ui;
    ui.QueueFileName(dir.File("out.asc"));
    ui.QueueFileName(dir.File("out.ch"));
    road.Run(Everything(), ui);
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.ch")),
              test::ReadFileBytes(kData + "/golden_road_profile.ch"));
}

TEST(RunConversion, WritersReportAFullDisk) {
    Loaded road(kData + "/golden_road.xml");
    ScriptedUserInterface ui;
    ui.QueueFileName(std::string("/dev/full"));
    ui.QueueFileName(std::string("/dev/full"));
    road.Run(Everything(), ui);
    EXPECT_EQ(ui.Messages(), (Names{"Cannot write file /dev/full", "Cannot write file /dev/full"}));
}

TEST(RunConversion, SpiralMessageOnlyOnTheFirstRun) {
    Loaded doc(test::CrLf({"<Alignments>", "<Alignment name=\"S\">", "<CoordGeom>",
                           "<Spiral length=\"5\">", "<Start>0 0</Start>", "<End>5 0</End>",
                           "</Spiral>", "</CoordGeom>", "</Alignment>", "</Alignments>"}),
               true);
    ConversionSelections s;
    s.alignment = "S";
    ScriptedUserInterface first;
    doc.Run(s, first);
    EXPECT_EQ(first.Messages(), Names{kSpiralMessage});
    ScriptedUserInterface second;
    doc.Run(s, second);
    EXPECT_TRUE(second.Messages().empty());
    EXPECT_FALSE(doc.spiralWarning);
}

}  // namespace
}  // namespace chainforge
