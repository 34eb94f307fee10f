#include "cli/ConvertCommand.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

#include "app/RunConversion.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"
#include "io/OutputFile.h"
#include "io/Platform.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

struct ConvertOptions {
    std::string input;
    ConversionSelections selections;
    std::optional<std::string> asciiIn;
    std::optional<std::string> asciiOut;
    std::optional<std::string> chainOut;
    std::optional<std::string> reportJson;
    std::optional<std::string> spirals;
    std::optional<std::string> spiralTolerance;
    bool yes = false;
    bool force = false;
};

const std::map<std::string, std::optional<std::string> ConvertOptions::*> kValueOptions{
    {"--ascii-points", &ConvertOptions::asciiIn},
    {"--ascii-out", &ConvertOptions::asciiOut},
    {"--chain-out", &ConvertOptions::chainOut},
    {"--report-json", &ConvertOptions::reportJson},
    {"--spirals", &ConvertOptions::spirals},
    {"--spiral-tolerance", &ConvertOptions::spiralTolerance},
};

const std::map<std::string, std::optional<std::string> ConversionSelections::*> kSelectionOptions{
    {"--points", &ConversionSelections::pointGroup},
    {"--alignment", &ConversionSelections::alignment},
    {"--profile", &ConversionSelections::profile},
    {"--surface", &ConversionSelections::surface},
};

// Fills options from args; returns the usage problem, or the empty text.
std::string ParseArguments(const std::vector<std::string>& args, ConvertOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--yes") {
            options.yes = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (kValueOptions.contains(arg) || kSelectionOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                return "option '" + arg + "' needs a value";
            }
            const std::string& value = args[++i];
            if (kValueOptions.contains(arg)) {
                options.*kValueOptions.at(arg) = value;
            } else {
                options.selections.*kSelectionOptions.at(arg) = value;
            }
        } else if (arg.starts_with("--")) {
            return "unknown option '" + arg + "'";
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return "convert takes one LandXML file";
        }
    }
    return {};
}

// Fills the spiral options; returns the usage problem, or the empty text.
std::string ReadSpiralOptions(const ConvertOptions& options, SpiralOptions& spirals) {
    if (options.spirals) {
        if (*options.spirals != "arcs" && *options.spirals != "ignore") {
            return "--spirals takes arcs or ignore";
        }
        spirals.asArcs = *options.spirals == "arcs";
    }
    if (options.spiralTolerance) {
        double tolerance = 0.0;
        const std::string& text = *options.spiralTolerance;
        if (ReadLeadingDouble(text, tolerance) != text.size() || !(tolerance >= 1e-6) ||
            !(tolerance <= 1.0)) {
            return "--spiral-tolerance takes a number from 1e-6 to 1";
        }
        spirals.tolerance = tolerance;
    }
    return {};
}

std::string CheckCombination(const ConvertOptions& options) {
    if (options.input.empty()) {
        return "convert needs a LandXML file";
    }
    if (options.selections.pointGroup && options.asciiIn) {
        return "--points and --ascii-points cannot be given together";
    }
    if ((options.selections.profile || options.selections.surface) &&
        !options.selections.alignment) {
        return "--profile and --surface need --alignment";
    }
    return {};
}

bool HasProfile(const AlignmentEntry& alignment, const std::string& name) {
    return std::any_of(alignment.profiles.begin(), alignment.profiles.end(),
                       [&name](const ProfileEntry& profile) { return profile.name == name; });
}

bool HasSurface(const AlignmentEntry& alignment, const std::string& name) {
    return std::any_of(alignment.surfaces.begin(), alignment.surfaces.end(),
                       [&name](const std::string& surface) { return EqualsNoCase(surface, name); });
}

