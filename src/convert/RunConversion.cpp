#include "convert/RunConversion.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include "alignment/HorizontalAlignmentReader.h"
#include "chainfile/ChainFileWriter.h"
#include "convert/ContentScaling.h"
#include "io/OutputFile.h"
#include "io/Platform.h"
#include "landxml/NumberCheck.h"
#include "points/AsciiPointFile.h"
#include "points/PointGroupReader.h"
#include "profile/ProfileReader.h"
#include "xsection/CrossSectionReader.h"

namespace chainforge {
namespace {

// Passes everything on to the user's interface and keeps, for the report,
// the messages shown. A save name that would replace an input, or the point
// file just written, is refused and asked for again.
class CRecordingUserInterface : public CUserInterface {
  public:
    CRecordingUserInterface(CUserInterface& ui, ConversionReport& report,
                            const ConversionSelections& selections)
        : ui_(ui),
          report_(report),
          documentPath_(selections.documentPath),
          cancelled_(selections.cancelled) {}

    void ShowMessage(const std::string& text) override {
        report_.messages.push_back(text);
        ui_.ShowMessage(text);
    }
    bool AskYesNo(const std::string& text) override { return ui_.AskYesNo(text); }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override {
        asciiInput_ = ui_.AskOpenFileName(request);
        return asciiInput_;
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override { return ui_.FileExists(path); }

  private:
    std::string RefusalOf(const std::string& name, const FileDialogRequest& request) const;

    CUserInterface& ui_;
    ConversionReport& report_;
    const std::string& documentPath_;
    const std::function<bool()>& cancelled_;
    std::optional<std::string> asciiInput_;
    std::optional<std::string> asciiOutput_;
};

std::optional<std::string> CRecordingUserInterface::AskSaveFileName(
    const FileDialogRequest& request) {
    if (cancelled_ && cancelled_()) {
        return std::nullopt;
    }
    FileDialogRequest asked = request;
    if (!documentPath_.empty()) {
        const std::filesystem::path document = PathFromUtf8(documentPath_);
        asked.suggestedFolder = Utf8FromPath(document.parent_path());
        asked.suggestedName = Utf8FromPath(document.stem());
    }
    std::optional<std::string> refused;
    for (;;) {
        std::optional<std::string> name = ui_.AskSaveFileName(asked);
        // A cancelled dialog, or the same refused name once more: no file.
        if (!name || name == refused) {
            return std::nullopt;
        }
        const std::string refusal = RefusalOf(*name, request);
        if (refusal.empty()) {
            if (request.defaultExtension == "ASC") {
                asciiOutput_ = name;
            }
            return name;
        }
        ShowMessage(refusal);
        refused = std::move(name);
    }
}

std::string CRecordingUserInterface::RefusalOf(const std::string& name,
                                               const FileDialogRequest& request) const {
    if ((!documentPath_.empty() && SameFile(name, documentPath_)) ||
        (asciiInput_ && SameFile(name, *asciiInput_))) {
        return name + " is an input of this conversion; choose another name";
    }
    if (request.defaultExtension == "CH" && asciiOutput_ && SameFile(name, *asciiOutput_)) {
        return name + " is the ASCII point file of this conversion; choose another name";
    }
    return {};
}

constexpr std::string_view kCutOff = "The file ends inside ";
constexpr const char* kNothingWritten =
    "Nothing was written, so that no incomplete chain or point file is left; existing ones "
    "are kept";

// Tells once per run that the data ended inside the element a reader read.
class CCutOffNotice {
  public:
    explicit CCutOffNotice(CUserInterface& ui) : ui_(ui) {}
    void Check(bool cutOff, const std::string& element) {
        if (cutOff && !shown_) {
            shown_ = true;
            ui_.ShowMessage(std::string(kCutOff) + element + "; the output is incomplete");
        }
    }

