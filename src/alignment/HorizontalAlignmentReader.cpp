#include "alignment/HorizontalAlignmentReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "alignment/ClothoidArcs.h"
#include "alignment/PointPositionIndex.h"
#include "alignment/PointReferences.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr const char* kAlignmentNotFound = "Error: Alignment Cannot be found";
constexpr const char* kSpiralIgnored = "Spiral Detected and Ignored.  This has not been finished";

struct VertexPosition {
    double a = 0.0;
    double b = 0.0;
};

// Two numbers separated by white space; one that is not there is 0.
VertexPosition ReadTwoNumbers(std::string_view text) {
    VertexPosition position;
    const std::size_t used = ReadLeadingDouble(text, position.a);
    if (used > 0) {
        ReadLeadingDouble(text.substr(used), position.b);
    }
    return position;
}

// The text of the element on a vertex line: after the first ">" (the line
// must name something before it) up to the "/" of the closing tag.
std::string_view ElementText(std::string_view line) {
    const std::size_t tagEnd = line.find('>');
    if (tagEnd == std::string_view::npos || tagEnd == 0) {
        return {};
    }
    return ScanSetField(line.substr(tagEnd + 1), "/");
}

// The children of Line and Curve that hold a position and may keep it on
// the following lines.
bool IsVertexElement(std::string_view line) {
    for (const std::string_view name : {"START", "END", "CENTER", "PI"}) {
        if (OpensElement(line, name)) {
            return true;
        }
    }
    return false;
}

// An alignment written as one self-closing tag has no geometry: what follows
// it belongs to the next alignment.
bool IsSelfClosingAt(const CDocumentBuffer& document, std::uint64_t position) {
    const std::string_view bytes = document.Bytes();
    return position >= 2 && position <= bytes.size() &&
           bytes.substr(static_cast<std::size_t>(position - 2), 2) == "/>";
}

// A vertex line of the geometry as read, and upper-cased for the tests.
struct VertexLine {
    std::string text;
    std::string upper;
};

// Where a vertex line puts its vertex: its own two numbers, or the point it
// refers to when it has none. References that cannot be found put the vertex
// at (0, 0) and are told once each.
class VertexPositions {
  public:
    VertexPositions(const CDocumentBuffer& document, UserInterface& ui,
                    HorizontalReadCounts& counts)
        : document_(document), ui_(ui), counts_(counts) {}

    VertexPosition Of(const VertexLine& line);

  private:
    const CDocumentBuffer& document_;
    UserInterface& ui_;
    HorizontalReadCounts& counts_;
    std::optional<PointReferences> references_;  // built at the first reference
};

VertexPosition VertexPositions::Of(const VertexLine& line) {
    const std::string_view elementText = ElementText(line.upper);
    const std::string_view text(line.text);
    const auto reference = AttributeValue(text.substr(0, text.find('>')), "pntRef");
    if (!reference || ParseLeadingDouble(elementText)) {
        return ReadTwoNumbers(elementText);
    }
    if (!references_) {
        references_.emplace(document_);
    }
    if (const auto point = references_->Find(*reference)) {
        return {point->a, point->b};
    }
    const std::string name = DecodeEntities(*reference);
    if (counts_.missingReferences.insert(name).second) {
        ui_.ShowMessage("Point reference " + name + " cannot be found");
    }
    return {};
}

// Gives every vertex a point number and writes the horizontal control text:
// tangent points, and each circular curve as its start, centre and end
// numbers in double quotes, the first number followed by the start station.
class HorizontalControlBuilder {
  public:
    HorizontalControlBuilder(PointList& points, std::string& text, double startStation,
                             VertexPositions& positions, HorizontalReadCounts& counts)
        : points_(points),
          text_(text),
          index_(points),
          startStation_(startStation),
          positions_(positions),
          counts_(counts) {}

