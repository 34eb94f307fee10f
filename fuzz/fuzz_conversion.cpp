// Arbitrary bytes as a document, then the conversion run and its preview with
// its pictures for what the scan catalogued, with and without a profile.
// Output goes to /dev/null, so the writers format everything without touching
// the disk.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/RunConversion.h"
#include "landxml/DocumentScan.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewSvg.h"
#include "ui/ScriptedUserInterface.h"

namespace {

constexpr int kMaxItems = 4;

void Run(const chainforge::ConversionSelections& selections, chainforge::CDocumentBuffer& document,
         const chainforge::CCatalogue& catalogue, bool& spiralWarning) {
    chainforge::CScriptedUserInterface ui;
    ui.QueueAnswer(true);
    ui.QueueFileName(std::string("/dev/null"));
    ui.QueueFileName(std::string("/dev/null"));
    chainforge::RunConversion(selections, document, catalogue, spiralWarning, ui);
    const chainforge::PreviewModel model =
        chainforge::BuildPreview(selections, document, catalogue);
    chainforge::PlanSvg(model);
    chainforge::ProfileSvg(model);
    if (const chainforge::PreviewSection* section = chainforge::NearestSection(model, 0.0)) {
        chainforge::SectionSvg(model, *section);
    }
}

void RunAlignment(const chainforge::AlignmentEntry& alignment,
                  const chainforge::CCatalogue& catalogue, chainforge::CDocumentBuffer& document,
                  bool& spiralWarning) {
    chainforge::ConversionSelections selections;
    selections.alignment = alignment.name;
    if (!catalogue.PointGroups().empty()) {
        selections.pointGroup = catalogue.PointGroups().front().name;
    }
    for (int s = 0; s < alignment.SurfaceCount() && s < kMaxItems; ++s) {
        selections.surface = alignment.GetSurfaceName(s);
        Run(selections, document, catalogue, spiralWarning);  // building the vertical control
    }
    for (int p = 0; p < alignment.ProfileCount() && p < kMaxItems; ++p) {
        selections.profile = alignment.GetProfileName(p);
        Run(selections, document, catalogue, spiralWarning);  // evaluating the profile
    }
    if (alignment.SurfaceCount() == 0 && alignment.ProfileCount() == 0) {
        Run(selections, document, catalogue, spiralWarning);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chainforge::CDocumentBuffer document;
    document.Assign(std::string_view(reinterpret_cast<const char*>(data), size));
    chainforge::CCatalogue catalogue;
    chainforge::CScriptedUserInterface scanUi;
    chainforge::ScanDocument(document, catalogue, scanUi);
    bool spiralWarning = true;
    int count = 0;
    for (const auto& group : catalogue.PointGroups()) {
        if (++count > kMaxItems) {
            break;
        }
        chainforge::ConversionSelections selections;
        selections.pointGroup = group.name;
        Run(selections, document, catalogue, spiralWarning);
    }
    count = 0;
    for (const auto& alignment : catalogue.Alignments()) {
        if (++count > kMaxItems) {
            break;
        }
        RunAlignment(alignment, catalogue, document, spiralWarning);
    }
    return 0;
}
