// Every real export is listed through the program, and each of its alignments
// and corridor surfaces converted. What is checked holds for each file on its
// own, so that a new export in the corpus never breaks the walk: the program
// ends normally, every message has its prefix, every spiral is either written
// as arcs within the tolerance or left out with its reason in the report, and
// a file whose spirals are all clothoids leaves none out.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "io/Platform.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

// The number after "key": in a report; -1 when there is none.
double ReportNumber(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\": ");
    return at == std::string::npos ? -1 : std::stod(json.substr(at + key.size() + 4));
}

// The count of the "not converted" entry of that kind with a reason.
long LeftOutWithReason(const std::string& json, const std::string& kind) {
    static const std::regex entry(
        R"re(\{"kind": "([^"]+)", "count": ([0-9]+), "reason": "([^"]+)"\})re");
    long count = 0;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), entry);
         it != std::sregex_iterator(); ++it) {
        count += (*it)[1] == kind ? std::stol((*it)[2]) : 0;
    }
    return count;
}

// True when every spiral of the file names the clothoid as its kind.
bool OnlyClothoids(const std::string& bytes) {
    static const std::regex kind(R"re(spiType\s*=\s*["']([^"']*)["'])re");
    std::set<std::string> kinds;
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), kind);
         it != std::sregex_iterator(); ++it) {
        kinds.insert((*it)[1]);
    }
    return kinds.empty() || kinds == std::set<std::string>{"clothoid"};
}

struct Listing {
    std::vector<std::string> alignments;
    std::vector<long> spirals;           // of each alignment, as list --json counts them
    std::vector<std::string> corridors;  // alignments with "Corridor Top"
};

std::vector<std::string> TsvField(const std::string& tsv, const std::string& kind) {
    std::vector<std::string> names;
    std::istringstream rows(tsv);
    for (std::string row; std::getline(rows, row);) {
        if (row.starts_with(kind + "\t") &&
            (kind != "surface" || row.ends_with("\tCorridor Top"))) {
            const std::size_t start = row.find('\t') + 1;
            names.push_back(row.substr(start, row.find('\t', start) - start));
        }
    }
    return names;
}

// Lists the file as rows and as JSON; every message on standard error is the
// program's own.
Listing List(const std::string& file) {
    Listing listing;
    std::string tsv;
    std::string json;
    std::string err;
    EXPECT_EQ(test::RunProcess({CHAINFORGE_CLI, "list", "--tsv", file}, "", tsv, err), 0) << err;
    EXPECT_EQ(test::RunProcess({CHAINFORGE_CLI, "list", "--json", file}, "", json, err), 0) << err;
    for (std::size_t start = 0; start < err.size(); start = err.find('\n', start) + 1) {
        EXPECT_EQ(err.compare(start, 12, "chainforge: "), 0) << err;
    }
    listing.alignments = TsvField(tsv, "alignment");
    listing.corridors = TsvField(tsv, "surface");
    for (std::size_t at = json.find("\"spirals\": "); at != std::string::npos;
         at = json.find("\"spirals\": ", at + 1)) {
        listing.spirals.push_back(std::stol(json.substr(at + 11)));
    }
    EXPECT_EQ(listing.spirals.size(), listing.alignments.size());
    listing.spirals.resize(listing.alignments.size());
    return listing;
}

// Converts one alignment (with its finished corridor surface when asked);
// returns the JSON report. A corridor standing on the grade line, or one
// whose shapes are all left out, gives no vertical control without a profile:
// that run ends with its message.
std::string Convert(const std::string& file, const std::string& alignment, bool corridor) {
    test::TempDir dir;
    std::vector<std::string> args{CHAINFORGE_CLI, "convert",       file,    "--alignment",
                                  alignment,      "--report-json", "r.json"};
    if (corridor) {
        args.insert(args.end(), {"--surface", "Corridor Top", "--yes"});
    }
    std::string out;
    std::string err;
    const int status = test::RunProcess(args, Utf8FromPath(dir.Path()), out, err);
    const bool noVertical =
        corridor && (err.find("relative to the grade line") != std::string::npos ||
                     err.find("gave a centreline elevation") != std::string::npos);
    EXPECT_EQ(status, noVertical ? 1 : 0) << alignment << err;
    EXPECT_EQ(err.find("Cannot"), std::string::npos) << alignment << err;
    if (corridor) {
        EXPECT_EQ(err.find("Centerline"), std::string::npos) << err;
    }
    return test::ReadFileBytes(dir.Path() / "r.json");
}

void CheckSpirals(const std::string& report, long spirals, bool onlyClothoids) {
    const double asArcs = ReportNumber(report, "spirals_as_arcs");
    const double ignored = ReportNumber(report, "spirals_ignored");
    EXPECT_EQ(asArcs + ignored, spirals) << report;
    EXPECT_EQ(LeftOutWithReason(report, "Spiral"), ignored) << report;
    EXPECT_GE(ReportNumber(report, "spiral_arcs"), asArcs);
    if (asArcs > 0) {
        EXPECT_LE(ReportNumber(report, "largest_spiral_deviation"), 0.001);
    }
    if (onlyClothoids) {
        EXPECT_EQ(ignored, 0) << report;
    }
}

void CheckExport(const std::filesystem::path& path) {
    SCOPED_TRACE(path.filename().string());
    const std::string file = Utf8FromPath(path);
    const bool onlyClothoids = OnlyClothoids(test::ReadFileBytes(path));
    const Listing listing = List(file);
    for (std::size_t k = 0; k < listing.alignments.size(); ++k) {
        SCOPED_TRACE(listing.alignments[k]);
        CheckSpirals(Convert(file, listing.alignments[k], false), listing.spirals[k],
                     onlyClothoids);
    }
    // A corridor's finished surface: sections read, or the report says why
    // none could be.
    for (const std::string& alignment : listing.corridors) {
        const std::string report = Convert(file, alignment, true);
        EXPECT_EQ(ReportNumber(report, "read") == 0, report.find("dataFormat") != std::string::npos)
            << report;
    }
}

TEST(RealExports, ListAndConvertEveryAlignment) {
    const auto files = test::RepositoryExports();
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        CheckExport(path);
    }
}

TEST(RealExports, ListAndConvertEveryAlignmentOfTheCorpus) {
    CHAINFORGE_SKIP_WITHOUT_CORPUS();
    for (const auto& path : test::FurtherCorpusExports()) {
        CheckExport(path);
    }
}

}  // namespace
}  // namespace chainforge