// The message for the first selected name the catalogue does not hold.
std::optional<std::string> MissingName(const ConversionSelections& s, const Catalogue& catalogue) {
    if (s.pointGroup && catalogue.FindPointGroup(*s.pointGroup) == nullptr) {
        return "Error: Point Group Cannot be found";
    }
    if (!s.alignment) {
        return std::nullopt;
    }
    const AlignmentEntry* alignment = catalogue.FindAlignment(*s.alignment);
    if (alignment == nullptr) {
        return "Error: Alignment Cannot be found";
    }
    if (s.profile && !HasProfile(*alignment, *s.profile)) {
        return "Error: Profile Cannot be found";
    }
    if (s.surface && !HasSurface(*alignment, *s.surface)) {
        return "Error: Cross-Section Surface Cannot be found";
    }
    return std::nullopt;
}

std::string DefaultOutput(const std::string& input, const char* extension) {
    return Utf8FromPath(PathFromUtf8(input).stem()) + extension;
}

// An output that would replace an input or another output: every output
// name counts, given or default, even one whose file is not written.
std::string CheckOutputNames(const ConvertOptions& options) {
    using Name = std::pair<std::string, std::string>;
    std::vector<Name> outputs{
        {"--ascii-out", options.asciiOut.value_or(DefaultOutput(options.input, ".asc"))},
        {"--chain-out", options.chainOut.value_or(DefaultOutput(options.input, ".ch"))}};
    if (options.reportJson) {
        outputs.emplace_back("--report-json", *options.reportJson);
    }
    std::vector<Name> taken{{"the LandXML file", options.input}};
    if (options.asciiIn) {
        taken.emplace_back("--ascii-points", *options.asciiIn);
    }
    for (const auto& [option, path] : outputs) {
        for (const auto& [other, otherPath] : taken) {
            if (SameFile(path, otherPath)) {
                return option + " " + path + " names the same file as " + other + " " + otherPath;
            }
        }
        taken.emplace_back(option, path);
    }
    return {};
}

void ConfigureAnswers(const ConvertOptions& options, CommandLineUserInterface& ui) {
    ui.SetAnswer(options.yes);
    ui.SetForce(options.force);
    ui.SetOpenFileName(options.asciiIn);
    ui.SetSaveFileName("ASC", options.asciiOut.value_or(DefaultOutput(options.input, ".asc")));
    ui.SetSaveFileName("CH", options.chainOut.value_or(DefaultOutput(options.input, ".ch")));
}

void PrintSummary(const ConversionReport& report, std::ostream& out) {
    for (const ConversionReport::File& file : report.files) {
        out << "wrote " << file.path << " (" << file.bytes << " bytes)\n";
    }
    if (report.files.empty()) {
        out << "nothing written\n";
    }
    out << ReportText(report);
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    std::string problem = ParseArguments(args, options);
    if (problem.empty()) {
        problem = CheckCombination(options);
    }
    if (problem.empty()) {
        problem = CheckOutputNames(options);
    }
    if (problem.empty()) {
        problem = ReadSpiralOptions(options, options.selections.spirals);
    }
    if (!problem.empty()) {
        return UsageError(err, problem);
    }
    options.selections.asciiPoints = options.asciiIn.has_value();
    options.selections.documentPath = options.input;
    CommandLineUserInterface ui(err);
    CDocumentBuffer document;
    Catalogue catalogue;
    if (!LoadAndScan(options.input, document, catalogue, ui)) {
        return 1;
    }
    if (const auto missing = MissingName(options.selections, catalogue)) {
        ui.ShowMessage(*missing);
        return 1;
    }
    ConfigureAnswers(options, ui);
    bool spiralWarning = true;
    const ConversionReport report =
        RunConversion(options.selections, document, catalogue, spiralWarning, ui);
    PrintSummary(report, out);
    if (options.reportJson) {
        // The report describes this run: an older one is replaced.
        WriteOutputFile(ui, *options.reportJson, ReportJson(report));
    }
    return ui.HadTrouble() ? 1 : 0;
}

}  // namespace chainforge
