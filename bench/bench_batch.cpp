// convert-all's work on a folder of real exports: every file and every
// alignment converted and written, one job against two.
#include <benchmark/benchmark.h>

#include <deque>
#include <filesystem>
#include <random>

#include "BenchSamples.h"
#include "convert/BatchConversion.h"
#include "io/Platform.h"

namespace {

using namespace chainforge;
namespace fs = std::filesystem;

// Answers as convert-all --force does, and keeps quiet.
class CWriteEverything : public CUserInterface {
  public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override {
        return request.initialName;
    }
    bool FileExists(const std::string& path) override { return fs::exists(PathFromUtf8(path)); }
};

std::vector<std::string> XmlFilesIn(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(Utf8FromPath(entry.path()));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// range(0): the jobs.
void BM_ConvertAllOfTheCorpus(benchmark::State& state) {
    BatchOptions options;
    options.inputs = XmlFilesIn(bench::CorpusFolder());
    if (options.inputs.empty()) {
        state.SkipWithError(bench::CorpusMissing().c_str());
        return;
    }
    const fs::path out =
        fs::temp_directory_path() / ("chainforge-bench-" + std::to_string(std::random_device()()));
    options.outDir = Utf8FromPath(out);
    options.jobs = static_cast<unsigned>(state.range(0));
    std::size_t alignments = 0;
    for (auto _ : state) {
        BatchReport report = PlanBatch(options);
        std::deque<CWriteEverything> uis(report.files.size());
        const std::atomic<bool> stop{false};
        RunBatch(
            options, report, [&uis](std::size_t file) -> CUserInterface& { return uis[file]; }, {},
            stop);
        alignments = SummarizeBatch(report).alignments.Total();
    }
    state.counters["files"] = static_cast<double>(options.inputs.size());
    state.counters["alignments"] = static_cast<double>(alignments);
    std::error_code error;
    fs::remove_all(out, error);
}
BENCHMARK(BM_ConvertAllOfTheCorpus)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
