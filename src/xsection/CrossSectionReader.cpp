#include "xsection/CrossSectionReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"
#include "profile/FiniteNumberText.h"
#include "xsection/CorridorEnvelope.h"
#include "xsection/ProfileEvaluation.h"
#include "xsection/TemplateText.h"
#include "xsection/ToleranceTests.h"

namespace chainforge {
namespace {

constexpr double kTolerance = kCommonTolerance;
constexpr std::array<std::string_view, 2> kPairNames{"offset", "elevation"};
// Centreline deviations up to this, in the unit written, are expected from
// rounding in the file.
constexpr double kAcceptedDeviation = 0.01;

struct CentrePoint {
    double elevation = 0.0;
    // Taken from the pair before it and the first pair right of the
    // centreline, which a profile elevation may then replace.
    bool interpolated = false;
};

// A shape or point without a dataFormat, or with "Offset Elevation", holds
// offsets and elevations; others (slope and distance) are not read.
bool OffsetElevationData(std::string_view line) {
    const auto format = AttributeValue(line, "dataFormat");
    return !format || *format == "Offset Elevation";
}

void ReadAttributeNumber(std::string_view line, std::string_view name, double& value) {
    if (const auto text = AttributeValue(line, name)) {
        ReadLeadingDouble(*text, value);
    }
}

// The element's text: what follows the first ">" of the line.
std::string_view ElementText(std::string_view line) {
    const std::size_t tagEnd = line.find('>');
    return tagEnd == std::string_view::npos ? std::string_view() : line.substr(tagEnd + 1);
}

double ReadBack(const std::string& text) {
    return LeadingDoubleOrZero(text);
}

void AppendNumber(std::string& text, double value) {
    text += FormatFiniteG(value, kChainDigits);
    text += ' ';
}

// The first pair at or right of the centreline; the pairs before it are
// the left side, those after it the right side.
std::optional<std::size_t> FindCentrePoint(const std::vector<std::string>& pairs) {
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (ReadNumberPair(pairs[i]).first > -kTolerance) {
            return i;
        }
    }
    return std::nullopt;
}

CentrePoint CentreOf(const std::vector<std::string>& pairs, std::size_t centre) {
    const NumberPair right = ReadNumberPair(pairs[centre]);
    if (right.first <= kTolerance || centre == 0) {
        return {right.second, false};
    }
    const NumberPair left = ReadNumberPair(pairs[centre - 1]);
    const double atZero =
        left.second - (right.second - left.second) * left.first / (right.first - left.first);
    return {ReadBack(FormatFiniteG(atZero, kChainDigits)), true};
}

// Returns the points of the template kept: 0 when it repeats the last.
std::int64_t AppendUnlessRepeat(TemplateList& templates, std::string text, std::size_t points) {
    if (templates.empty() || !TemplatesMatch(text, templates.back())) {
        templates.push_back(std::move(text));
        return static_cast<std::int64_t>(points);
    }
    return 0;
}

// An exporter that writes the corridor relative to the grade line puts the
// point where the assembly meets that line at offset 0 and elevation 0, and
// the shapes' other points can lie tens of metres above or below it, so no
// band of elevations around 0 tells. An absolute export has the profile's
// elevation there, which is 0 to the nanometre only by accident.
constexpr double kGradeLineElevation = 1e-9;

bool OnGradeLine(const SectionPoint& point) {
    return std::abs(point.offset) <= kTolerance && std::abs(point.elevation) < kGradeLineElevation;
}

bool RelativeToGradeLine(const std::vector<CorridorShape>& shapes) {
    return std::any_of(shapes.begin(), shapes.end(), [](const CorridorShape& shape) {
        return std::any_of(shape.points.begin(), shape.points.end(), OnGradeLine);
    });
}

// One call's pass over an alignment's CrossSects element.
class CCrossSectionPass {
  public:
    CCrossSectionPass(CUserInterface& ui, std::string_view bytes,
                      const std::string& verticalControl, const std::string& surfaceName,
                      bool gatherSections, double writtenPerFileUnit)
        : ui_(ui),
          notice_(ui, bytes),
          surfaceName_(surfaceName),
          gatherSections_(gatherSections),
          vpiOnly_(verticalControl.empty()),
          corridor_(EqualsNoCase(surfaceName, kCorridorSurface)),
          profile_(verticalControl),
          writtenPerFileUnit_(writtenPerFileUnit) {}

    // Takes one line; false once the CrossSects element has closed.
    bool TakeLine(CDocumentBuffer& document, std::string& line);

    // For a pass cut short by the end of the alignment or of the data.
    void CloseIfOpened();

    bool Opened() const { return inSection_; }
    SectionReadCounts& Counts() { return read_.counts; }
    SectionRead TakeRead() { return std::move(read_); }
    void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }

