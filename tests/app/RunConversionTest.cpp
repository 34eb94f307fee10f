// What only the desktop program can ask of a conversion run; the rest runs
// through the command line in the golden cases (data/golden).
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
