#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult RunWith(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

const std::string kDocument = test::CrLf({
    "<LandXML version=\"1.2\">",
    "<CgPoints name=\"Survey\">",
    "</CgPoints>",
    "<Alignments>",
    "<Alignment name=\"CL\" staStart=\"12345.678\">",
    "<ProfAlign name=\"FG\">",
    "</ProfAlign>",
    "<CrossSectSurf name=\"Top\">",
    "</Alignment>",
    "</Alignments>",
    "</LandXML>",
});

TEST(ListCommand, TsvRowsInCatalogueOrder) {
    test::TempDir dir;
    const std::string path = dir.File("road.xml");
    test::WriteFileBytes(path, kDocument);
    const CliResult result = RunWith({"list", path, "--tsv"});
    EXPECT_EQ(result.status, 0);
    // Positions: just after each opening tag (each line is its text plus CR LF).
    EXPECT_EQ(result.out,
              "group\tSurvey\t49\n"
              "alignment\tCL\t12345.7\t120\n"
              "profile\tCL\tFG\t143\n"
              "surface\tCL\tTop\n");
    EXPECT_EQ(
        result.err,
        "chainforge: This version is newer than what this program understands.  You might want "
        "to check https://chainforge.marlowick.example for a newer version\n");
}

// Positions are just after each item's opening tag in the example file.
TEST(ListCommand, TheBundledExample) {
    const std::string path = std::string(CHAINFORGE_TEST_DATA) + "/../../examples/sample-road.xml";
    const std::string text = test::ReadFileBytes(path);
    const auto after = [&text](const std::string& tag) {
        return std::to_string(text.find(tag) + tag.size());
    };
    const std::string alignment = "MC01 - Main carriageway";
    const CliResult result = RunWith({"list", path, "--tsv"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "group\tControl Survey\t" + after("<CgPoints name=\"Control Survey\">") +
                              "\n" + "alignment\t" + alignment + "\t1000\t" +
                              after("staStart=\"1000\">") + "\n" + "profile\t" + alignment +
                              "\tExisting Ground - Surveyed\t" +
                              after("<ProfSurf name=\"Existing Ground\" desc=\"Surveyed\">") +
                              "\n" + "profile\t" + alignment + "\tDesign FG - Finished grade\t" +
                              after("<ProfAlign name=\"Design FG\" desc=\"Finished grade\">") +
                              "\n" + "surface\t" + alignment + "\tDesign Surface\n" + "surface\t" +
                              alignment + "\tExisting Ground\n");
}

TEST(ListCommand, HumanReadable) {
    test::TempDir dir;
    const std::string path = dir.File("road.xml");
    test::WriteFileBytes(path, kDocument);
    const CliResult result = RunWith({"list", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("Survey"), std::string::npos);
    EXPECT_NE(result.out.find("CL  (start station 12345.7)"), std::string::npos);
}

TEST(ListCommand, FilesThatCannotBeOpened) {
    test::TempDir dir;
    const std::string missing = dir.File("missing.xml");
    CliResult result = RunWith({"list", missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "chainforge: Cannot open file " + missing + "\n");
    result = RunWith({"list", dir.Path().string(), "--tsv"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
}

TEST(ListCommand, UsageErrors) {
    EXPECT_EQ(RunWith({}).status, 2);
    EXPECT_EQ(RunWith({"list"}).status, 2);
    EXPECT_EQ(RunWith({"list", "a.xml", "b.xml"}).status, 2);
    EXPECT_EQ(RunWith({"list", "a.xml", "--csv"}).status, 2);
    EXPECT_EQ(RunWith({"frobnicate"}).status, 2);
    const CliResult help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("list FILE.xml"), std::string::npos);
    EXPECT_EQ(RunWith({"--version"}).out, "chainforge-cli 0.9b1\n");
}

TEST(ListCommand, EverySampleThroughTheProgram) {
    for (const auto& path : test::SampleFiles()) {
        std::string out;
        std::string err;
        const int status = test::RunProcess(
            std::string("timeout 60 '") + CHAINFORGE_CLI + "' list --tsv '" + path.string() + "'",
            out, err);
        EXPECT_EQ(status, 0) << path << err;
        for (std::size_t start = 0; start < err.size();) {
            const std::size_t end = err.find('\n', start);
            EXPECT_EQ(err.compare(start, 12, "chainforge: "), 0) << path;
            start = end == std::string::npos ? err.size() : end + 1;
        }
    }
}

}  // namespace
}  // namespace chainforge
