#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;

const std::string kData = CHAINFORGE_TEST_DATA;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Runs chainforge-cli in folder with the given arguments (already quoted).
Outcome Cli(const test::TempDir& folder, const std::string& arguments) {
    Outcome outcome;
    outcome.status = test::RunProcess(
        "cd '" + folder.Path().string() + "' && timeout 120 '" + CHAINFORGE_CLI + "' " + arguments,
        outcome.out, outcome.err);
    return outcome;
}

class ConvertCommand : public ::testing::Test {
  protected:
    ConvertCommand() { fs::copy_file(kData + "/golden_road.xml", dir.File("road.xml")); }
    std::string Golden(const char* name) const { return test::ReadFileBytes(kData + "/" + name); }
    test::TempDir dir;
};

TEST_F(ConvertCommand, WritesBothFilesBesideTheInputStem) {
    const Outcome o =
        Cli(dir, "convert road.xml --points Pts --alignment Road --profile FG --surface top");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(test::ReadFileBytes(dir.File("road.asc")), Golden("golden_road.asc"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("road.ch")), Golden("golden_road_profile.ch"));
    EXPECT_NE(o.out.find("road.asc"), std::string::npos);
    EXPECT_NE(o.out.find("road.ch"), std::string::npos);
}

TEST_F(ConvertCommand, QuestionAnsweredByYes) {
    Outcome o = Cli(dir, "convert road.xml --alignment Road --surface Top --chain-out vpi.ch");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err,
              "chainforge: Cross-sections without Profiles will create VPI only in file.  "
              "Continue? [no]\n");
    EXPECT_FALSE(fs::exists(dir.File("vpi.ch")));
    o = Cli(dir,
            "convert road.xml --alignment Road --surface Top --chain-out vpi.ch --ascii-out v.asc "
            "--yes");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("vpi.ch")), Golden("golden_road_vpi.ch"));
}

TEST_F(ConvertCommand, UnknownNamesWriteNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"--points pts", "Error: Point Group Cannot be found"},
        {"--alignment road", "Error: Alignment Cannot be found"},
        {"--alignment Road --profile EG", "Error: Profile Cannot be found"},
        {"--alignment Road --surface Sky --yes", "Error: Cross-Section Surface Cannot be found"},
    };
    for (const auto& [arguments, message] : cases) {
        const Outcome o = Cli(dir, std::string("convert road.xml ") + arguments);
        EXPECT_EQ(o.status, 1) << arguments;
        EXPECT_EQ(o.err, std::string("chainforge: ") + message + "\n") << arguments;
    }
    EXPECT_FALSE(fs::exists(dir.File("road.asc")));
    EXPECT_FALSE(fs::exists(dir.File("road.ch")));
}

TEST_F(ConvertCommand, ExistingFilesNeedForce) {
    test::WriteFileBytes(dir.File("road.ch"), "keep");
    Outcome o = Cli(dir, "convert road.xml --alignment Road");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "chainforge: File road.ch already exists; use --force to replace it\n");
    EXPECT_EQ(test::ReadFileBytes(dir.File("road.ch")), "keep");
    EXPECT_TRUE(fs::exists(dir.File("road.asc")));  // the point file was still written
    o = Cli(dir, "convert road.xml --alignment Road --force");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(test::ReadFileBytes(dir.File("road.ch")), "keep");
}

TEST_F(ConvertCommand, CannotWriteIsAnError) {
    const Outcome o = Cli(dir, "convert road.xml --points Pts --ascii-out no/such/dir/p.asc");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "chainforge: Cannot open file no/such/dir/p.asc\n");
    EXPECT_EQ(o.out, "nothing written\n");
}

TEST_F(ConvertCommand, AsciiPointsInput) {
    test::WriteFileBytes(dir.File("in.asc"), "9,1,2,3,X\n");
    Outcome o = Cli(dir, "convert road.xml --ascii-points in.asc --ascii-out copy.asc");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("copy.asc")), "9,1,2,3,X\r\n");
    o = Cli(dir, "convert road.xml --ascii-points missing.asc");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "chainforge: Cannot open file missing.asc\n");
}

TEST_F(ConvertCommand, UsageErrors) {
    for (const char* arguments :
         {"convert", "convert road.xml --profile FG", "convert road.xml --surface Top",
          "convert road.xml --points Pts --ascii-points in.asc", "convert road.xml --alignment",
          "convert road.xml --bogus", "convert a.xml b.xml"}) {
        const Outcome o = Cli(dir, arguments);
        EXPECT_EQ(o.status, 2) << arguments;
        EXPECT_NE(o.err.find("--help"), std::string::npos) << arguments;
    }
    EXPECT_EQ(Cli(dir, "convert missing.xml").status, 1);
}

// Every point group, alignment, profile and surface of the real exports.
TEST(ConvertSamples, EveryItemConverts) {
    for (const auto& path : test::SampleFiles()) {
        test::TempDir dir;
        std::string listing;
        std::string err;
        ASSERT_EQ(test::RunProcess(
                      std::string("'") + CHAINFORGE_CLI + "' list --tsv '" + path.string() + "'",
                      listing, err),
                  0);
        std::istringstream rows(listing);
        std::string row;
        while (std::getline(rows, row)) {
            std::vector<std::string> f;
            std::istringstream fields(row);
            for (std::string field; std::getline(fields, field, '\t');) {
                f.push_back("'" + field + "'");
            }
            std::string arguments;
            if (f[0] == "'group'") {
                arguments = "--points " + f[1];
            } else if (f[0] == "'alignment'") {
                arguments = "--alignment " + f[1];
            } else if (f[0] == "'profile'") {
                arguments = "--alignment " + f[1] + " --profile " + f[2];
            } else {
                arguments = "--alignment " + f[1] + " --surface " + f[2] + " --yes";
            }
            const Outcome o = Cli(dir, "convert '" + path.string() + "' " + arguments + " --force");
            EXPECT_TRUE(o.status == 0 || o.status == 1) << path << ' ' << arguments << o.err;
            EXPECT_EQ(o.err.find("Cannot"), std::string::npos) << path << ' ' << arguments << o.err;
        }
    }
}

}  // namespace
}  // namespace chainforge
