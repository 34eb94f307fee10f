#include "cli/ConvertCommand.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "app/RunConversion.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

struct ConvertOptions {
    std::string input;
    ConversionSelections selections;
    std::optional<std::string> asciiIn;
    std::optional<std::string> asciiOut;
    std::optional<std::string> chainOut;
    bool yes = false;
    bool force = false;
};

const std::map<std::string, std::optional<std::string> ConvertOptions::*> kValueOptions{
    {"--ascii-points", &ConvertOptions::asciiIn},
    {"--ascii-out", &ConvertOptions::asciiOut},
    {"--chain-out", &ConvertOptions::chainOut},
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
    return std::filesystem::path(input).stem().string() + extension;
}

void ConfigureAnswers(const ConvertOptions& options, CommandLineUserInterface& ui) {
    ui.SetAnswer(options.yes);
    ui.SetForce(options.force);
    ui.SetOpenFileName(options.asciiIn);
    ui.SetSaveFileName("ASC", options.asciiOut.value_or(DefaultOutput(options.input, ".asc")));
    ui.SetSaveFileName("CH", options.chainOut.value_or(DefaultOutput(options.input, ".ch")));
}

void PrintSummary(const CommandLineUserInterface& ui, std::ostream& out) {
    for (const std::string& path : ui.WrittenFiles()) {
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        out << "wrote " << path;
        if (!error) {
            out << " (" << size << " bytes)";
        }
        out << '\n';
    }
    if (ui.WrittenFiles().empty()) {
        out << "nothing written\n";
    }
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    std::string problem = ParseArguments(args, options);
    if (problem.empty()) {
        problem = CheckCombination(options);
    }
    if (!problem.empty()) {
        return UsageError(err, problem);
    }
    options.selections.asciiPoints = options.asciiIn.has_value();
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
    RunConversion(options.selections, document, catalogue, spiralWarning, ui);
    PrintSummary(ui, out);
    return ui.HadTrouble() ? 1 : 0;
}

}  // namespace chainforge
