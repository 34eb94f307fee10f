#include "cli/CommandOptions.h"

#include <algorithm>
#include <ostream>

#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "convert/WrittenUnit.h"
#include "io/OutputFile.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

const std::map<std::string, std::optional<std::string> SelectionOptions::*> kSharedValues{
    {"--spirals", &SelectionOptions::spirals},
    {"--spiral-tolerance", &SelectionOptions::spiralTolerance},
    {"--linear-unit", &SelectionOptions::linearUnit},
};

const std::map<std::string, std::optional<std::string> ConversionSelections::*> kSelectionOptions{
    {"--points", &ConversionSelections::pointGroup},
    {"--alignment", &ConversionSelections::alignment},
    {"--profile", &ConversionSelections::profile},
    {"--surface", &ConversionSelections::surface},
};

bool TakesValue(const std::string& arg, const CommandOwnOptions& own) {
    return kSharedValues.contains(arg) || kSelectionOptions.contains(arg) ||
           own.values.contains(arg) || own.lists.contains(arg);
}

void StoreValue(const std::string& arg, const std::string& value, SelectionOptions& options,
                const CommandOwnOptions& own) {
    if (kSharedValues.contains(arg)) {
        options.*kSharedValues.at(arg) = value;
    } else if (kSelectionOptions.contains(arg)) {
        options.selections.*kSelectionOptions.at(arg) = value;
    } else if (own.values.contains(arg)) {
        *own.values.at(arg) = value;
    } else {
        own.lists.at(arg)->push_back(value);
    }
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
std::optional<std::string> MissingName(const ConversionSelections& s, const CCatalogue& catalogue) {
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

// The message when the file's numbers cannot be written in the unit chosen.
std::optional<std::string> UnitProblem(const ConversionSelections& s, const CCatalogue& catalogue) {
    if (!s.linearUnit || WrittenPerFileUnit(catalogue.Unit(), *s.linearUnit)) {
        return std::nullopt;
    }
    return UnitRefusal(catalogue.Unit(), *s.linearUnit);
}

}  // namespace

std::string ParseArguments(const std::vector<std::string>& args, SelectionOptions& options,
                           const CommandOwnOptions& own) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (IsHelpOption(arg)) {
            options.help = true;
            return {};
        }
        if (own.flags.contains(arg)) {
            *own.flags.at(arg) = true;
        } else if (TakesValue(arg, own)) {
            if (i + 1 >= args.size()) {
                return "option '" + arg + "' needs a value";
            }
            StoreValue(arg, args[++i], options, own);
        } else if (arg.starts_with("--")) {
            return "unknown option '" + arg + "'";
        } else if (own.inputs != nullptr) {
            own.inputs->push_back(arg);
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return options.command + " takes one LandXML file";
        }
    }
    return {};
}

std::string CheckCombination(const SelectionOptions& options) {
    if (options.input.empty()) {
        return options.command + " needs a LandXML file";
    }
    if (options.selections.pointGroup && options.selections.asciiPoints) {
        return "--points and --ascii-points cannot be given together";
    }
    if ((options.selections.profile || options.selections.surface) &&
        !options.selections.alignment) {
        return "--profile and --surface need --alignment";
    }
    return {};
}

std::string ReadSpiralOptions(const SelectionOptions& options, SpiralOptions& spirals) {
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

std::string ReadLinearUnitOption(const SelectionOptions& options,
                                 ConversionSelections& selections) {
    if (options.linearUnit) {
        selections.linearUnit = WrittenUnitNamed(*options.linearUnit);
        if (!selections.linearUnit) {
            return "--linear-unit takes metre, foot or us-foot";
        }
    }
    return {};
}

std::string FirstClash(const std::vector<Name>& outputs, std::vector<Name> taken) {
    for (const auto& [option, path] : outputs) {
        if (path.empty()) {
            return "the file name of " + option + " is empty";
        }
    }
    for (const auto& [option, path] : outputs) {
        for (const auto& [other, otherPath] : taken) {
            if (SameFile(path, otherPath)) {
                std::string problem = option;
                problem.append(" ").append(path).append(" names the same file as ");
                return problem.append(other).append(" ").append(otherPath);
            }
        }
        taken.emplace_back(option, path);
    }
    return {};
}

bool LoadSelected(const SelectionOptions& options, CDocumentBuffer& document, CCatalogue& catalogue,
                  CUserInterface& ui) {
    if (!LoadAndScan(options.input, document, catalogue, ui)) {
        return false;
    }
    if (const auto missing = MissingName(options.selections, catalogue)) {
        ui.ShowMessage(*missing);
        return false;
    }
    if (const auto problem = UnitProblem(options.selections, catalogue)) {
        ui.ShowMessage(*problem);
        return false;
    }
    return true;
}

int RunSelectionCommand(SelectionOptions& options, const std::string& problem, std::ostream& out,
                        std::ostream& err, const CommandBody& body) {
    if (!problem.empty()) {
        return UsageError(err, problem);
    }
    if (options.help) {
        out << CommandHelpText(options.command);
        return 0;
    }
    options.selections.documentPath = options.input;
    CCommandLineUserInterface ui(err);
    CDocumentBuffer document;
    CCatalogue catalogue;
    if (!LoadSelected(options, document, catalogue, ui)) {
        return 1;
    }
    return body(ui, document, catalogue);
}

}  // namespace chainforge
