// Output names, through the real chainforge-cli process in a folder of its
// own, so that names relative to the current folder are what a user types.
// The message texts are golden cases (data/golden/usage-output-*, output-*).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "io/Platform.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;

// Every entry under folder (links not followed), with a regular file's bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const bool file = entry.is_regular_file() && !entry.is_symlink();
        entries[entry.path().lexically_relative(folder).generic_string()] =
            file ? test::ReadFileBytes(entry.path()) : "(not a file)";
    }
    return entries;
}

// A folder holding the LandXML file road.xml, the point file pts.asc, an
// empty folder sub and, where links can be made, here -> the folder itself.
struct RunFolder {
    test::TempDir dir;
    bool links = false;
    RunFolder() {
        fs::copy_file(fs::path(CHAINFORGE_TEST_DATA) / "preview-road.xml", dir.Path() / "road.xml");
        test::WriteFileBytes(dir.Path() / "pts.asc", "9,1,2,3,X\r\n");
        fs::create_directory(dir.Path() / "sub");
        std::error_code error;
        fs::create_directory_symlink(".", dir.Path() / "here", error);
        links = !error;
    }
};

enum class Spelling { Plain, Dot, Up, Absolute, Link };

std::string Spell(const RunFolder& folder, Spelling spelling, const std::string& name) {
    switch (spelling) {
        case Spelling::Plain:
            return name;
        case Spelling::Dot:
            return "./" + name;
        case Spelling::Up:
            return "sub/../" + name;
        case Spelling::Absolute:
            return folder.dir.File(name);
        case Spelling::Link:
            return folder.links ? "here/" + name : "sub/./../" + name;
    }
    return name;
}

// "FILE" stands for the LandXML file, given without an option.
struct OptionPair {
    const char* command;
    const char* first;
    const char* second;
};

const OptionPair kPairs[] = {
    {"convert", "--ascii-out", "--chain-out"},
    {"convert", "--ascii-out", "--report-json"},
    {"convert", "--chain-out", "--report-json"},
    {"convert", "FILE", "--ascii-out"},
    {"convert", "FILE", "--chain-out"},
    {"convert", "FILE", "--report-json"},
    {"convert", "--ascii-points", "--ascii-out"},
    {"convert", "--ascii-points", "--chain-out"},
    {"convert", "--ascii-points", "--report-json"},
    {"preview", "--plan-svg", "--profile-svg"},
    {"preview", "--plan-svg", "--section-svg"},
    {"preview", "--profile-svg", "--section-svg"},
    {"preview", "--section-svg", "--section-svg"},
    {"preview", "FILE", "--plan-svg"},
    {"preview", "FILE", "--profile-svg"},
    {"preview", "FILE", "--section-svg"},
};

const std::pair<Spelling, Spelling> kSpellings[] = {
    {Spelling::Plain, Spelling::Dot},    {Spelling::Dot, Spelling::Plain},
    {Spelling::Up, Spelling::Plain},     {Spelling::Plain, Spelling::Absolute},
    {Spelling::Absolute, Spelling::Dot}, {Spelling::Link, Spelling::Plain},
    {Spelling::Dot, Spelling::Link},     {Spelling::Up, Spelling::Absolute},
};

bool IsInput(const std::string& option) {
    return option == "FILE" || option == "--ascii-points";
}

// The arguments that give option the file name; a second section picture
// draws another station.
std::vector<std::string> OptionArgs(const std::string& option, const std::string& name,
                                    bool second) {
    if (option == "--section-svg") {
        return {option, (second ? "1010:" : "1000:") + name};
    }
    return {option, name};
}

std::vector<std::string> CommandArgs(const OptionPair& pair, const std::string& firstName,
                                     const std::string& secondName) {
    const std::string first = pair.first;
    std::vector<std::string> args{
        CHAINFORGE_CLI, pair.command, first == "FILE" ? firstName : "road.xml",
        "--alignment",  "Road",       "--profile",
        "FG",           "--surface",  "Top"};
    if (std::string(pair.command) == "convert") {
        args.push_back("--force");
        if (first != "--ascii-points") {
            args.insert(args.end(), {"--points", "Survey"});
        }
    }
    if (first != "FILE") {
        const auto more = OptionArgs(first, firstName, false);
        args.insert(args.end(), more.begin(), more.end());
    }
    const auto more = OptionArgs(pair.second, secondName, true);
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Two options naming one file, each spelt its own way, with the file there
// already or not yet: a usage error, and every file as it was.
TEST(OutputNames, OneFileSpeltTwoWaysIsAUsageError) {
    std::size_t row = 0;
    for (const OptionPair& pair : kPairs) {
        const std::string first = pair.first;
        const std::string target = first == "FILE"             ? "road.xml"
                                   : first == "--ascii-points" ? "pts.asc"
                                                               : "x";
        for (const bool exists : {false, true}) {
            if (!exists && IsInput(first)) {
                continue;
            }
            const auto [firstSpelling, secondSpelling] = kSpellings[row++ % std::size(kSpellings)];
            RunFolder folder;
            if (exists && !IsInput(first)) {
                test::WriteFileBytes(folder.dir.Path() / target, "keep");
            }
            const auto args = CommandArgs(pair, Spell(folder, firstSpelling, target),
                                          Spell(folder, secondSpelling, target));
            std::string trace;
            for (const std::string& arg : args) {
                trace += " " + arg;
            }
            SCOPED_TRACE(trace);
            const auto before = Snapshot(folder.dir.Path());
            std::string out;
            std::string err;
            EXPECT_EQ(test::RunProcess(args, Utf8FromPath(folder.dir.Path()), out, err), 2);
            EXPECT_TRUE(err.starts_with("chainforge: ")) << err;
            EXPECT_NE(err.find(" names the same file as "), std::string::npos) << err;
            EXPECT_EQ(Snapshot(folder.dir.Path()), before);
        }
    }
}

// What is not a regular file is refused, without waiting for a FIFO's reader,
// and stays what it was; the null device takes a file and discards it, with
// or without --force.
TEST(OutputNames, NotARegularFile) {
    if (test::kWindows) {
        GTEST_SKIP() << "no FIFOs or /dev/null among Windows files";
    }
    RunFolder folder;
    ASSERT_TRUE(test::MakeFifo(folder.dir.File("fifo")));
    const std::vector<std::string> convert{CHAINFORGE_CLI, "convert", "road.xml", "--points",
                                           "Survey"};
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
        std::string out;
    } cases[] = {
        {{"--ascii-out", "fifo"},
         1,
         "chainforge: Cannot write to fifo: not a regular file\n",
         "nothing written\n"},
        {{"--ascii-out", "sub", "--force"},
         1,
         "chainforge: Cannot write to sub: not a regular file\n",
         "nothing written\n"},
        {{"--ascii-out", "/dev/null"}, 0, "", "wrote /dev/null (discarded)\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = convert;
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args[1]);
        const auto before = Snapshot(folder.dir.Path());
        std::string out;
        std::string err;
        EXPECT_EQ(test::RunProcess(args, Utf8FromPath(folder.dir.Path()), out, err), c.status);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(Snapshot(folder.dir.Path()), before);
    }
    EXPECT_TRUE(fs::is_fifo(folder.dir.File("fifo")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace chainforge