  private:
    // A line of the element, and where it ends in the file.
    struct ElementLine {
        std::string_view text;
        std::uint64_t position = 0;
    };

    void LeaveOut(const ElementLine& line, const BadValue& bad);
    void ReadStation(const ElementLine& line);
    void ProcessSection(const ElementLine& line);
    void ProcessPairs(const std::vector<std::string>& pairs);
    void OpenCorridorShape(std::string_view line);
    void TakeCorridorPoint(const ElementLine& line);
    std::vector<CorridorShape> TakeUsableShapes();
    void TakeCorridorSection();
    void TakeCentrePoint(const CentrePoint& centre);
    void HandOut(const std::vector<std::string>& pairs, std::optional<double> centreElevation);
    void AddToVerticalControl(double centreElevation);
    double CompareWithProfile(const CentrePoint& centre);
    void AppendLeftTemplate(const std::vector<std::string>& pairs, std::size_t centre);
    void AppendRightTemplate(const std::vector<std::string>& pairs,
                             std::optional<std::size_t> centre);
    void Close();

    CUserInterface& ui_;
    CBadNumberNotice notice_;
    const std::string& surfaceName_;
    const bool gatherSections_;
    const bool vpiOnly_;
    // The finished surface of the corridor shapes is read, not a PntList2D.
    const bool corridor_;
    struct CorridorShapeRead {
        CorridorShape shape;
        bool usable = true;
    };
    std::vector<CorridorShapeRead> shapes_;  // of the section being read
    // Read once: every section evaluates the same text.
    const CVerticalProfile profile_;
    const double writtenPerFileUnit_;

    bool inSection_ = false;
    bool onSurface_ = false;
    double station_ = 0.0;
    double skew_ = 0.0;  // read with the station; templates are square to the line
    // The section being read is left out: its station cannot be converted.
    bool sectionLeftOut_ = false;
    bool firstSection_ = true;
    bool firstGrade_ = true;
    // The last section that set a vertex or grade of the vertical control.
    double lastStation_ = 0.0;
    double lastCentreElevation_ = 0.0;
    // The latest centre elevation of all, where the templates start.
    double templateElevation_ = 0.0;
    double previousGrade_ = 0.0;
    double smallestDeviation_ = 1000000.0;
    SectionRead read_;
    // Surface names are compared in UTF-8, as the catalogue lists them.
    TextEncoding encoding_ = TextEncoding::Utf8;
};

bool CCrossSectionPass::TakeLine(CDocumentBuffer& document, std::string& line) {
    const std::uint64_t lineEnd = document.Position() - 1;
    if (!inSection_) {
        inSection_ = StartsWithNoCase(line, "CrossSects");
    } else if (StartsWithNoCase(line, "/CrossSects>")) {
        TakeCorridorSection();
        Close();
        return false;
    } else if (MatchesTag(line, "CrossSect ")) {
        TakeCorridorSection();
        ReadStation({line, lineEnd});
    } else if (StartsWithNoCase(line, "/CrossSect>")) {
        TakeCorridorSection();
    } else if (MatchesTag(line, "CrossSectSurf ")) {
        onSurface_ = EqualsNoCase(ExtractNameAndDescription(line, encoding_), surfaceName_);
    } else if (sectionLeftOut_) {
        // Nothing of a section left out is read.
    } else if (OpensElement(line, "DesignCrossSectSurf")) {
        OpenCorridorShape(line);
    } else if (corridor_ && OpensElement(line, "CrossSectPnt")) {
        document.ContinueElement(line);
        TakeCorridorPoint({line, lineEnd});
    } else if (onSurface_ && StartsWithNoCase(line, "PntList2D")) {
        document.ContinueElement(line);
        ProcessSection({line, lineEnd});
    }
    return true;
}

void CCrossSectionPass::LeaveOut(const ElementLine& line, const BadValue& bad) {
    notice_.Tell(line.text, line.position, bad);
    read_.counts.leftOut.Add(TagName(line.text));
}

void CCrossSectionPass::OpenCorridorShape(std::string_view line) {
    if (!corridor_) {
        ++read_.counts.corridorShapes;
        return;
    }
    shapes_.emplace_back();
    shapes_.back().shape.closed = AttributeValue(line, "closedArea").value_or("") == "true";
    shapes_.back().usable = OffsetElevationData(line);
}

// A point of the shape; one without both its numbers is passed over, one
// with a number that cannot be converted left out after the message.
void CCrossSectionPass::TakeCorridorPoint(const ElementLine& line) {
    if (shapes_.empty()) {
        return;
    }
    CorridorShapeRead& shape = shapes_.back();
    shape.usable = shape.usable && OffsetElevationData(line.text);
    std::vector<double> values;
    if (const auto bad = CheckValues(ValueTokens(ElementText(line.text), 2), kPairNames, values)) {
        LeaveOut(line, *bad);
    } else if (values.size() == 2) {
        shape.shape.points.push_back({values[0], values[1]});
    }
}