    void TangentVertex(const VertexLine& line);
    void CurveVertex(const VertexLine& line);
    // A straight or one arc of a spiral, given by positions.
    void Tangent(VertexPosition position);
    // Returns the centre's point number.
    std::int64_t Arc(VertexPosition start, VertexPosition centre, VertexPosition end);

  private:
    std::int64_t PointAt(const VertexLine& line, std::string_view code) {
        return PointAt(positions_.Of(line), code);
    }
    std::int64_t PointAt(VertexPosition position, std::string_view code);
    void WriteFirstEntry(std::string_view opening, std::int64_t number);
    void WriteNumber(std::int64_t number, std::string_view closing);
    void OpenCurve(std::int64_t number);
    void RetractLastNumber();
    bool HoldsOnlyFirstEntry() const { return firstEntryEnd_ && text_.size() == *firstEntryEnd_; }

    PointList& points_;
    std::string& text_;
    PointPositionIndex index_;
    double startStation_;
    VertexPositions& positions_;
    HorizontalReadCounts& counts_;
    bool firstEntry_ = true;
    std::optional<std::int64_t> lastWritten_;
    std::size_t firstEntryBegin_ = 0;
    std::optional<std::size_t> firstEntryEnd_;
};

// The number of the point at the line's position; a new point with the given
// code when there is none yet.
std::int64_t HorizontalControlBuilder::PointAt(VertexPosition position, std::string_view code) {
    if (const auto existing = index_.NumberAt(position.a, position.b)) {
        return *existing;
    }
    const std::int64_t number = index_.NextNumber();
    std::string point = FormatInt(number);
    point.append(",").append(FormatF(position.a));
    point.append(",").append(FormatF(position.b));
    point.append(",0,").append(code);
    points_.push_back(std::move(point));
    index_.Add(points_.back());
    ++counts_.pointsAdded;
    return number;
}

void HorizontalControlBuilder::WriteFirstEntry(std::string_view opening, std::int64_t number) {
    firstEntryBegin_ = text_.size();
    text_.append(opening).append(FormatInt(number)).append(" ");
    text_.append(FormatF(startStation_)).append(" ");
    firstEntryEnd_ = text_.size();
    firstEntry_ = false;
    ++counts_.vertices;
}

void HorizontalControlBuilder::WriteNumber(std::int64_t number, std::string_view closing) {
    text_.append(FormatInt(number)).append(closing).append(" ");
    firstEntry_ = false;
    ++counts_.vertices;
}

void HorizontalControlBuilder::TangentVertex(const VertexLine& line) {
    // Features and other children of a Line hold no vertex.
    if (!line.upper.starts_with("START") && !line.upper.starts_with("END")) {
        return;
    }
    Tangent(positions_.Of(line));
}

void HorizontalControlBuilder::Tangent(VertexPosition position) {
    const std::int64_t number = PointAt(position, "PI");
    if (lastWritten_ == number) {
        return;
    }
    if (firstEntry_) {
        WriteFirstEntry("", number);
    } else {
        WriteNumber(number, "");
    }
    lastWritten_ = number;
}

void HorizontalControlBuilder::CurveVertex(const VertexLine& line) {
    if (line.upper.starts_with("START")) {
        OpenCurve(PointAt(line, "PC"));
        ++counts_.curves;
    } else if (line.upper.starts_with("CENTER")) {
        WriteNumber(PointAt(line, "RP"), "");
    } else if (line.upper.starts_with("END")) {
        const std::int64_t number = PointAt(line, "PT");
        WriteNumber(number, "\"");
        lastWritten_ = number;
    }
}

std::int64_t HorizontalControlBuilder::Arc(VertexPosition start, VertexPosition centre,
                                           VertexPosition end) {
    OpenCurve(PointAt(start, "PC"));
    const std::int64_t centreNumber = PointAt(centre, "RP");
    WriteNumber(centreNumber, "");
    const std::int64_t number = PointAt(end, "PT");
    WriteNumber(number, "\"");
    lastWritten_ = number;
    return centreNumber;
}

