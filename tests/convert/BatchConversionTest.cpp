// What only a caller of the batch itself can do: stop it, and watch it on
// more threads than one (the test program ThreadSanitizer runs).
#include "convert/BatchConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>

#include "io/Platform.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

struct Batch {
    BatchOptions options;
    BatchReport report;
    std::deque<CScriptedUserInterface> uis;  // answering no dialog, they let nothing be written

    // outDir: where the files' folders are made.
    Batch(unsigned jobs, const test::TempDir& outDir) {
        for (const auto& input : test::RepositoryExports()) {
            options.inputs.push_back(Utf8FromPath(input));
        }
        options.outDir = Utf8FromPath(outDir.Path());
        options.jobs = jobs;
        report = PlanBatch(options);
        uis.resize(report.files.size());
    }

    void Run(const BatchProgressFunction& progress, std::atomic<bool>& stop) {
        RunBatch(
            options, report, [this](std::size_t file) -> CUserInterface& { return uis[file]; },
            progress, stop);
    }
};

TEST(BatchConversion, FilesOfTheSameStemGetFoldersNumbered) {
    BatchOptions options;
    options.inputs = {"a/Road.xml", "b/road.xml", "c/road.landxml", "CON.xml"};
    options.outDir = "out/";
    const BatchReport report = PlanBatch(options);
    ASSERT_EQ(report.files.size(), 4u);
    EXPECT_EQ(report.files[0].folder, "out/Road");
    EXPECT_EQ(report.files[1].folder, "out/road (2)");
    EXPECT_EQ(report.files[2].pointsPath, "out/road (3)/road (3).asc");
    EXPECT_EQ(report.files[3].pointsPath, "out/CON_/CON_.asc");
}

TEST(BatchConversion, StopBeforeTheFirstFileLeavesAllNotStarted) {
    const test::TempDir dir;
    Batch batch(2, dir);
    std::atomic<bool> stop{true};
    batch.Run({}, stop);
    EXPECT_TRUE(batch.report.stopped);
    const BatchSummary summary = SummarizeBatch(batch.report);
    EXPECT_EQ(summary.files.notStarted, batch.report.files.size());
    EXPECT_EQ(summary.alignments.Total(), 0u);
}

TEST(BatchConversion, StopDuringAFileFinishesItAndStartsNoOther) {
    const test::TempDir dir;
    Batch batch(1, dir);
    std::atomic<bool> stop{false};
    std::vector<std::size_t> started;
    batch.Run(
        [&](const BatchProgress& progress) {
            if (!progress.finished) {
                started.push_back(progress.file);
                stop = true;
            }
        },
        stop);
    ASSERT_EQ(started, std::vector<std::size_t>{0});
    // The load that the stop met counts the file as not started: nothing of it
    // was written.
    const BatchSummary summary = SummarizeBatch(batch.report);
    EXPECT_EQ(summary.files.notStarted, batch.report.files.size());
    EXPECT_TRUE(batch.report.stopped);
}

TEST(BatchConversion, TwoJobsReportWhatOneReports) {
    const test::TempDir dir;
    Batch serial(1, dir);
    Batch parallel(2, dir);
    std::atomic<bool> stop{false};
    std::size_t finished = 0;
    serial.Run({}, stop);
    parallel.Run([&finished](const BatchProgress& progress) { finished += progress.finished; },
                 stop);
    EXPECT_EQ(finished, parallel.report.files.size());
    EXPECT_EQ(BatchReportJson(parallel.report), BatchReportJson(serial.report));
    for (std::size_t i = 0; i < serial.uis.size(); ++i) {
        EXPECT_EQ(parallel.uis[i].Messages(), serial.uis[i].Messages()) << i;
    }
}

// A chain file that exists is kept, with the caller's hint, unless the batch
// replaces files: then its interface is asked for no confirmation.
TEST(BatchConversion, ExistingFileKeptOrReplacedAsTheOptionsSay) {
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "replace" : "keep");
        const test::TempDir dir;
        BatchOptions options;
        options.inputs = {Utf8FromPath(std::filesystem::path(CHAINFORGE_TEST_DATA) / "golden" /
                                       "convert-all-existing-file-kept" / "road.xml")};
        options.outDir = Utf8FromPath(dir.Path());
        options.surface = ItemRule{ItemRule::Kind::None, {}};
        options.replace = replace;
        options.keptHint = "HINT";
        BatchReport report = PlanBatch(options);
        const std::string chain = report.files[0].folder + "/Road.ch";
        std::filesystem::create_directories(PathFromUtf8(report.files[0].folder));
        test::WriteFileBytes(chain, "old");
        CScriptedUserInterface ui;
        std::atomic<bool> stop{false};
        RunBatch(
            options, report, [&ui](std::size_t) -> CUserInterface& { return ui; }, {}, stop);
        std::vector<FileDialogRequest> asked;
        for (const auto& event : ui.Events()) {
            if (event.kind == CScriptedUserInterface::EventKind::SaveDialog &&
                event.request.defaultExtension == "CH") {
                asked.push_back(event.request);
            }
        }
        const std::string kept = "File " + chain + " already exists; HINT";
        const auto& messages = ui.Messages();
        EXPECT_EQ(std::count(messages.begin(), messages.end(), kept), replace ? 0 : 1);
        ASSERT_EQ(asked.size(), replace ? 1u : 0u);
        if (replace) {
            EXPECT_EQ(asked[0].initialName, chain);
            EXPECT_FALSE(asked[0].askBeforeReplacing);
        }
        EXPECT_EQ(test::ReadFileBytes(chain), "old");  // the scripted dialog answered nothing
    }
}

}  // namespace
}  // namespace chainforge
