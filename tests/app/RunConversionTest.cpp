// The conversion run as the desktop program drives it: what it asks and when.
// The bytes it writes are golden cases of the command line (data/golden).
#include "app/RunConversion.h"

#include <gtest/gtest.h>

#include "landxml/DocumentScan.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using Kind = ScriptedUserInterface::EventKind;
using Names = std::vector<std::string>;

struct Loaded {
    CDocumentBuffer document;
    Catalogue catalogue;
    bool spiralWarning = true;

    explicit Loaded(std::string_view bytes) {
        ScriptedUserInterface scanUi;
        document.Assign(bytes);
        ScanDocument(document, catalogue, scanUi);
    }
    void Run(const ConversionSelections& selections, ScriptedUserInterface& ui) {
        RunConversion(selections, document, catalogue, spiralWarning, ui);
    }
};

const std::string kRoad = test::CrLf({"<CgPoints name=\"Pts\">",
                                      "<CgPoint name=\"1\">1 2 3</CgPoint>",
                                      "</CgPoints>",
                                      "<Alignments>",
                                      "<Alignment name=\"S\">",
                                      "<CoordGeom>",
                                      "<Line>",
                                      "<Start>0 0</Start>",
                                      "<End>5 0</End>",
                                      "</Line>",
                                      "<Spiral length=\"5\">",
                                      "<Start>5 0</Start>",
                                      "<End>9 0</End>",
                                      "</Spiral>",
                                      "</CoordGeom>",
                                      "<ProfAlign name=\"FG\">",
                                      "<PVI>0 1</PVI>",
                                      "</ProfAlign>",
                                      "</Alignment>",
                                      "</Alignments>"});
const Names kSpiral{"Spiral Detected and Ignored.  This has not been finished"};

TEST(RunConversion, DialogsAndTheSpiralMessageOnce) {
    Loaded road(kRoad);
    test::TempDir dir;
    ConversionSelections s;
    s.pointGroup = "Pts";
    s.alignment = "S";
    s.profile = "FG";
    for (const Names& messages : {kSpiral, Names{}}) {
        ScriptedUserInterface ui;
        ui.QueueFileName(dir.File("out.asc"));
        ui.QueueFileName(dir.File("out.ch"));
        road.Run(s, ui);
        EXPECT_EQ(ui.Messages(), messages);
        ASSERT_EQ(ui.Events().size(), messages.size() + 2);
        const FileDialogRequest& points = ui.Events()[messages.size()].request;
        const FileDialogRequest& chain = ui.Events()[messages.size() + 1].request;
        EXPECT_EQ(points.filter, "ASCII Files (*.asc)|*.ASC||");
        EXPECT_EQ(points.defaultExtension, "ASC");
        EXPECT_TRUE(points.askBeforeReplacing);
        EXPECT_EQ(chain.filter, "Chain Files (*.ch)|*.CH||");
        EXPECT_EQ(chain.defaultExtension, "CH");
    }
    EXPECT_FALSE(road.spiralWarning);
}

TEST(RunConversion, SelectionsTheCommandLineRefuses) {
    Loaded road(kRoad);
    ScriptedUserInterface nothing;
    road.Run(ConversionSelections{}, nothing);
    EXPECT_TRUE(nothing.Events().empty());

    // A profile without an alignment is ignored; the surface is looked up
    // under the empty name.
    ConversionSelections s;
    s.profile = "FG";
    s.surface = "Top";
    ScriptedUserInterface orphan;
    road.Run(s, orphan);
    EXPECT_EQ(orphan.Messages(), Names{"Error: Alignment Cannot be found"});
    EXPECT_EQ(orphan.Events().size(), 1u);

    // A cancelled ASCII point file: the run goes on without file points.
    test::TempDir dir;
    ConversionSelections fromFile;
    fromFile.asciiPoints = true;
    fromFile.alignment = "S";
    ScriptedUserInterface cancelled;
    cancelled.QueueFileName(std::nullopt);
    cancelled.QueueFileName(dir.File("out.asc"));
    road.Run(fromFile, cancelled);
    EXPECT_EQ(cancelled.CountOf(Kind::OpenDialog), 1u);
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.asc")).substr(0, 28),
              "1,0.000000,0.000000,0,PI\r\n2,");
}

}  // namespace
}  // namespace chainforge