// The shapes of the section that hold offsets and elevations; the section's
// shapes are counted and let go.
std::vector<CorridorShape> CCrossSectionPass::TakeUsableShapes() {
    std::vector<CorridorShape> used;
    for (CorridorShapeRead& read : shapes_) {
        if (read.usable) {
            used.push_back(std::move(read.shape));
        }
    }
    read_.counts.corridorShapesUsed += static_cast<std::int64_t>(used.size());
    read_.counts.corridorShapesLeftOut += static_cast<std::int64_t>(shapes_.size() - used.size());
    shapes_.clear();
    return used;
}

// The finished surface of the section's shapes goes on as a section's
// point list would.
void CCrossSectionPass::TakeCorridorSection() {
    if (!corridor_ || shapes_.empty()) {
        return;
    }
    const std::vector<CorridorShape> used = TakeUsableShapes();
    const std::vector<SectionPoint> surface = FinishedSurface(used);
    if (surface.empty()) {
        return;
    }
    if (RelativeToGradeLine(used)) {
        ++read_.counts.relativeSections;
    }
    std::vector<std::string> pairs;
    pairs.reserve(surface.size());
    for (const SectionPoint& point : surface) {
        pairs.push_back(FormatG(point.offset, 17) + " " + FormatG(point.elevation, 17));
    }
    ProcessPairs(pairs);
}

void CCrossSectionPass::CloseIfOpened() {
    if (inSection_) {
        TakeCorridorSection();
        Close();
    }
}

// Attributes may stand in any order; one that is missing keeps its value.
// A station that cannot be converted leaves the section out.
void CCrossSectionPass::ReadStation(const ElementLine& line) {
    sectionLeftOut_ = false;
    if (const auto text = AttributeValue(line.text, "sta")) {
        const CheckedNumber station = CheckNumber(*text);
        if (station.fault != NumberFault::None) {
            LeaveOut(line, {"sta", *text, station.fault});
            sectionLeftOut_ = true;
            return;
        }
        station_ = station.value;
    }
    ReadAttributeNumber(line.text, "angleSkew", skew_);
}

// Offset and elevation pairs, each kept as its text; a lone last value is
// passed over. The list is left out whole when one of its values cannot be
// converted.
void CCrossSectionPass::ProcessSection(const ElementLine& line) {
    std::vector<std::string_view> tokens = ValueTokens(ElementText(line.text));
    tokens.resize(tokens.size() - tokens.size() % 2);
    std::vector<double> values;
    if (const auto bad = CheckValues(tokens, kPairNames, values)) {
        LeaveOut(line, *bad);
        return;
    }
    std::vector<std::string> pairs;
    for (std::size_t i = 0; i < tokens.size(); i += 2) {
        pairs.push_back(std::string(tokens[i]).append(" ").append(tokens[i + 1]));
    }
    ProcessPairs(pairs);
}

void CCrossSectionPass::ProcessPairs(const std::vector<std::string>& pairs) {
    const std::optional<std::size_t> centre = FindCentrePoint(pairs);
    ++read_.counts.read;
    std::optional<double> centreElevation;
    if (centre) {
        const CentrePoint point = CentreOf(pairs, *centre);
        centreElevation = point.elevation;
        TakeCentrePoint(point);
    }
    HandOut(pairs, centreElevation);
    AppendLeftTemplate(pairs, centre.value_or(pairs.size()));
    AppendRightTemplate(pairs, centre);
}

void CCrossSectionPass::HandOut(const std::vector<std::string>& pairs,
                                std::optional<double> centreElevation) {
    if (!gatherSections_) {
        return;
    }
    SectionPairs section{station_, centreElevation, {}};
    section.pairs.reserve(pairs.size());
    for (const std::string& pair : pairs) {
        const NumberPair numbers = ReadNumberPair(pair);
        section.pairs.emplace_back(numbers.first, numbers.second);
    }
    read_.sections.push_back(std::move(section));
}

void CCrossSectionPass::TakeCentrePoint(const CentrePoint& centre) {
    if (vpiOnly_) {
        AddToVerticalControl(centre.elevation);
        templateElevation_ = centre.elevation;
    } else {
        templateElevation_ = CompareWithProfile(centre);
    }
}