// A curve that starts where the text ends takes that number inside its
// opening quote instead of repeating it.
void HorizontalControlBuilder::OpenCurve(std::int64_t number) {
    if (firstEntry_) {
        WriteFirstEntry("\"", number);
        return;
    }
    if (lastWritten_ == number && HoldsOnlyFirstEntry()) {
        // The number to take back carries the start station: the curve
        // becomes the first entry.
        --counts_.vertices;
        text_.resize(firstEntryBegin_);
        WriteFirstEntry("\"", number);
        return;
    }
    if (lastWritten_ == number) {
        RetractLastNumber();
    }
    text_.append("\"");
    WriteNumber(number, "");
}

// Removes the last number and its blank, unless it closes a curve: then the
// shared point stands twice, as the end of one curve and the start of the
// next.
void HorizontalControlBuilder::RetractLastNumber() {
    if (text_.empty()) {
        return;
    }
    const std::size_t quote = text_.rfind('"');
    const std::size_t blank = std::string_view(text_).substr(0, text_.size() - 1).rfind(' ');
    if (blank != std::string_view::npos && (quote == std::string::npos || blank > quote)) {
        text_.resize(blank + 1);
        --counts_.vertices;
    }
}

enum class LineOutcome { Continue, Stop };

// Follows the alignment's geometry line by line: which element the reader is
// in, and where the geometry ends. A curve's vertex lines are kept until the
// curve ends and then taken in geometric order, start, centre, end, since
// producers do not all write them in that order.
class GeometryLineReader {
  public:
    GeometryLineReader(UserInterface& ui, bool& spiralWarning, HorizontalControlBuilder& builder,
                       VertexPositions& positions, const SpiralOptions& spirals,
                       HorizontalReadCounts& counts)
        : ui_(ui),
          spiralWarning_(spiralWarning),
          builder_(builder),
          positions_(positions),
          spirals_(spirals),
          counts_(counts) {}

    bool MayContinue(std::string_view line) const {
        return (inLine_ || inCurve_ || spiral_) && IsVertexElement(line);
    }
    LineOutcome Handle(std::string_view line);
    // The end of the reading: a curve or spiral still open is taken as it
    // stands.
    void Finish() {
        TakeCurve();
        TakeSpiral();
    }

  private:
    bool ChangesElement(const VertexLine& line);
    void TakeCurve();
    void TakeSpiral();
    std::optional<ClothoidSpiral> SpiralOf(const std::vector<VertexLine>& lines);
    void LeaveOutSpiral(std::string reason, const std::vector<VertexLine>& lines);
    void WarnOfSpiral();

    UserInterface& ui_;
    bool& spiralWarning_;
    HorizontalControlBuilder& builder_;
    VertexPositions& positions_;
    const SpiralOptions& spirals_;
    HorizontalReadCounts& counts_;
    bool inLine_ = false;
    bool inCurve_ = false;
    std::vector<VertexLine> curveLines_;
    // The open spiral's lines, its opening line first.
    std::optional<std::vector<VertexLine>> spiral_;
};

LineOutcome GeometryLineReader::Handle(std::string_view line) {
    VertexLine vertex{std::string(line), ToUpperAscii(line)};
    if (vertex.upper.find("/COORDGEOM>") != std::string::npos ||
        vertex.upper.find("/ALIGNMENT>") != std::string::npos) {
        Finish();
        return LineOutcome::Stop;
    }
    if (ChangesElement(vertex)) {
        return LineOutcome::Continue;
    }
    if (inLine_) {
        builder_.TangentVertex(vertex);
    } else if (inCurve_) {
        curveLines_.push_back(std::move(vertex));
    } else if (spiral_) {
        spiral_->push_back(std::move(vertex));
    }
    return LineOutcome::Continue;
}

