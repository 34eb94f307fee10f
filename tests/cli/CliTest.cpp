// The command line in process: list, the convert summary, usage and messages.
// Conversions checked byte for byte are golden cases (data/golden).
#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

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

// data/list.xml: group "Survey" (a point), alignment "CL" (a line, profile
// "FG", surface "Top"), LandXML 1.2.
const std::string kDocument = test::ReadFileBytes(std::string(CHAINFORGE_TEST_DATA) + "/list.xml");

TEST(ListCommand, RowsAndMessages) {
    test::TempDir dir;
    const std::string path = dir.File("road.xml");
    test::WriteFileBytes(path, kDocument);
    CliResult result = RunWith({"list", path, "--tsv"});
    EXPECT_EQ(result.status, 0);
    // Positions: just after each opening tag (each line is its text plus CR LF).
    EXPECT_EQ(result.out,
              "group\tSurvey\t49\n"
              "alignment\tCL\t12345.678\t155\n"
              "profile\tCL\tFG\t178\n"
              "surface\tCL\tTop\n");
    EXPECT_EQ(
        result.err,
        "chainforge: This version is newer than what this program understands.  You might want "
        "to check https://chainforge.marlowick.example for a newer version\n");
    result = RunWith({"list", path});
    EXPECT_NE(result.out.find("Survey"), std::string::npos);
    EXPECT_NE(result.out.find("CL  (start station 12345.678)"), std::string::npos);
    // Line breaks in a message become blanks: one message, one line.
    const std::string odd = dir.File("a\r\nb.xml");
    result = RunWith({"list", odd});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "chainforge: Cannot open file " + dir.File("a  b.xml") + "\n");
    result = RunWith({"list", dir.Path().string(), "--tsv"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
}

TEST(Cli, UsageHelpAndVersion) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"list"},
                                               {"list", "a.xml", "b.xml"},
                                               {"list", "a.xml", "--csv"},
                                               {"frobnicate"}}) {
        EXPECT_EQ(RunWith(args).status, 2) << args.size();
    }
    const CliResult help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("list FILE.xml"), std::string::npos);
    const CliResult version = RunWith({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "chainforge-cli 0.9b1\n");
}

// Standard output of convert: each file written with its size.
TEST(ConvertCommand, Summary) {
    test::TempDir dir;
    const std::string road = dir.File("road.xml");
    test::WriteFileBytes(road, kDocument);
    const std::string asc = dir.File("p.asc");
    const std::string ch = dir.File("c.ch");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--points", "Survey"}, "wrote " + asc + " (10 bytes)\n"},
        {{"--points", "Survey", "--ascii-out", dir.File("no/p.asc")}, "nothing written\n"},
        {{"--alignment", "CL", "--force"},
         "wrote " + asc + " (52 bytes)\nwrote " + ch + " (130 bytes)\n"},
    };
    for (const auto& [options, out] : cases) {
        std::vector<std::string> args{"convert", road, "--ascii-out", asc, "--chain-out", ch};
        args.insert(args.end(), options.begin(), options.end());
        // The files written, then the report for a person to read.
        const std::string printed = RunWith(args).out;
        EXPECT_EQ(printed.substr(0, out.size()), out) << options[1];
        EXPECT_EQ(printed.substr(out.size(), 8), "points: ") << options[1];
    }
}

// Every sample is listed through the program, and each of its alignments
// converted; the exports hold nothing the program cannot read.
TEST(Samples, ListAndConvertEveryAlignment) {
    const auto files = test::SampleFiles();
    ASSERT_FALSE(files.empty());
    const std::string cli = std::string("timeout 10 '") + CHAINFORGE_CLI + "' ";
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        test::TempDir dir;
        std::string listing;
        std::string err;
        ASSERT_EQ(test::RunProcess(cli + "list --tsv '" + path.string() + "'", listing, err), 0);
        for (std::size_t start = 0; start < err.size(); start = err.find('\n', start) + 1) {
            EXPECT_EQ(err.compare(start, 12, "chainforge: "), 0) << err;
        }
        std::istringstream rows(listing);
        for (std::string row; std::getline(rows, row);) {
            if (!row.starts_with("alignment\t")) {
                continue;
            }
            const std::string name = row.substr(10, row.find('\t', 10) - 10);
            std::string out;
            const int status =
                test::RunProcess("cd '" + dir.Path().string() + "' && " + cli + "convert '" +
                                     path.string() + "' --alignment '" + name + "' --force",
                                 out, err);
            EXPECT_EQ(status, 0) << name << err;
            EXPECT_EQ(err.find("Cannot"), std::string::npos) << name << err;
        }
    }
}

}  // namespace
}  // namespace chainforge
