// Golden cases: each folder under data/golden runs chainforge-cli once.
//   args       the arguments, one a line
//   expected/  status, stderr and every file the run must leave, byte for byte,
//              in folders as the run leaves them; stdout when it is to be
//              compared too
// Every other file of the folder, in its folders too, is an input, copied into
// the fresh folder in which the program runs. Afterwards that folder holds
// exactly the inputs and the expected files; an input not listed under
// expected/ stays unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "io/Platform.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(CHAINFORGE_TEST_DATA) / "golden")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Every file under folder, by its path from there.
std::set<std::string> FilesUnder(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            names.insert(Utf8FromPath(entry.path().lexically_relative(folder)));
        }
    }
    return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    const fs::path source = fs::path(CHAINFORGE_TEST_DATA) / "golden" / GetParam();
    const fs::path expected = source / "expected";
    test::TempDir dir;
    std::set<std::string> inputs;
    for (const std::string& name : FilesUnder(source)) {
        if (name != "args" && *PathFromUtf8(name).begin() != fs::path("expected")) {
            inputs.insert(name);
        }
    }
    for (const std::string& name : inputs) {
        const fs::path target = dir.Path() / PathFromUtf8(name);
        fs::create_directories(target.parent_path());
        fs::copy_file(source / PathFromUtf8(name), target);
    }
    std::vector<std::string> args{CHAINFORGE_CLI};
    std::ifstream lines(source / "args");
    for (std::string arg; std::getline(lines, arg);) {
        args.push_back(arg);
    }
    std::string out;
    std::string err;
    const int status = test::RunProcess(args, Utf8FromPath(dir.Path()), out, err);
    EXPECT_EQ(std::to_string(status) + "\n", test::ReadFileBytes(expected / "status"));
    EXPECT_EQ(err, test::ReadFileBytes(expected / "stderr"));
    if (fs::exists(expected / "stdout")) {
        EXPECT_EQ(out, test::ReadFileBytes(expected / "stdout"));
    }

    // Names are UTF-8 bytes, as the program takes them.
    const auto bytes = [](const fs::path& folder, const std::string& name) {
        return test::ReadFileBytes(folder / PathFromUtf8(name));
    };
    std::set<std::string> wanted = FilesUnder(expected);
    wanted.erase("status");
    wanted.erase("stderr");
    wanted.erase("stdout");
    for (const std::string& name : FilesUnder(dir.Path())) {
        if (wanted.erase(name) != 0) {
            EXPECT_EQ(bytes(dir.Path(), name), bytes(expected, name)) << name;
        } else if (inputs.contains(name)) {
            EXPECT_EQ(bytes(dir.Path(), name), bytes(source, name)) << name << " changed";
        } else {
            ADD_FAILURE() << "unexpected file " << name;
        }
    }
    for (const std::string& name : wanted) {
        ADD_FAILURE() << "missing file " << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, Golden, ::testing::ValuesIn(CaseNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

}  // namespace
}  // namespace chainforge
