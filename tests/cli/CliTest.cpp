// The command line in process: list, the convert summary, usage and messages.
// Conversions checked byte for byte are golden cases (data/golden).
#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "io/Platform.h"
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
        EXPECT_EQ(printed.substr(out.size(), 6), "unit: ") << options[1];
    }
}

// The corridor sample's finished surface at stations 0 and 50, worked by hand
// from its shapes: pavement (-2 %), gutter (-6 %), curb face, curb and
// sidewalk tops, then a 1:4 fill slope (0) or a ditch and a 1:2 cut (50).
// Its shapes stand on the grade line (the crown at 0 0): without a profile
// nothing is written.
TEST(Samples, CorridorTopTemplates) {
    const auto sample = test::RealExport("civil3d2014_gsg_corridors_crosssects.xml");
    if (sample.empty()) {
        GTEST_SKIP() << test::CorpusMissing();
    }
    test::TempDir dir;
    const std::string chain = dir.File("c.ch");
    using Args = std::vector<std::string>;
    for (const Args& profile : {Args{"--yes"}, Args{"--profile", "Layout (2)"}}) {
        Args args{"convert",     Utf8FromPath(sample), "--alignment", "Basic_Road",
                  "--surface",   "Corridor Top",       "--chain-out", chain,
                  "--ascii-out", dir.File("c.asc"),    "--force"};
        args.insert(args.end(), profile.begin(), profile.end());
        const CliResult result = RunWith(args);
        if (profile.front() == "--yes") {
            EXPECT_EQ(result.status, 1) << result.err;
            EXPECT_NE(result.err.find("relative to the grade line; choose a profile"),
                      std::string::npos)
                << result.err;
            EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(chain)));
            continue;
        }
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err.find("Centerline"), std::string::npos);
        const std::string text = test::ReadFileBytes(chain);
        for (const char* expected :
             {"{0 -2 12 -6 1.5 1798.561151 0.0417 0 0.5 4 0.01 4}\r\n",
              "{50 -2 12 -6 1.5 1798.561151 0.0417 0 0.5 -25 4 0 2 25 4 2 0.01 2}\r\n",
              "{0 -2 12 -6 1.5 1798.561151 0.0417 0 6.5 4 0.01 4}\r\n",
              "{50 -2 12 -6 1.5 1798.561151 0.0417 0 6.5 -25 4 0 2 25 4 2 0.01 2}\r\n"}) {
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
        }
    }
}

// The numbers of every `name="..."` attribute of an SVG text.
std::vector<double> AttributeNumbers(const std::string& svg, const std::string& name) {
    std::vector<double> numbers;
    const std::string opening = " " + name + "=\"";
    for (std::size_t at = svg.find(opening); at != std::string::npos;
         at = svg.find(opening, at + 1)) {
        const std::size_t begin = at + opening.size();
        std::string value = svg.substr(begin, svg.find('"', begin) - begin);
        std::replace_if(
            value.begin(), value.end(), [](char c) { return c == ',' || std::isalpha(c); }, ' ');
        std::istringstream in(value);
        for (double n; in >> n;) {
            numbers.push_back(n);
        }
    }
    return numbers;
}