// A vertex at the first section, one where the grade changes, and the last
// one when the element closes.
void CCrossSectionPass::AddToVerticalControl(double centreElevation) {
    if (firstSection_) {
        AppendNumber(read_.verticalControl, station_);
        AppendNumber(read_.verticalControl, centreElevation);
        firstSection_ = false;
    } else {
        // A second section at the same station has no grade from the last.
        if (station_ == lastStation_) {
            return;
        }
        const double grade =
            (centreElevation - lastCentreElevation_) * 100 / (station_ - lastStation_);
        if (firstGrade_) {
            firstGrade_ = false;
        } else if (Differs(grade, previousGrade_, kTolerance)) {
            AppendNumber(read_.verticalControl, previousGrade_);
            AppendNumber(read_.verticalControl, lastStation_);
        }
        previousGrade_ = grade;
    }
    lastStation_ = station_;
    lastCentreElevation_ = centreElevation;
}

// Records how far the section's centre lies from the profile; returns the
// centre elevation the templates start from.
double CCrossSectionPass::CompareWithProfile(const CentrePoint& centre) {
    const double atProfile = profile_.ElevationAt(station_);
    // Corridor shapes stand relative to the grade line, not at elevations
    // that could be compared with the profile.
    if (!corridor_ && Differs(atProfile, centre.elevation, kTolerance)) {
        const double deviation = std::abs(atProfile - centre.elevation);
        if (deviation > read_.counts.largestDeviation) {
            read_.counts.largestDeviation = deviation;
            read_.counts.largestDeviationStation = station_;
        }
        if (deviation < smallestDeviation_) {
            smallestDeviation_ = deviation;
        }
    }
    return centre.interpolated ? ReadBack(FormatFiniteF(atProfile)) : centre.elevation;
}

void CCrossSectionPass::AppendLeftTemplate(const std::vector<std::string>& pairs,
                                           std::size_t centre) {
    std::string text;
    AppendNumber(text, station_);
    double previousOffset = 0.0;
    double previousElevation = templateElevation_;
    for (std::size_t i = centre; i-- > 0;) {
        AppendTemplateSegment(pairs[i], previousOffset, previousElevation, -1, text,
                              static_cast<int>(i));
    }
    read_.counts.leftPoints += AppendUnlessRepeat(read_.leftTemplates, std::move(text), centre);
}

void CCrossSectionPass::AppendRightTemplate(const std::vector<std::string>& pairs,
                                            std::optional<std::size_t> centre) {
    std::string text;
    AppendNumber(text, station_);
    double previousOffset = 0.0;
    double previousElevation = templateElevation_;
    const std::size_t first = centre ? *centre + 1 : pairs.size();
    for (std::size_t i = first; i < pairs.size(); ++i) {
        AppendTemplateSegment(pairs[i], previousOffset, previousElevation, +1, text,
                              static_cast<int>(pairs.size() - 1 - i));
    }
    read_.counts.rightPoints +=
        AppendUnlessRepeat(read_.rightTemplates, std::move(text), pairs.size() - first);
}

void CCrossSectionPass::Close() {
    // Without a first vertex the last grade would stand alone, read as a
    // road at station 0 and elevation 0: the vertical control stays empty.
    if (vpiOnly_ && !firstSection_) {
        AppendNumber(read_.verticalControl, previousGrade_);
        AppendNumber(read_.verticalControl, lastStation_);
    }
    const double largest = read_.counts.largestDeviation * writtenPerFileUnit_;
    if (ClearlyGreater(largest, kAcceptedDeviation, kTolerance)) {
        ui_.ShowMessage("The Centerline was off from the cross-section by as little as " +
                        FormatFiniteG(smallestDeviation_ * writtenPerFileUnit_) + " and much as " +
                        FormatFiniteG(largest) +
                        ".  It is recommended that you either use no profile, or use a "
                        "surface that is closer to mimicing the profile");
    }
}

// The closing tag of the alignment: a pass that gets there has no CrossSects
// of its own and must not take the next alignment's.
bool EndsAlignment(std::string_view line) {
    return ContainsNoCase(line, "/ALIGNMENT>");
}

}  // namespace

SectionRead ReadCrossSections(const ReadContext& context, const AlignmentEntry* alignment,
                              const std::string& verticalControl, const std::string& surfaceName,
                              bool gatherSections, double writtenPerFileUnit) {
    if (alignment == nullptr) {
        context.ui.ShowMessage("Error: Alignment Cannot be found");
        return {};
    }
    CDocumentBuffer& document = context.document;
    document.Seek(alignment->position);
    CCrossSectionPass pass(context.ui, document.Bytes(), verticalControl, surfaceName,
                           gatherSections, writtenPerFileUnit);
    pass.SetEncoding(context.catalogue.Encoding());
    std::string line;
    while (document.ReadLine(line)) {
        if (EndsAlignment(line)) {
            break;
        }
        if (!pass.TakeLine(document, line)) {
            return pass.TakeRead();
        }
    }
    pass.Counts().cutOff = pass.Opened() && document.AtEnd() && document.EndedInside("CrossSects");
    pass.CloseIfOpened();
    return pass.TakeRead();
}

}  // namespace chainforge