// The opening and closing lines of the elements. A spiral changes neither
// flag: its lines come while both are clear.
bool GeometryLineReader::ChangesElement(const VertexLine& line) {
    const std::string_view upperLine = line.upper;
    if (upperLine.starts_with("LINE")) {
        TakeSpiral();
        inLine_ = true;
    } else if (upperLine.starts_with("/LINE")) {
        inLine_ = false;
    } else if (upperLine.starts_with("CURVE")) {
        TakeSpiral();
        TakeCurve();
        inCurve_ = true;
    } else if (upperLine.starts_with("/CURVE")) {
        TakeCurve();
        inCurve_ = false;
    } else if (upperLine.starts_with("SPIRAL")) {
        TakeSpiral();
        spiral_.emplace(1, line);
        if (IsSelfClosing(upperLine)) {
            TakeSpiral();
        }
    } else if (upperLine.starts_with("/SPIRAL")) {
        TakeSpiral();
    } else {
        if (OpensElement(upperLine, "IRREGULARLINE")) {
            ++counts_.irregularLines;
        } else if (OpensElement(upperLine, "CHAIN")) {
            ++counts_.chains;
        }
        return false;
    }
    return true;
}

void GeometryLineReader::TakeCurve() {
    if (curveLines_.empty()) {
        return;
    }
    bool hasVertex = false;
    for (const std::string_view first : {"START", "CENTER", "END"}) {
        for (const VertexLine& line : curveLines_) {
            if (line.upper.starts_with(first)) {
                builder_.CurveVertex(line);
                hasVertex = true;
            }
        }
    }
    // A curve given only by its PI (and radius) has no vertex the chain can hold.
    if (!hasVertex && std::any_of(curveLines_.begin(), curveLines_.end(), [](const VertexLine& l) {
            return OpensElement(l.upper, "PI");
        })) {
        ++counts_.curvesWithoutVertices;
    }
    curveLines_.clear();
}

// Writes the spiral as arcs within the tolerance, or leaves it out as a
// straight's gap when it cannot be: a kind other than clothoid, a missing or
// bad length, or points that do not fit it.
void GeometryLineReader::TakeSpiral() {
    if (!spiral_) {
        return;
    }
    const std::vector<VertexLine> lines = std::move(*spiral_);
    spiral_.reset();
    if (!spirals_.asArcs) {
        LeaveOutSpiral("spirals are left out (--spirals ignore); a straight joins their neighbours",
                       lines);
        return;
    }
    const auto kind = AttributeValue(lines.front().text, "spiType");
    if (kind && !EqualsNoCase(*kind, "clothoid")) {
        LeaveOutSpiral("spiral type " + std::string(*kind) + " is not converted", lines);
        return;
    }
    const std::optional<ClothoidSpiral> spiral = SpiralOf(lines);
    if (!spiral) {
        LeaveOutSpiral("Start, PI or End missing", lines);
        return;
    }
    const SpiralApproximation approximation =
        ApproximateSpiral(*spiral, spirals_.tolerance, spirals_.maxArcs);
    if (approximation.outcome == SpiralOutcome::FallBack) {
        LeaveOutSpiral(approximation.reason, lines);
        return;
    }
    ++counts_.spiralsAsArcs;
    counts_.largestSpiralDeviation =
        std::max(counts_.largestSpiralDeviation, approximation.largestDeviation);
    if (approximation.outcome == SpiralOutcome::Line) {
        builder_.Tangent({spiral->start.a, spiral->start.b});
        builder_.Tangent({spiral->end.a, spiral->end.b});
        return;
    }
    for (const ArcPiece& arc : approximation.arcs) {
        if (arc.straight) {
            builder_.Tangent({arc.start.a, arc.start.b});
            builder_.Tangent({arc.end.a, arc.end.b});
        } else {
            counts_.spiralArcCentres.push_back(builder_.Arc(
                {arc.start.a, arc.start.b}, {arc.centre.a, arc.centre.b}, {arc.end.a, arc.end.b}));
            ++counts_.spiralArcs;
        }
    }
}

