// The white space between tags does not matter: every real export and every
// LandXML input of the golden cases, rewritten on one line, with several
// elements to a line, re-indented with CR LF, and with every kind of line end
// mixed, lists and converts as the file itself does. Positions, and the line
// numbers in messages, are those of the text as read, so they are left out
// of the comparison; everything else (rows, JSON, messages, exit statuses,
// the summary and every byte of every file written) must be the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "cli/Cli.h"
#include "io/Platform.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;

// The end of the markup that starts at open: comments, CDATA, processing
// instructions and quoted attribute values are passed over whole. npos
// when the data ends first.
std::size_t MarkupEnd(const std::string& text, std::size_t open) {
    for (const auto& [start, close] :
         {std::pair<std::string, std::string>{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}}) {
        if (text.compare(open, start.size(), start) == 0) {
            const std::size_t at = text.find(close, open + start.size());
            return at == std::string::npos ? at : at + close.size();
        }
    }
    char quote = '\0';
    for (std::size_t at = open + 1; at < text.size(); ++at) {
        if (quote != '\0') {
            quote = text[at] == quote ? '\0' : quote;
        } else if (text[at] == '"' || text[at] == '\'') {
            quote = text[at];
        } else if (text[at] == '>') {
            return at + 1;
        }
    }
    return std::string::npos;
}

// Each run of white space between two tags that holds a line break,
// replaced by what gap gives for it (counted from 0).
using Gap = std::function<std::string(std::size_t)>;

std::string Relaid(const std::string& text, const Gap& gap) {
    std::string out;
    std::size_t copied = 0;
    std::size_t count = 0;
    for (std::size_t end = text.find('<'); end != std::string::npos;) {
        end = MarkupEnd(text, end);
        const std::size_t next = end == std::string::npos ? end : text.find('<', end);
        if (next == std::string::npos) {
            break;
        }
        const std::string between = text.substr(end, next - end);
        if (between.find_first_not_of(" \t\r\n") == std::string::npos &&
            between.find_first_of("\r\n") != std::string::npos) {
            out.append(text, copied, end - copied).append(gap(count++));
            copied = next;
        }
        end = next;
    }
    return out.append(text, copied);
}

const std::map<std::string, Gap>& Layouts() {
    static const std::map<std::string, Gap> layouts{
        {"one line", [](std::size_t) { return std::string(); }},
        {"several to a line",
         [](std::size_t k) { return k % 3 == 2 ? std::string("\r\n") : std::string(k % 2, ' '); }},
        {"re-indented with CR LF",
         [](std::size_t k) { return "\r\n" + std::string(k % 7, k % 2 == 0 ? ' ' : '\t'); }},
        {"mixed line ends",
         [](std::size_t k) {
             static const std::vector<std::string> ends{"\n", "\r\n", "\r\r\n", "\r", " \n\t"};
             return ends[k % ends.size()];
         }},
    };
    return layouts;
}

struct Run {
    int status = 0;
    std::string out;
    std::string err;
    std::map<std::string, std::string> files;
};

// A listing row's position, the last field of a group, alignment or profile.
std::string WithoutPosition(const std::string& row) {
    for (const char* kind : {"group\t", "alignment\t", "profile\t"}) {
        if (row.starts_with(kind)) {
            return row.substr(0, row.rfind('\t') + 1) + "POS";
        }
    }
    return row;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
    }
}

// Positions and line numbers masked, the folder's name too, also as a JSON
// string writes it (a Windows folder's backslashes doubled).
std::string Masked(std::string text, const std::string& folder) {
    std::string escaped;
    for (const char c : folder) {
        escaped.append(c == '\\' ? 2 : 1, c);
    }
    Replace(text, escaped, "DIR");
    Replace(text, folder, "DIR");
    static const std::regex line(" at line [0-9]+");
    std::istringstream rows(std::regex_replace(text, line, " at line N"));
    std::string masked;
    for (std::string row; std::getline(rows, row);) {
        masked.append(WithoutPosition(row)).append("\n");
    }
    return masked;
}

Run RunIn(const fs::path& folder, const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.status = RunCli(args, out, err);
    const std::string name = Utf8FromPath(folder);
    run.out = Masked(out.str(), name);
    run.err = Masked(err.str(), name);
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string file = Utf8FromPath(entry.path().filename());
        if (file != "in.xml") {
            run.files[file] = Masked(test::ReadFileBytes(entry.path()), name);
            fs::remove(entry.path());
        }
    }
    return run;
}

