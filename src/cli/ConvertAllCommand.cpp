#include "cli/ConvertAllCommand.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <thread>

#include "cli/BatchPrinter.h"
#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"
#include "cli/CommandOptions.h"
#include "cli/InterruptStop.h"
#include "convert/BatchConversion.h"
#include "io/InterruptCleanup.h"
#include "io/OutputFile.h"
#include "io/Platform.h"

namespace chainforge {
namespace {

constexpr unsigned kMostJobs = 256;

struct ConvertAllOptions {
    SelectionOptions shared;
    std::vector<std::string> inputs;
    std::optional<std::string> outDir;
    std::optional<std::string> reportJson;
    std::optional<std::string> jobs;
    bool yes = false;
    bool force = false;

    CommandOwnOptions Own() {
        return {
            .flags = {{"--yes", &yes}, {"--force", &force}},
            .values = {{"--out-dir", &outDir}, {"--report-json", &reportJson}, {"--jobs", &jobs}},
            .lists = {},
            .inputs = &inputs};
    }
};

// One job per core unless told; at least one, and no more than files can be
// guarded against an interruption at once.
std::string ReadJobs(const std::optional<std::string>& text, unsigned& jobs) {
    if (!text) {
        jobs = std::clamp(std::thread::hardware_concurrency(), 1U, kMostJobs);
        return {};
    }
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, jobs);
    if (error != std::errc() || stop != end || jobs < 1 || jobs > kMostJobs) {
        return "--jobs takes a whole number from 1 to 256";
    }
    return {};
}

// The usage problem of the options beyond the parsing, or the empty text.
std::string CheckOptions(const ConvertAllOptions& options) {
    if (options.inputs.empty()) {
        return "convert-all needs a LandXML file";
    }
    if (!options.outDir) {
        return "convert-all needs --out-dir";
    }
    if (options.outDir->empty()) {
        return "the folder name of --out-dir is empty";
    }
    if (options.shared.selections.alignment) {
        return "convert-all converts every alignment; it takes no --alignment";
    }
    if (!options.reportJson) {
        return {};
    }
    std::vector<Name> inputs;
    for (const std::string& input : options.inputs) {
        inputs.emplace_back("the LandXML file", input);
    }
    return FirstClash({{"--report-json", *options.reportJson}}, std::move(inputs));
}

void ReadRules(const ConversionSelections& given, BatchOptions& batch) {
    batch.points = ReadItemRule(given.pointGroup.value_or("all"), true, false);
    batch.profile = ReadItemRule(given.profile.value_or("first"), false, false);
    batch.surface = ReadItemRule(given.surface.value_or("first"), false, true);
}

// The usage problem of the arguments, or the empty text; fills batch.
std::string ReadOptions(const std::vector<std::string>& args, ConvertAllOptions& options,
                        BatchOptions& batch) {
    std::string problem = ParseArguments(args, options.shared, options.Own());
    if (options.shared.help) {
        return {};
    }
    if (problem.empty()) {
        problem = CheckOptions(options);
    }
    if (problem.empty()) {
        problem = ReadJobs(options.jobs, batch.jobs);
    }
    if (problem.empty()) {
        problem = ReadSpiralOptions(options.shared, batch.spirals);
    }
    batch.replace = options.force;
    batch.keptHint = "use --force to replace it";
    batch.inputs = options.inputs;
    batch.outDir = options.outDir.value_or("");
    ReadRules(options.shared.selections, batch);
    return problem;
}

// The file of the batch that path would replace: none is taken by the report.
std::optional<std::string> WrittenBefore(const BatchReport& report, const std::string& path) {
    for (const BatchFile& file : report.files) {
        for (const BatchAlignment& alignment : file.alignments) {
            if (SameFile(path, alignment.path)) {
                return alignment.path;
            }
        }
        if (SameFile(path, file.pointsPath)) {
            return file.pointsPath;
        }
    }
    return std::nullopt;
}

// The report replaces an older one, as convert's does; false after the message.
bool WriteReport(const BatchReport& report, const std::string& path, std::ostream& err) {
    CCommandLineUserInterface ui(err);
    if (const auto taken = WrittenBefore(report, path)) {
        ui.ShowMessage("Error: --report-json " + path + " names the same file as " + *taken +
                       "; the report is not written");
        return false;
    }
    return WriteNamedFile(path, BatchReportJson(report), ui);
}

bool AllConverted(const BatchSummary& summary) {
    return summary.files.failed == 0 && summary.files.notStarted == 0 &&
           summary.alignments.failed == 0 && summary.alignments.notStarted == 0;
}

struct BatchOutcome {
    bool clean = false;
    int interruption = 0;
};

// Runs the batch with the interruptions as its stop request, up to the
// report written.
BatchOutcome RunAndReport(const BatchOptions& batch, const ConvertAllOptions& options,
                          std::ostream& out, std::ostream& err) {
    BatchReport report = PlanBatch(batch);
    const bool terminal = &err == &std::cerr && StandardErrorIsTerminal();
    CBatchPrinter printer(report, options.yes, out, err, terminal);
    std::atomic<bool> stop{false};
    const CInterruptStop interrupts(stop);
    RunBatch(
        batch, report,
        [&printer](std::size_t file) -> CUserInterface& { return printer.Interface(file); },
        [&printer](const BatchProgress& progress) { printer.Tell(progress); }, stop);
    printer.Finish();
    if (interrupts.Interruption() != 0) {
        CCommandLineUserInterface::WriteLine(err, "Stopped: the files not begun are not converted");
    }
    const BatchSummary summary = SummarizeBatch(report);
    out << "convert-all: " << BatchSummaryText(summary) << '\n';
    out.flush();
    const bool reported = !options.reportJson || WriteReport(report, *options.reportJson, err);
    return {AllConverted(summary) && !printer.HadTrouble() && reported, interrupts.Interruption()};
}

}  // namespace

int RunConvertAllCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
    ConvertAllOptions options;
    options.shared.command = "convert-all";
    BatchOptions batch;
    const std::string problem = ReadOptions(args, options, batch);
    if (!problem.empty()) {
        return UsageError(err, problem);
    }
    if (options.shared.help) {
        out << CommandHelpText("convert-all");
        return 0;
    }
    const BatchOutcome outcome = RunAndReport(batch, options, out, err);
    if (outcome.interruption != 0) {
        out.flush();
        err.flush();
        EndAsInterrupted(outcome.interruption);
    }
    return outcome.clean ? 0 : 1;
}

}  // namespace chainforge