// The spiral of the opening line's attributes and its Start, PI and End.
std::optional<ClothoidSpiral> GeometryLineReader::SpiralOf(const std::vector<VertexLine>& lines) {
    ClothoidSpiral spiral;
    const std::string_view opening = lines.front().text;
    const auto length = AttributeValue(opening, "length");
    spiral.length = length ? ParseLeadingDouble(*length).value_or(0.0) : 0.0;
    spiral.radiusStart = ReadRadius(AttributeValue(opening, "radiusStart").value_or(""));
    spiral.radiusEnd = ReadRadius(AttributeValue(opening, "radiusEnd").value_or(""));
    std::optional<VertexPosition> start;
    std::optional<VertexPosition> pi;
    std::optional<VertexPosition> end;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view upper = lines[i].upper;
        std::optional<VertexPosition>* slot = OpensElement(upper, "START") ? &start
                                              : OpensElement(upper, "PI")  ? &pi
                                              : OpensElement(upper, "END") ? &end
                                                                           : nullptr;
        if (slot != nullptr && !*slot) {
            *slot = positions_.Of(lines[i]);
        }
    }
    if (!start || !pi || !end) {
        return std::nullopt;
    }
    spiral.start = {start->a, start->b};
    spiral.pi = {pi->a, pi->b};
    spiral.end = {end->a, end->b};
    return spiral;
}

void GeometryLineReader::LeaveOutSpiral(std::string reason, const std::vector<VertexLine>& lines) {
    LeftOutSpiral spiral{std::move(reason)};
    for (std::size_t i = 1; i < lines.size() && !spiral.located; ++i) {
        if (OpensElement(lines[i].upper, "START")) {
            const VertexPosition start = positions_.Of(lines[i]);
            spiral = {std::move(spiral.reason), true, start.a, start.b};
        }
    }
    counts_.spiralsLeftOut.push_back(std::move(spiral));
    WarnOfSpiral();
}

void GeometryLineReader::WarnOfSpiral() {
    if (spiralWarning_) {
        ui_.ShowMessage(kSpiralIgnored);
        spiralWarning_ = false;
    }
}

}  // namespace

bool SamePosition(std::string_view first, std::string_view second) {
    const VertexPosition p = ReadTwoNumbers(first);
    const VertexPosition q = ReadTwoNumbers(second);
    return WithinSamePositionTolerance(p.a, p.b, q.a, q.b);
}

HorizontalReadCounts ReadHorizontalAlignment(CDocumentBuffer& document, const Catalogue& catalogue,
                                             UserInterface& ui, bool& spiralWarning,
                                             PointList& points, const std::string& alignmentName,
                                             std::string& horizontalControl,
                                             const SpiralOptions& spirals) {
    HorizontalReadCounts counts;
    const AlignmentEntry* alignment = catalogue.FindAlignment(alignmentName);
    if (alignment == nullptr) {
        ui.ShowMessage(kAlignmentNotFound);
        return counts;
    }
    if (IsSelfClosingAt(document, alignment->position)) {
        return counts;
    }
    document.Seek(alignment->position);
    VertexPositions positions(document, ui, counts);
    HorizontalControlBuilder builder(
        points, horizontalControl, LeadingDoubleOrZero(alignment->stationStart), positions, counts);
    GeometryLineReader reader(ui, spiralWarning, builder, positions, spirals, counts);
    std::string line;
    while (document.ReadLine(line)) {
        const std::string closing =
            reader.MayContinue(line) ? document.ContinueElement(line) : std::string();
        if (reader.Handle(line) == LineOutcome::Stop) {
            return counts;
        }
        if (!closing.empty() && reader.Handle(closing) == LineOutcome::Stop) {
            return counts;
        }
    }
    reader.Finish();
    counts.cutOff = document.EndedInside("CoordGeom") && document.EndedInside("Alignment");
    return counts;
}

}  // namespace chainforge
