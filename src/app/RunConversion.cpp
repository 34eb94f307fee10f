#include "app/RunConversion.h"

#include "alignment/HorizontalAlignmentReader.h"
#include "chainfile/ChainFileWriter.h"
#include "points/AsciiPointFile.h"
#include "points/PointGroupReader.h"
#include "profile/ProfileReader.h"
#include "xsection/CrossSectionReader.h"

namespace chainforge {
namespace {

enum class PointsOutcome { Gathered, EndRun };

PointsOutcome GatherPoints(const ConversionSelections& selections, CDocumentBuffer& document,
                           const Catalogue& catalogue, UserInterface& ui, PointList& points) {
    if (selections.asciiPoints) {
        return ReadAsciiPointFile(ui, points) == 2 ? PointsOutcome::EndRun
                                                   : PointsOutcome::Gathered;
    }
    if (selections.pointGroup) {
        ReadPointGroup(document, catalogue, *selections.pointGroup, points);
    }
    return PointsOutcome::Gathered;
}

}  // namespace

void RunConversion(const ConversionSelections& selections, CDocumentBuffer& document,
                   const Catalogue& catalogue, bool& spiralWarning, UserInterface& ui) {
    if (!selections.profile && selections.surface && !ui.AskYesNo(kVpiOnlyQuestion)) {
        return;
    }
    PointList points;
    if (GatherPoints(selections, document, catalogue, ui, points) == PointsOutcome::EndRun) {
        return;
    }
    std::string horizontalControl;
    std::string verticalControl;
    if (selections.alignment) {
        ReadHorizontalAlignment(document, catalogue, ui, spiralWarning, points,
                                *selections.alignment, horizontalControl);
        if (selections.profile) {
            ReadProfile(document, catalogue, ui, *selections.alignment, *selections.profile,
                        verticalControl);
        }
    }
    TemplateList leftTemplates;
    TemplateList rightTemplates;
    if (selections.surface) {
        ReadCrossSections(document, catalogue, ui, selections.alignment.value_or(std::string()),
                          verticalControl, *selections.surface, leftTemplates, rightTemplates);
    }
    WriteAsciiPointFile(ui, points);
    WriteChainFile(ui, horizontalControl, verticalControl, leftTemplates, rightTemplates);
}

}  // namespace chainforge
