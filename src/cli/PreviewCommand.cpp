#include "cli/PreviewCommand.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"
#include "cli/CommandOptions.h"
#include "io/OutputFile.h"
#include "landxml/NumberText.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewSvg.h"

namespace chainforge {
namespace {

struct PreviewOptions {
    SelectionOptions shared;
    std::optional<std::string> planSvg;
    std::optional<std::string> profileSvg;
    std::vector<std::string> sectionSvgs;  // STATION:OUT.svg

    CommandOwnOptions Own() {
        return {.flags = {},
                .values = {{"--plan-svg", &planSvg}, {"--profile-svg", &profileSvg}},
                .lists = {{"--section-svg", &sectionSvgs}},
                .inputs = nullptr};
    }
};

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
std::string CheckPictureNames(const PreviewOptions& options) {
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
    return FirstClash(pictures, {{"the LandXML file", options.shared.input}});
}

// The usage problem of the arguments, or the empty text.
std::string ReadOptions(const std::vector<std::string>& args, PreviewOptions& options) {
    std::string problem = ParseArguments(args, options.shared, options.Own());
    if (options.shared.help) {
        return {};
    }
    if (problem.empty()) {
        problem = CheckCombination(options.shared);
    }
    if (problem.empty()) {
        problem = CheckPictureNames(options);
    }
    if (problem.empty()) {
        problem = ReadSpiralOptions(options.shared, options.shared.selections.spirals);
    }
    if (problem.empty()) {
        problem = ReadLinearUnitOption(options.shared, options.shared.selections);
    }
    return problem;
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
    std::string text = UnitLines(model.report);
    text += "plan: " + std::to_string(model.elements.size() - arcs) + " straights, " +
            std::to_string(arcs) + " arcs (" + std::to_string(spiralArcs) +
            " from spirals), length " + FormatG(length, 10) + ", " +
            std::to_string(model.points.size()) + " points\n";
    for (const StationEquation& equation : model.report.stationEquations) {
        text += "station equation: " + StationEquationText(equation) + "\n";
    }
    text += "profile: " + std::to_string(model.profileVertices.size()) + " vertices" +
            (model.vpiOnly ? " from the cross-sections" : "") + "\n";
    text += "sections: " + std::to_string(model.sections.size()) + "\n";
    for (const PreviewMarker& marker : model.markers) {
        text += "marker: " + marker.text + "\n";
    }
    return text;
}

// Writes the pictures asked for; false when one could not be written.
bool WritePictures(const PreviewOptions& options, const PreviewModel& model, CUserInterface& ui) {
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

// True when the preview met what a conversion ends with status 1 for: an
// error among the model's messages (a value that is not a number, the end of
// the file inside an element read), or a file the scan found cut off, which
// is then told here.
bool Troubled(const PreviewModel& model, const CCatalogue& catalogue, CUserInterface& ui) {
    const auto& messages = model.report.messages;
    const bool cutOffTold =
        std::any_of(messages.begin(), messages.end(),
                    [](const std::string& text) { return text.starts_with(kEndedInside); });
    const bool error =
        std::any_of(messages.begin(), messages.end(), &CCommandLineUserInterface::IsError);
    return (!cutOffTold && ReportEndedInside(catalogue, ui)) || error;
}

}  // namespace

int RunPreviewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    PreviewOptions options;
    options.shared.command = "preview";
    const std::string problem = ReadOptions(args, options);
    return RunSelectionCommand(
        options.shared, problem, out, err,
        [&](CCommandLineUserInterface& ui, CDocumentBuffer& document, const CCatalogue& catalogue) {
            const PreviewModel model = BuildPreview(options.shared.selections, document, catalogue);
            out << PreviewText(model);
            const bool written = WritePictures(options, model, ui);
            const bool troubled = Troubled(model, catalogue, ui);
            return written && !troubled ? 0 : 1;
        });
}

}  // namespace chainforge
