#include "cli/ConvertCommand.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"
#include "convert/RunConversion.h"
#include "io/OutputFile.h"
#include "io/Platform.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewSvg.h"

namespace chainforge {
namespace {

struct ConvertOptions {
    std::string command;  // "convert" or "preview"
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
    bool help = false;
    // preview's pictures
    std::optional<std::string> planSvg;
    std::optional<std::string> profileSvg;
    std::vector<std::string> sectionSvgs;  // STATION:OUT.svg
};

const std::vector<std::string> kConvertOnly{"--ascii-points", "--ascii-out", "--chain-out",
                                            "--report-json",  "--yes",       "--force"};
const std::vector<std::string> kPreviewOnly{"--plan-svg", "--profile-svg", "--section-svg"};

bool BelongsToOtherCommand(const std::string& command, const std::string& arg) {
    const std::vector<std::string>& others = command == "preview" ? kConvertOnly : kPreviewOnly;
    return std::find(others.begin(), others.end(), arg) != others.end();
}

const std::map<std::string, std::optional<std::string> ConvertOptions::*> kValueOptions{
    {"--ascii-points", &ConvertOptions::asciiIn},
    {"--ascii-out", &ConvertOptions::asciiOut},
    {"--chain-out", &ConvertOptions::chainOut},
    {"--report-json", &ConvertOptions::reportJson},
    {"--spirals", &ConvertOptions::spirals},
    {"--spiral-tolerance", &ConvertOptions::spiralTolerance},
    {"--plan-svg", &ConvertOptions::planSvg},
    {"--profile-svg", &ConvertOptions::profileSvg},
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
        if (IsHelpOption(arg)) {
            options.help = true;
            return {};
        }
        if (BelongsToOtherCommand(options.command, arg)) {
            return "unknown option '" + arg + "'";
        }
        if (arg == "--section-svg") {
            if (i + 1 >= args.size()) {
                return "option '" + arg + "' needs a value";
            }
            options.sectionSvgs.push_back(args[++i]);
        } else if (arg == "--yes") {
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
            return options.command + " takes one LandXML file";
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
        return options.command + " needs a LandXML file";
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

// An option and the file it names.
using Name = std::pair<std::string, std::string>;

// The first output without a name, or that names a file already taken, by
// an input or an output before it, as a usage problem; the empty text when
// there is none.
std::string FirstClash(const std::vector<Name>& outputs, std::vector<Name> taken) {
    for (const auto& [option, path] : outputs) {
        if (path.empty()) {
            return "the file name of " + option + " is empty";
        }
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

// An output without a name, or one that would replace an input or another
// output: every output name counts, given or default, even one whose file is
// not written.
std::string CheckOutputNames(const ConvertOptions& options) {
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
    return FirstClash(outputs, std::move(taken));
}

void ConfigureAnswers(const ConvertOptions& options, CommandLineUserInterface& ui) {
    ui.SetAnswer(options.yes);
    ui.SetForce(options.force);
    ui.SetOpenFileName(options.asciiIn);
    ui.SetSaveFileName("ASC", options.asciiOut.value_or(DefaultOutput(options.input, ".asc")));
    ui.SetSaveFileName("CH", options.chainOut.value_or(DefaultOutput(options.input, ".ch")));
}

struct SectionPicture {
    double station = 0.0;
    std::string path;
};

// "STATION:OUT.svg"; nothing when the station is not a finite number or a
// part is missing.
std::optional<SectionPicture> ReadSectionPicture(const std::string& value) {
    const std::size_t colon = value.find(':');
    double station = 0.0;
    if (colon == std::string::npos || colon == 0 || colon + 1 == value.size() ||
        ReadLeadingDouble(std::string_view(value).substr(0, colon), station) != colon ||
        !std::isfinite(station)) {
        return std::nullopt;
    }
    return SectionPicture{station, value.substr(colon + 1)};
}

// A picture needs a name, and may not replace the LandXML file or another
// picture.
std::string CheckPictureNames(const ConvertOptions& options) {
    std::vector<Name> pictures;
    if (options.planSvg) {
        pictures.emplace_back("--plan-svg", *options.planSvg);
    }
    if (options.profileSvg) {
        pictures.emplace_back("--profile-svg", *options.profileSvg);
    }
    for (const std::string& value : options.sectionSvgs) {
        const std::optional<SectionPicture> picture = ReadSectionPicture(value);
        if (!picture) {
            return "--section-svg takes STATION:OUT.svg";
        }
        pictures.emplace_back("--section-svg", picture->path);
    }
    return FirstClash(pictures, {{"the LandXML file", options.input}});
}

std::string PreviewText(const PreviewModel& model) {
    const auto arcs = std::count_if(model.elements.begin(), model.elements.end(),
                                    [](const PreviewElement& e) { return e.arc; });
    const auto spiralArcs = std::count_if(model.elements.begin(), model.elements.end(),
                                          [](const PreviewElement& e) { return e.fromSpiral; });
    double length = 0.0;
    for (const PreviewElement& element : model.elements) {
        length += element.length;
    }
    std::string text = "plan: " + std::to_string(model.elements.size() - arcs) + " straights, " +
                       std::to_string(arcs) + " arcs (" + std::to_string(spiralArcs) +
                       " from spirals), length " + FormatG(length, 10) + ", " +
                       std::to_string(model.points.size()) + " points\n";
    text += "profile: " + std::to_string(model.profileVertices.size()) + " vertices" +
            (model.vpiOnly ? " from the cross-sections" : "") + "\n";
    text += "sections: " + std::to_string(model.sections.size()) + "\n";
    for (const PreviewMarker& marker : model.markers) {
        text += "marker: " + marker.text + "\n";
    }
    return text;
}

// Writes a file named on the command line; false, after the message, when
// it could not be written.
bool WriteNamedFile(const std::string& path, std::string_view content, UserInterface& ui) {
    const WriteResult result = WriteOutputFile(path, content);
    if (result.status == WriteStatus::Failed) {
        ui.ShowMessage(result.message);
    }
    return result.status == WriteStatus::Written;
}

// Writes the pictures asked for; false when one could not be written.
bool WritePictures(const ConvertOptions& options, const PreviewModel& model, UserInterface& ui) {
    bool written = true;
    if (options.planSvg) {
        written = WriteNamedFile(*options.planSvg, PlanSvg(model), ui) && written;
    }
    if (options.profileSvg) {
        written = WriteNamedFile(*options.profileSvg, ProfileSvg(model), ui) && written;
    }
    for (const std::string& value : options.sectionSvgs) {
        const SectionPicture picture = *ReadSectionPicture(value);  // checked with the options
        const PreviewSection* section = NearestSection(model, picture.station);
        if (section == nullptr) {
            ui.ShowMessage("There are no cross-sections to draw");
            return false;
        }
        written = WriteNamedFile(picture.path, SectionSvg(model, *section), ui) && written;
    }
    return written;
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

// The usage problem of a command's arguments, or the empty text.
std::string ReadOptions(const std::vector<std::string>& args, ConvertOptions& options) {
    std::string problem = ParseArguments(args, options);
    if (options.help) {
        return {};
    }
    if (problem.empty()) {
        problem = CheckCombination(options);
    }
    if (problem.empty()) {
        problem =
            options.command == "convert" ? CheckOutputNames(options) : CheckPictureNames(options);
    }
    if (problem.empty()) {
        problem = ReadSpiralOptions(options, options.selections.spirals);
    }
    return problem;
}

// True when the preview met what a conversion ends with status 1 for: an
// error among the model's messages (a value that is not a number, the end of
// the file inside an element read), or a file the scan found cut off, which
// is then told here.
bool Troubled(const PreviewModel& model, const Catalogue& catalogue, UserInterface& ui) {
    const auto& messages = model.report.messages;
    const bool cutOffTold =
        std::any_of(messages.begin(), messages.end(),
                    [](const std::string& text) { return text.starts_with(kEndedInside); });
    const bool error =
        std::any_of(messages.begin(), messages.end(), &CommandLineUserInterface::IsError);
    return (!cutOffTold && ReportEndedInside(catalogue, ui)) || error;
}

// Loads the file and checks the selected names; false after the message.
bool LoadSelected(const ConvertOptions& options, CDocumentBuffer& document, Catalogue& catalogue,
                  UserInterface& ui) {
    if (!LoadAndScan(options.input, document, catalogue, ui)) {
        return false;
    }
    if (const auto missing = MissingName(options.selections, catalogue)) {
        ui.ShowMessage(*missing);
        return false;
    }
    return true;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    options.command = "convert";
    if (const std::string problem = ReadOptions(args, options); !problem.empty()) {
        return UsageError(err, problem);
    }
    if (options.help) {
        out << CommandHelpText(options.command);
        return 0;
    }
    options.selections.asciiPoints = options.asciiIn.has_value();
    options.selections.documentPath = options.input;
    CommandLineUserInterface ui(err);
    CDocumentBuffer document;
    Catalogue catalogue;
    if (!LoadSelected(options, document, catalogue, ui)) {
        return 1;
    }
    ConfigureAnswers(options, ui);
    bool spiralWarning = true;
    const ConversionReport report =
        RunConversion(options.selections, document, catalogue, spiralWarning, ui);
    PrintSummary(report, out);
    // The report describes this run: an older one is replaced.
    const bool reportWritten =
        !options.reportJson || WriteNamedFile(*options.reportJson, ReportJson(report), ui);
    return ui.HadTrouble() || !reportWritten ? 1 : 0;
}

int RunPreviewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    options.command = "preview";
    if (const std::string problem = ReadOptions(args, options); !problem.empty()) {
        return UsageError(err, problem);
    }
    if (options.help) {
        out << CommandHelpText(options.command);
        return 0;
    }
    options.selections.documentPath = options.input;
    CommandLineUserInterface ui(err);
    CDocumentBuffer document;
    Catalogue catalogue;
    if (!LoadSelected(options, document, catalogue, ui)) {
        return 1;
    }
    const PreviewModel model = BuildPreview(options.selections, document, catalogue);
    out << PreviewText(model);
    const bool written = WritePictures(options, model, ui);
    const bool troubled = Troubled(model, catalogue, ui);
    return written && !troubled ? 0 : 1;
}

}  // namespace chainforge
