// What only the desktop program can ask of a conversion run; the rest runs
// through the command line in the golden cases (data/golden).
#include "convert/RunConversion.h"

#include <gtest/gtest.h>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

TEST(RunConversion, SelectionsTheCommandLineRefuses) {
    test::ScannedDocument road(test::ReadFileBytes(std::string(CHAINFORGE_TEST_DATA) +
                                                   "/golden/convert-everything/road.xml"));
    bool spiralWarning = true;
    CScriptedUserInterface nothing;
    RunConversion({}, road.document, road.catalogue, spiralWarning, nothing);
    EXPECT_TRUE(nothing.Events().empty());

    // A profile without an alignment is ignored; the surface is looked up
    // under the empty name.
    ConversionSelections s;
    s.profile = "FG";
    s.surface = "Top";
    CScriptedUserInterface orphan;
    RunConversion(s, road.document, road.catalogue, spiralWarning, orphan);
    EXPECT_EQ(orphan.Messages(), std::vector<std::string>{"Error: Alignment Cannot be found"});
    EXPECT_EQ(orphan.Events().size(), 1u);

    // A cancelled ASCII point file: the run goes on without file points.
    test::TempDir dir;
    ConversionSelections fromFile;
    fromFile.asciiPoints = true;
    fromFile.alignment = "Road";
    CScriptedUserInterface cancelled;
    cancelled.QueueFileName(std::nullopt);
    cancelled.QueueFileName(dir.File("out.asc"));
    const ConversionReport report =
        RunConversion(fromFile, road.document, road.catalogue, spiralWarning, cancelled);
    EXPECT_EQ(cancelled.CountOf(CScriptedUserInterface::EventKind::OpenDialog), 1u);
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.asc")).substr(0, 30),
              "1,100.000000,200.000000,0,PI\r\n");
    // The chain file's dialog found no name: only the point file is listed.
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].path, dir.File("out.asc"));
    EXPECT_EQ(report.files[0].bytes, test::ReadFileBytes(dir.File("out.asc")).size());
}

}  // namespace
}  // namespace chainforge