bool operator==(const Run& a, const Run& b) {
    return a.status == b.status && a.out == b.out && a.err == b.err && a.files == b.files;
}

std::ostream& operator<<(std::ostream& os, const Run& run) {
    os << "status " << run.status << "\n" << run.out << run.err;
    for (const auto& [name, bytes] : run.files) {
        os << "== " << name << "\n" << bytes;
    }
    return os;
}

// The names in the rows of that kind: column 1, and for alignments the first
// profile and surface, as the listing gives them.
std::vector<std::vector<std::string>> Conversions(const std::string& tsv) {
    std::vector<std::vector<std::string>> conversions;
    std::map<std::string, std::vector<std::string>> byAlignment;
    std::vector<std::string> order;
    std::istringstream rows(tsv);
    for (std::string row; std::getline(rows, row);) {
        std::vector<std::string> fields;
        std::istringstream cells(row);
        for (std::string cell; std::getline(cells, cell, '\t');) {
            fields.push_back(cell);
        }
        if (fields.size() < 3) {
            continue;
        }
        if (fields[0] == "group") {
            conversions.push_back({"--points", fields[1]});
        } else if (fields[0] == "alignment") {
            order.push_back(fields[1]);
            byAlignment[fields[1]] = {"--alignment", fields[1]};
        } else if ((fields[0] == "profile" || fields[0] == "surface") &&
                   byAlignment[fields[1]].end() == std::find(byAlignment[fields[1]].begin(),
                                                             byAlignment[fields[1]].end(),
                                                             "--" + fields[0])) {
            byAlignment[fields[1]].insert(byAlignment[fields[1]].end(),
                                          {"--" + fields[0], fields[2]});
        }
    }
    for (const std::string& name : order) {
        conversions.push_back(byAlignment[name]);
    }
    return conversions;
}

// Lists and converts the text as the file in.xml of a fresh folder.
std::vector<Run> ListAndConvert(const std::string& text,
                                const std::vector<std::vector<std::string>>& conversions) {
    test::TempDir dir;
    const std::string input = dir.File("in.xml");
    test::WriteFileBytes(input, text);
    std::vector<Run> runs;
    runs.push_back(RunIn(dir.Path(), {"list", input, "--tsv"}));
    runs.push_back(RunIn(dir.Path(), {"list", input, "--json"}));
    for (const auto& selection : conversions) {
        std::vector<std::string> args{"convert",       input,
                                      "--ascii-out",   dir.File("p.asc"),
                                      "--chain-out",   dir.File("c.ch"),
                                      "--report-json", dir.File("r.json"),
                                      "--yes"};
        args.insert(args.end(), selection.begin(), selection.end());
        runs.push_back(RunIn(dir.Path(), args));
    }
    return runs;
}

// Byte-oriented layouts do not apply to UTF-16.
bool Utf16(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

void CheckLayouts(const fs::path& path) {
    SCOPED_TRACE(path.string());
    const std::string text = test::ReadFileBytes(path);
    if (Utf16(text)) {
        return;
    }
    std::string tsv;
    {
        test::TempDir dir;
        test::WriteFileBytes(dir.File("in.xml"), text);
        std::ostringstream out;
        std::ostringstream err;
        static_cast<void>(RunCli({"list", dir.File("in.xml"), "--tsv"}, out, err));
        tsv = out.str();
    }
    const auto conversions = Conversions(tsv);
    const std::vector<Run> expected = ListAndConvert(text, conversions);
    for (const auto& [layout, gap] : Layouts()) {
        SCOPED_TRACE(layout);
        const std::vector<Run> got = ListAndConvert(Relaid(text, gap), conversions);
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k], expected[k]) << "run " << k;
        }
    }
}

// The golden cases' LandXML inputs, each once.
std::vector<fs::path> GoldenInputs() {
    std::vector<fs::path> inputs;
    std::set<std::string> seen;
    for (const auto& folder : fs::directory_iterator(fs::path(CHAINFORGE_TEST_DATA) / "golden")) {
        for (const fs::path& file : test::XmlFiles(folder.path())) {
            if (seen.insert(test::ReadFileBytes(file)).second) {
                inputs.push_back(file);
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

TEST(Layout, RealExportsReadTheSameWhateverTheWhiteSpaceBetweenTags) {
    const auto files = test::RepositoryExports();
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        CheckLayouts(path);
    }
}

TEST(Layout, GoldenInputsReadTheSameWhateverTheWhiteSpaceBetweenTags) {
    const auto files = GoldenInputs();
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        CheckLayouts(path);
    }
}

}  // namespace
}  // namespace chainforge
