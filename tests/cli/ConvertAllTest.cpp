// convert-all over the real exports kept in the repository: the files written
// side by side by two jobs are those written one by one, byte for byte, and
// so are standard output, standard error and the report.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "io/Platform.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;

// Every file under folder, by its path from there, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[Utf8FromPath(entry.path().lexically_relative(folder))] =
                test::ReadFileBytes(entry.path());
        }
    }
    return files;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::map<std::string, std::string> files;
};

Outcome ConvertAll(const std::string& jobs) {
    std::vector<std::string> args{CHAINFORGE_CLI, "convert-all"};
    for (const fs::path& input : test::RepositoryExports()) {
        args.push_back(Utf8FromPath(input));
    }
    for (const char* option : {"--out-dir", "out", "--report-json", "report.json", "--jobs"}) {
        args.emplace_back(option);
    }
    args.push_back(jobs);
    test::TempDir dir;
    Outcome run;
    run.status = test::RunProcess(args, Utf8FromPath(dir.Path()), run.out, run.err);
    run.files = Tree(dir.Path());
    return run;
}

TEST(ConvertAll, TwoJobsWriteWhatOneWrites) {
    const Outcome serial = ConvertAll("1");
    const Outcome parallel = ConvertAll("2");
    ASSERT_EQ(serial.status, 0) << serial.err;
    EXPECT_EQ(parallel.status, serial.status);
    EXPECT_EQ(parallel.out, serial.out);
    EXPECT_EQ(parallel.err, serial.err);
    // One point file per export, one chain file per alignment, and the report.
    EXPECT_GT(serial.files.size(), test::RepositoryExports().size() + 1);
    EXPECT_TRUE(serial.files.contains("report.json"));
    EXPECT_EQ(parallel.files, serial.files);
}

}  // namespace
}  // namespace chainforge
