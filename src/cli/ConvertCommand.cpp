#include "cli/ConvertCommand.h"

#include <ostream>

#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"
#include "cli/CommandOptions.h"
#include "convert/RunConversion.h"
#include "io/OutputFile.h"
#include "io/Platform.h"

namespace chainforge {
namespace {

struct ConvertOptions {
    SelectionOptions shared;
    std::optional<std::string> asciiIn;
    std::optional<std::string> asciiOut;
    std::optional<std::string> chainOut;
    std::optional<std::string> reportJson;
    bool yes = false;
    bool force = false;

    CommandOwnOptions Own() {
        return {.flags = {{"--yes", &yes}, {"--force", &force}},
                .values = {{"--ascii-points", &asciiIn},
                           {"--ascii-out", &asciiOut},
                           {"--chain-out", &chainOut},
                           {"--report-json", &reportJson}},
                .lists = {},
                .inputs = nullptr};
    }
};

std::string DefaultOutput(const std::string& input, const char* extension) {
    return Utf8FromPath(PathFromUtf8(input).stem()) + extension;
}

// An output without a name, or one that would replace an input or another
// output: every output name counts, given or default, even one whose file is
// not written.
std::string CheckOutputNames(const ConvertOptions& options) {
    const std::string& input = options.shared.input;
    std::vector<Name> outputs{
        {"--ascii-out", options.asciiOut.value_or(DefaultOutput(input, ".asc"))},
        {"--chain-out", options.chainOut.value_or(DefaultOutput(input, ".ch"))}};
    if (options.reportJson) {
        outputs.emplace_back("--report-json", *options.reportJson);
    }
    std::vector<Name> taken{{"the LandXML file", input}};
    if (options.asciiIn) {
        taken.emplace_back("--ascii-points", *options.asciiIn);
    }
    return FirstClash(outputs, std::move(taken));
}

// The usage problem of the arguments, or the empty text.
std::string ReadOptions(const std::vector<std::string>& args, ConvertOptions& options) {
    std::string problem = ParseArguments(args, options.shared, options.Own());
    options.shared.selections.asciiPoints = options.asciiIn.has_value();
    if (options.shared.help) {
        return {};
    }
    if (problem.empty()) {
        problem = CheckCombination(options.shared);
    }
    if (problem.empty()) {
        problem = CheckOutputNames(options);
    }
    if (problem.empty()) {
        problem = ReadSpiralOptions(options.shared, options.shared.selections.spirals);
    }
    if (problem.empty()) {
        problem = ReadLinearUnitOption(options.shared, options.shared.selections);
    }
    return problem;
}

void ConfigureAnswers(const ConvertOptions& options, CCommandLineUserInterface& ui) {
    const std::string& input = options.shared.input;
    ui.SetAnswer(options.yes);
    ui.SetForce(options.force);
    ui.SetOpenFileName(options.asciiIn);
    ui.SetSaveFileName("ASC", options.asciiOut.value_or(DefaultOutput(input, ".asc")));
    ui.SetSaveFileName("CH", options.chainOut.value_or(DefaultOutput(input, ".ch")));
}

void PrintSummary(const ConversionReport& report, std::ostream& out) {
    for (const ConversionReport::File& file : report.files) {
        out << "wrote " << file.path;
        if (IsNullDevice(file.path)) {
            out << " (discarded)\n";
        } else {
            out << " (" << file.bytes << " bytes)\n";
        }
    }
    if (report.files.empty()) {
        out << "nothing written\n";
    }
    out << ReportText(report);
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    options.shared.command = "convert";
    const std::string problem = ReadOptions(args, options);
    return RunSelectionCommand(
        options.shared, problem, out, err,
        [&](CCommandLineUserInterface& ui, CDocumentBuffer& document, const CCatalogue& catalogue) {
            ConfigureAnswers(options, ui);
            bool spiralWarning = true;
            const ConversionReport report =
                RunConversion(options.shared.selections, document, catalogue, spiralWarning, ui);
            PrintSummary(report, out);
            // The report describes this run: an older one is replaced.
            const bool reportWritten =
                !options.reportJson || WriteNamedFile(*options.reportJson, ReportJson(report), ui);
            return ui.HadTrouble() || !reportWritten ? 1 : 0;
        });
}

}  // namespace chainforge