// The positions an SVG picture draws at: attributes, polyline points and
// path moves and arc ends (not radii, which may be far larger than the page;
// the pictures' paths are "M x y" and then "A rx ry 0 large sweep x y").
std::vector<double> DrawnCoordinates(const std::string& svg) {
    std::vector<double> drawn;
    for (const char* name : {"x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "points"}) {
        const std::vector<double> numbers = AttributeNumbers(svg, name);
        drawn.insert(drawn.end(), numbers.begin(), numbers.end());
    }
    for (std::size_t at = svg.find("<path d=\"M"); at != std::string::npos;
         at = svg.find("<path d=\"M", at + 1)) {
        const std::string d = svg.substr(at, svg.find('"', at + 9) - at) + "\"";
        const std::vector<double> numbers = AttributeNumbers(" " + d, "<path d");
        if (d.find('A') == std::string::npos || numbers.size() < 2) {
            continue;  // a marker, drawn relative to its point
        }
        drawn.insert(drawn.end(), {numbers[0], numbers[1]});
        for (std::size_t k = 2; k + 7 <= numbers.size(); k += 7) {
            drawn.insert(drawn.end(), {numbers[k + 5], numbers[k + 6]});
        }
    }
    return drawn;
}

// The three pictures of a small road and of real exports with spirals and
// with corridor sections: XML that a parser accepts, drawn inside the page.
TEST(PreviewCommand, PicturesParseAndStayOnThePage) {
    const std::string samples = Utf8FromPath(test::CorpusFolder());
    const std::string section = "--section-svg";
    const std::vector<std::vector<std::string>> cases{
        {std::string(CHAINFORGE_TEST_DATA) + "/preview-road.xml", "--points", "Survey",
         "--alignment", "Road", "--profile", "FG", "--surface", "Top", section},
        {samples + "/provi_bc001_alignments_spirals_bom.xml", "--alignment", "A50068A", "--profile",
         "T50068A"},
        {std::string(CHAINFORGE_TEST_DATA) + "/preview-road.xml", "--alignment", "Loop"},
        {samples + "/civil3d2014_gsg_corridors_crosssects.xml", "--alignment", "Basic_Road",
         "--profile", "Layout (2)", "--surface", "Corridor Top", section}};
    for (std::vector<std::string> args : cases) {
        const std::string file = args[0];
        SCOPED_TRACE(file);
        if (!std::filesystem::exists(file)) {
            continue;
        }
        test::TempDir dir;
        std::vector<std::string> pictures{"p.svg", "v.svg"};
        if (args.back() == section) {
            args.push_back("1100:" + dir.File("s.svg"));
            pictures.push_back("s.svg");
        }
        args.insert(args.begin(), {"preview", "--plan-svg", dir.File("p.svg"), "--profile-svg",
                                   dir.File("v.svg")});
        const CliResult result = RunWith(args);
        ASSERT_EQ(result.status, 0) << result.err;
        // The small road's arc turns right, clockwise on the page; every
        // profile but the loop's draws its vertices as dots.
        const std::string plan = test::ReadFileBytes(dir.File("p.svg"));
        if (file.ends_with("preview-road.xml") && args.back() != "Loop") {
            EXPECT_NE(plan.find(" 0 0 1 "), std::string::npos);
            EXPECT_EQ(plan.find(" 0 0 0 "), std::string::npos);
            EXPECT_NE(plan.find(">1200</text>"), std::string::npos);
            EXPECT_NE(test::ReadFileBytes(dir.File("v.svg")).find(">+2.000 %<"), std::string::npos);
        }
        if (file.ends_with("crosssects.xml")) {
            EXPECT_NE(test::ReadFileBytes(dir.File("s.svg")).find("<title>Station 1100 "),
                      std::string::npos);
        }
        const std::string profile = test::ReadFileBytes(dir.File("v.svg"));
        std::size_t dots = 0;
        for (std::size_t at = profile.find("<circle"); at != std::string::npos;
             at = profile.find("<circle", at + 1)) {
            ++dots;
        }
        EXPECT_GE(dots, args.back() == "Loop" ? 0u : 2u);
        for (const std::string& picture : pictures) {
            std::string out;
            std::string err;
            if (!test::kWindows) {  // the XML parser is a Linux program
                EXPECT_EQ(test::RunProcess({"xmllint", "--noout", dir.File(picture)}, "", out, err),
                          0)
                    << picture << err;
            }
            const std::vector<double> drawn =
                DrawnCoordinates(test::ReadFileBytes(dir.File(picture)));
            EXPECT_GT(drawn.size(), picture == "v.svg" && args.back() == "Loop" ? 0u : 4u)
                << picture;
            for (const double n : drawn) {
                EXPECT_TRUE(n >= 0 && n <= 1200) << picture << " " << n;
            }
        }
    }
}

}  // namespace
}  // namespace chainforge