  private:
    CUserInterface& ui_;
    bool shown_ = false;
};

enum class PointsOutcome { Gathered, EndRun };

// Elements left out for a value that cannot be converted, under that reason.
void AddLeftOut(const CElementsLeftOut& leftOut, ConversionReport& report) {
    for (const auto& [element, count] : leftOut.Counts()) {
        report.AddNotConverted(element, count, kBadNumberReason);
    }
}

void AddPoints(const PointGroupReadCounts& counts, ConversionReport& report) {
    report.points.fieldsChanged += counts.fieldsChanged;
    report.AddNotConverted("CgPoint", counts.leftOut, kBadNumberReason);
}

// Where the readers' results go: the content, what they met into the report,
// and the notice of data cut off.
struct ContentSink {
    ConversionContent& content;
    ConversionReport& report;
    CCutOffNotice cutOff;
};

PointsOutcome GatherPoints(const ReadContext& context, const ConversionSelections& selections,
                           ContentSink& sink) {
    if (selections.asciiPoints) {
        return ReadAsciiPointFile(context.ui, sink.content.points).status == ReadStatus::CannotOpen
                   ? PointsOutcome::EndRun
                   : PointsOutcome::Gathered;
    }
    if (selections.pointGroup) {
        PointGroupRead read = ReadPointGroup(context, *selections.pointGroup);
        sink.content.points.insert(sink.content.points.end(),
                                   std::make_move_iterator(read.points.begin()),
                                   std::make_move_iterator(read.points.end()));
        AddPoints(read.counts, sink.report);
        sink.cutOff.Check(!read.counts.complete, "CgPoints");
    }
    return PointsOutcome::Gathered;
}

void AddHorizontal(const HorizontalReadCounts& counts, ConversionReport& report) {
    report.points.addedForAlignment = counts.pointsAdded;
    report.horizontal.vertices = counts.vertices;
    report.horizontal.curves = counts.curves;
    report.horizontal.spiralsIgnored = static_cast<std::int64_t>(counts.spiralsLeftOut.size());
    report.horizontal.spiralsAsArcs = counts.spiralsAsArcs;
    report.horizontal.spiralArcs = counts.spiralArcs;
    report.horizontal.largestSpiralDeviation = counts.largestSpiralDeviation;
    // One entry for each reason, in the order first met.
    std::vector<std::pair<std::string, std::int64_t>> reasons;
    for (const LeftOutSpiral& spiral : counts.spiralsLeftOut) {
        const std::string& reason = spiral.reason;
        auto it = std::find_if(reasons.begin(), reasons.end(),
                               [&reason](const auto& r) { return r.first == reason; });
        if (it == reasons.end()) {
            reasons.emplace_back(reason, 1);
        } else {
            ++it->second;
        }
    }
    for (const auto& [reason, count] : reasons) {
        report.AddNotConverted("Spiral", count, reason);
    }
    for (const LeftOutSpiral& spiral : counts.spiralsLeftOut) {
        report.spiralsLeftOut.push_back({spiral.kind, spiral.station, spiral.chord, spiral.reason});
    }
    report.AddNotConverted("IrregularLine", counts.irregularLines, "irregular lines are not read");
    report.AddNotConverted("Chain", counts.chains, "chains of point references are not read");
    report.AddNotConverted("Curve", counts.curvesWithoutVertices,
                           "curves given only by their PI that the directions, rotation and radius "
                           "do not decide are not read");
    report.AddNotConverted("PointReference",
                           static_cast<std::int64_t>(counts.missingReferences.size()),
                           "point references not found; their vertices are at 0,0");
    AddLeftOut(counts.leftOut, report);
}

void AddVertical(const ProfileReadCounts& counts, ConversionReport& report) {
    report.vertical.vertices = counts.vertices;
    report.vertical.parabolic = counts.parabolic;
    report.vertical.circular = counts.circular;
    report.vertical.unsymmetricAsPvi = counts.unsymmetricAsPvi;
    AddLeftOut(counts.leftOut, report);
}

void AddSections(const SectionReadCounts& counts, ConversionReport& report) {
    report.sections.read = counts.read;
    report.sections.leftPoints = counts.leftPoints;
    report.sections.rightPoints = counts.rightPoints;
    report.sections.corridorShapes = counts.corridorShapesUsed;
    report.AddNotConverted("DesignCrossSectSurf", counts.corridorShapes,
                           "corridor shapes are read only for the surface \"Corridor Top\"");
    report.AddNotConverted("DesignCrossSectSurf", counts.corridorShapesLeftOut,
                           "data other than offset and elevation (dataFormat) is not read");
    AddLeftOut(counts.leftOut, report);
}

// The geometry's vertices join the points gathered, after them.
void ReadHorizontal(const ReadContext& context, const AlignmentEntry* alignment,
                    const SpiralOptions& spirals, bool& spiralWarning, ContentSink& sink) {
    ConversionContent& content = sink.content;
    HorizontalRead read =
        ReadHorizontalAlignment(context, alignment, content.points, spiralWarning, spirals);
    content.points.insert(content.points.end(), std::make_move_iterator(read.addedPoints.begin()),
                          std::make_move_iterator(read.addedPoints.end()));
    content.horizontalControl = std::move(read.horizontalControl);
    content.horizontal = std::move(read.counts);
    AddHorizontal(content.horizontal, sink.report);
    sink.cutOff.Check(content.horizontal.cutOff, "CoordGeom");
}

void ReadVertical(const ReadContext& context, const AlignmentEntry* alignment,
                  const std::string& profileName, ContentSink& sink) {
    ProfileRead read = ReadProfile(context, alignment, profileName);
    sink.content.verticalControl = std::move(read.verticalControl);
    AddVertical(read.counts, sink.report);
    sink.cutOff.Check(!read.counts.cutOffInside.empty(), read.counts.cutOffInside);
}

// Corridor sections standing on the grade line would give a vertical control
// at elevation 0, and sections without a centreline elevation none at all;
// without a profile the run ends after saying so. An alignment not found has
// had its message.
bool NoVerticalFromSections(const ReadContext& context, const AlignmentEntry* alignment,
                            bool fromSections, ConversionContent& content) {
    if (!fromSections || alignment == nullptr) {
        return false;
    }
    if (content.sections.relativeSections > 0) {
        content.verticalControl.clear();
        context.ui.ShowMessage(kRelativeSectionsMessage);
        return true;
    }
    if (content.verticalControl.empty()) {
        context.ui.ShowMessage(kNoCentreElevationMessage);
        return true;
    }
    return false;
}

// Without a profile's vertical control the one built from the sections is
// taken. False when the run ends there. scale is the factor to the unit
// written, in which the reader tells how far the centreline is off.
bool ReadSections(const ReadContext& context, const AlignmentEntry* alignment,
                  const std::string& surfaceName, double scale, ContentSink& sink) {
    ConversionContent& content = sink.content;
    SectionRead read = ReadCrossSections(context, alignment, content.verticalControl, surfaceName,
                                         content.gatherSections, scale);
    const bool fromSections = content.verticalControl.empty();
    if (fromSections) {
        content.verticalControl = std::move(read.verticalControl);
    }
    content.leftTemplates = std::move(read.leftTemplates);
    content.rightTemplates = std::move(read.rightTemplates);
    content.sectionPairs = std::move(read.sections);
    content.sections = std::move(read.counts);
    AddSections(content.sections, sink.report);
    sink.cutOff.Check(content.sections.cutOff, "CrossSects");
    return !NoVerticalFromSections(context, alignment, fromSections, content);
}

// Lists the file in the report when it was written, with its size.
void RecordWritten(const WriteResult& result, ConversionReport& report) {
    if (result.status == WriteStatus::Written) {
        report.files.push_back({result.path, result.bytes});
    }
}

// The factor from the file's unit to the unit chosen, 1 when none is; the
// report names the unit written when it differs. Nothing, after the
// message, when the file's unit is not stated or not known.
std::optional<double> ChosenScale(const ReadContext& context,
                                  const ConversionSelections& selections,
                                  ConversionReport& report) {
    if (!selections.linearUnit) {
        return 1.0;
    }
    const LinearUnit& fileUnit = context.catalogue.Unit();
    const std::optional<double> scale = WrittenPerFileUnit(fileUnit, *selections.linearUnit);
    if (!scale) {
        context.ui.ShowMessage(UnitRefusal(fileUnit, *selections.linearUnit));
    } else if (*scale != 1.0) {
        report.unitWritten = WrittenUnitName(*selections.linearUnit);
    }
    return scale;
}

// The readers compute in the file's unit, so that positions are matched and
// curves followed on the file's own numbers; the spiral tolerance, given in
// the unit written, is taken back to the file's unit for them.
SpiralOptions SpiralsInFileUnit(SpiralOptions spirals, double scale) {
    spirals.tolerance /= scale;
    return spirals;
}

bool ReadSelected(const ReadContext& context, const ConversionSelections& selections, double scale,
                  bool& spiralWarning, ContentSink& sink) {
    if (!selections.profile && selections.surface && !context.ui.AskYesNo(kVpiOnlyQuestion)) {
        return false;
    }
    if (GatherPoints(context, selections, sink) == PointsOutcome::EndRun) {
        return false;
    }
    // Looked up once for all three readers. With none selected the sections
    // are those of an alignment listed under the empty name, if there is one.
    const AlignmentEntry* alignment =
        context.catalogue.FindAlignment(selections.alignment.value_or(std::string()));
    if (selections.alignment) {
        ReadHorizontal(context, alignment, SpiralsInFileUnit(selections.spirals, scale),
                       spiralWarning, sink);
        if (selections.profile) {
            ReadVertical(context, alignment, *selections.profile, sink);
        }
    }
    return !selections.surface ||
           ReadSections(context, alignment, *selections.surface, scale, sink);
}

// After every reader: the sections are read against the profile's text in
// the file's unit, and the vertices against the points.
void ScaleToWrittenUnit(double scale, ConversionContent& content, ConversionReport& report) {
    if (scale != 1.0) {
        ScaleContent(scale, content);
        ScaleReport(scale, report);
    }
}

}  // namespace

bool ReadWasCutOff(const ConversionReport& report) {
    return std::any_of(report.messages.begin(), report.messages.end(),
                       [](const std::string& text) { return text.starts_with(kCutOff); });
}

bool ReadConversionContent(const ReadContext& context, const ConversionSelections& selections,
                           bool& spiralWarning, ConversionReport& report,
                           ConversionContent& content) {
    AddDocumentFacts(context.catalogue, selections.alignment, report);
    const std::optional<double> scale = ChosenScale(context, selections, report);
    if (!scale) {
        return false;
    }
    ContentSink sink{content, report, CCutOffNotice(context.ui)};
    const bool whole = ReadSelected(context, selections, *scale, spiralWarning, sink);
    ScaleToWrittenUnit(*scale, content, report);
    return whole;
}

namespace {

// The readers' run and the check that the data did not end inside what they
// read; false when nothing is to be written.
bool ReadWhole(const ReadContext& context, const ConversionSelections& selections,
               bool& spiralWarning, ConversionReport& report, ConversionContent& content) {
    if (!ReadConversionContent(context, selections, spiralWarning, report, content)) {
        return false;
    }
    if (ReadWasCutOff(report)) {
        context.ui.ShowMessage(kNothingWritten);
        return false;
    }
    return true;
}

void WritePoints(CUserInterface& ui, const PointList& points, ConversionReport& report) {
    const WriteResult written = WriteAsciiPointFile(ui, points);
    RecordWritten(written, report);
    if (written.status == WriteStatus::Written) {
        report.points.written = static_cast<std::int64_t>(points.size());
    }
}

WriteStatus WriteChain(CUserInterface& ui, const ConversionContent& content,
                       ConversionReport& report) {
    const WriteResult written =
        WriteChainFile(ui, content.horizontalControl, content.verticalControl,
                       content.leftTemplates, content.rightTemplates);
    RecordWritten(written, report);
    return written.status;
}

}  // namespace

ConversionReport RunConversion(const ConversionSelections& selections, CDocumentBuffer& document,
                               const CCatalogue& catalogue, bool& spiralWarning,
                               CUserInterface& userInterface) {
    ConversionReport report;
    CRecordingUserInterface ui(userInterface, report, selections);
    ConversionContent content;
    if (!ReadWhole({document, catalogue, ui}, selections, spiralWarning, report, content)) {
        return report;
    }
    WritePoints(ui, content.points, report);
    WriteChain(ui, content, report);
    return report;
}

ConversionReport GatherPointGroups(const ConversionSelections& selections,
                                   const std::vector<std::string>& groups,
                                   CDocumentBuffer& document, const CCatalogue& catalogue,
                                   PointList& points, CUserInterface& userInterface) {
    ConversionReport report;
    CRecordingUserInterface ui(userInterface, report, selections);
    AddDocumentFacts(catalogue, std::nullopt, report);
    ConversionContent content;
    content.points = std::move(points);
    ContentSink sink{content, report, CCutOffNotice(ui)};
    ConversionSelections groupSelections;
    for (const std::string& group : groups) {
        groupSelections.pointGroup = group;
        (void)GatherPoints({document, catalogue, ui}, groupSelections, sink);
    }
    points = std::move(content.points);
    if (ReadWasCutOff(report)) {
        ui.ShowMessage(kNothingWritten);
    }
    return report;
}

void WritePointFile(const ConversionSelections& selections, const PointList& points,
                    ConversionReport& report, CUserInterface& userInterface) {
    CRecordingUserInterface ui(userInterface, report, selections);
    WritePoints(ui, points, report);
}

ConversionReport RunChainConversion(const ConversionSelections& selections,
                                    CDocumentBuffer& document, const CCatalogue& catalogue,
                                    bool& spiralWarning, PointList& points,
                                    CUserInterface& userInterface) {
    ConversionReport report;
    CRecordingUserInterface ui(userInterface, report, selections);
    ConversionContent content;
    const std::size_t given = points.size();
    content.points = std::move(points);
    const bool written =
        ReadWhole({document, catalogue, ui}, selections, spiralWarning, report, content) &&
        WriteChain(ui, content, report) == WriteStatus::Written;
    // The readers only append: without the chain file its vertices go again.
    points = std::move(content.points);
    if (!written) {
        points.resize(given);
    }
    return report;
}

}  // namespace chainforge
