#include "alignment/HorizontalAlignmentReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "alignment/ClothoidArcs.h"
#include "alignment/CurveByPi.h"
#include "alignment/PointPositionIndex.h"
#include "alignment/PointReferences.h"
#include "alignment/SpiralKinds.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"
#include "profile/FiniteNumberText.h"

namespace chainforge {
namespace {

constexpr const char* kAlignmentNotFound = "Error: Alignment Cannot be found";
constexpr const char* kSpiralIgnored = "Spiral Detected and Ignored.  This has not been finished";
constexpr std::array<std::string_view, 2> kPositionNames{"northing", "easting"};

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

// False, after the message, when the staStart of the alignment whose content
// begins at position is given but is not a number or is too large. The
// station written is the catalogue's reading of it.
bool StationStartConverts(const CDocumentBuffer& document, std::uint64_t position,
                          CUserInterface& ui) {
    const std::string_view bytes = document.Bytes();
    const std::size_t tagStart = position == 0
                                     ? std::string_view::npos
                                     : bytes.rfind('<', static_cast<std::size_t>(position - 1));
    if (tagStart == std::string_view::npos) {
        return true;
    }
    const std::string_view tag =
        bytes.substr(tagStart, static_cast<std::size_t>(position) - tagStart);
    const auto text = AttributeValue(tag, "staStart", NameCase::Any);
    const CheckedNumber station = text ? CheckNumber(*text) : CheckedNumber{};
    if (station.fault == NumberFault::None) {
        return true;
    }
    CBadNumberNotice(ui, bytes).Tell(tag, tagStart, {"staStart", *text, station.fault});
    return false;
}

// A vertex line of the geometry as read, upper-cased for the tests, and
// where its line ends in the file.
struct VertexLine {
    std::string text;
    std::string upper;
    std::uint64_t position = 0;
};

// A spiral's opening tag spread over several lines: ReadLine gives only its
// first, and its kind and radii may stand on the others. Appends the rest of
// the tag, up to and with its ">", each line break a blank; lineEnd is where
// the line ends in the file.
void CompleteSpiralTag(const CDocumentBuffer& document, std::uint64_t lineEnd, std::string& line) {
    if (!ToUpperAscii(line).starts_with("SPIRAL") || line.find('>') != std::string::npos) {
        return;
    }
    const std::string_view bytes = document.Bytes();
    const std::size_t from =
        static_cast<std::size_t>(std::min<std::uint64_t>(lineEnd, bytes.size()));
    const std::size_t close = bytes.find('>', from);
    if (close == std::string_view::npos ||
        bytes.substr(from, close - from).find('<') != std::string_view::npos) {
        return;
    }
    for (const char c : bytes.substr(from, close + 1 - from)) {
        line.push_back(c == '\r' || c == '\n' ? ' ' : c);
    }
}

// Whether a value that is not a number is told: not when a spiral already
// left out is only being located.
enum class Tell { Yes, No };

// Where a vertex line puts its vertex: its own two numbers (one not there is
// 0), or the point it refers to when it has none. References that cannot be
// found put the vertex at (0, 0) and are told once each. A number that cannot
// be converted gives no position, after its message.
class CVertexPositions {
  public:
    CVertexPositions(const CDocumentBuffer& document, CUserInterface& ui,
                     HorizontalReadCounts& counts)
        : document_(document), ui_(ui), counts_(counts), notice_(ui, document.Bytes()) {}

    std::optional<VertexPosition> Of(const VertexLine& line, Tell tell = Tell::Yes);

    // Tells of a value of the element that line opens.
    void TellBadValue(const VertexLine& line, const BadValue& bad) {
        notice_.Tell(line.text, line.position, bad);
    }

  private:
    std::optional<VertexPosition> Referenced(const VertexLine& line, std::string_view reference,
                                             Tell tell);

    const CDocumentBuffer& document_;
    CUserInterface& ui_;
    HorizontalReadCounts& counts_;
    CBadNumberNotice notice_;
    std::optional<CPointReferences> references_;  // built at the first reference
};

std::optional<VertexPosition> CVertexPositions::Of(const VertexLine& line, Tell tell) {
    const std::string_view text(line.text);
    const std::string_view elementText = ElementText(text);
    const auto reference = AttributeValue(text.substr(0, text.find('>')), "pntRef");
    if (reference && !ParseLeadingDouble(elementText)) {
        return Referenced(line, *reference, tell);
    }
    std::vector<double> values;
    const auto bad = CheckValues(ValueTokens(elementText, 2), kPositionNames, values);
    if (bad) {
        if (tell == Tell::Yes) {
            TellBadValue(line, *bad);
        }
        return std::nullopt;
    }
    values.resize(2, 0.0);
    return VertexPosition{values[0], values[1]};
}

// The position of the point of that name; none, after the message, when
// one of its numbers cannot be converted.
std::optional<VertexPosition> CVertexPositions::Referenced(const VertexLine& line,
                                                           std::string_view reference, Tell tell) {
    if (!references_) {
        references_.emplace(document_);
    }
    if (const auto point = references_->Find(reference)) {
        if (!point->bad) {
            return VertexPosition{point->a, point->b};
        }
        if (tell == Tell::Yes) {
            notice_.Tell(line.text, line.position, *point->bad,
                         "point " + DecodeEntities(reference));
        }
        return std::nullopt;
    }
    const std::string name = DecodeEntities(reference);
    if (counts_.missingReferences.insert(name).second) {
        ui_.ShowMessage("Point reference " + name + " cannot be found");
    }
    return VertexPosition{};
}

// Gives every vertex a point number and writes the horizontal control text:
// tangent points, and each circular curve as its start, centre and end
// numbers in double quotes, the first number followed by the start station.
class CHorizontalControlBuilder {
  public:
    // A vertex standing on none of points becomes a point of the read.
    CHorizontalControlBuilder(const PointList& points, double startStation, HorizontalRead& read)
        : added_(read.addedPoints),
          text_(read.horizontalControl),
          index_(points),
          startStation_(startStation),
          counts_(read.counts) {}

    // The vertex of a curve's Start, Center or End line, at its position.
    void CurveVertex(const VertexLine& line, VertexPosition position);
    // A straight or one arc of a spiral, given by positions.
    void Tangent(VertexPosition position);
    // Returns the centre's point number.
    std::int64_t Arc(VertexPosition start, VertexPosition centre, VertexPosition end);

  private:
    std::int64_t PointAt(VertexPosition position, std::string_view code);
    void WriteFirstEntry(std::string_view opening, std::int64_t number);
    void WriteNumber(std::int64_t number, std::string_view closing);
    void OpenCurve(std::int64_t number);
    void RetractLastNumber();
    bool HoldsOnlyFirstEntry() const { return firstEntryEnd_ && text_.size() == *firstEntryEnd_; }

    PointList& added_;
    std::string& text_;
    CPointPositionIndex index_;
    double startStation_;
    HorizontalReadCounts& counts_;
    bool firstEntry_ = true;
    std::optional<std::int64_t> lastWritten_;
    std::size_t firstEntryBegin_ = 0;
    std::optional<std::size_t> firstEntryEnd_;
};

// The number of the point at the line's position; a new point with the given
// code when there is none yet.
std::int64_t CHorizontalControlBuilder::PointAt(VertexPosition position, std::string_view code) {
    if (const auto existing = index_.NumberAt(position.a, position.b)) {
        return *existing;
    }
    const std::int64_t number = index_.NextNumber();
    std::string point = FormatInt(number);
    point.append(",").append(FormatFiniteF(position.a));
    point.append(",").append(FormatFiniteF(position.b));
    point.append(",0,").append(code);
    added_.push_back(std::move(point));
    index_.Add(added_.back());
    ++counts_.pointsAdded;
    return number;
}

void CHorizontalControlBuilder::WriteFirstEntry(std::string_view opening, std::int64_t number) {
    firstEntryBegin_ = text_.size();
    text_.append(opening).append(FormatInt(number)).append(" ");
    text_.append(FormatFiniteF(startStation_)).append(" ");
    firstEntryEnd_ = text_.size();
    firstEntry_ = false;
    ++counts_.vertices;
}

void CHorizontalControlBuilder::WriteNumber(std::int64_t number, std::string_view closing) {
    text_.append(FormatInt(number)).append(closing).append(" ");
    firstEntry_ = false;
    ++counts_.vertices;
}

void CHorizontalControlBuilder::Tangent(VertexPosition position) {
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

void CHorizontalControlBuilder::CurveVertex(const VertexLine& line, VertexPosition position) {
    if (line.upper.starts_with("START")) {
        OpenCurve(PointAt(position, "PC"));
        ++counts_.curves;
    } else if (line.upper.starts_with("CENTER")) {
        WriteNumber(PointAt(position, "RP"), "");
    } else if (line.upper.starts_with("END")) {
        const std::int64_t number = PointAt(position, "PT");
        WriteNumber(number, "\"");
        lastWritten_ = number;
    }
}

std::int64_t CHorizontalControlBuilder::Arc(VertexPosition start, VertexPosition centre,
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
void CHorizontalControlBuilder::OpenCurve(std::int64_t number) {
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
void CHorizontalControlBuilder::RetractLastNumber() {
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
// in, and where the geometry ends. The vertex lines of a line, curve or
// spiral are kept until it ends, so that one whose numbers cannot be
// converted is left out whole; a curve's are then taken in geometric order,
// start, centre, end, since producers do not all write them in that order.
class CGeometryLineReader {
  public:
    CGeometryLineReader(CUserInterface& ui, bool& spiralWarning, CHorizontalControlBuilder& builder,
                        CVertexPositions& positions, const SpiralOptions& spirals,
                        HorizontalReadCounts& counts, std::optional<double> radiansPerDirection)
        : ui_(ui),
          spiralWarning_(spiralWarning),
          builder_(builder),
          positions_(positions),
          spirals_(spirals),
          counts_(counts),
          radiansPerDirection_(radiansPerDirection) {}

    bool MayContinue(std::string_view line) const {
        return (inLine_ || inCurve_ || spiral_) && IsVertexElement(line);
    }
    // position: where the line ends in the file.
    LineOutcome Handle(std::string_view line, std::uint64_t position);
    // The end of the reading: a line, curve or spiral still open is taken as
    // it stands.
    void Finish() {
        TakeLine();
        TakeCurve();
        TakeSpiral();
    }

  private:
    bool ChangesElement(const VertexLine& line);
    void TakeLine();
    void TakeCurve();
    bool TakeCurveByPi();
    std::optional<std::vector<VertexPosition>> CurveVertexPositions(
        const std::vector<const VertexLine*>& vertices);
    void TakeSpiral();
    enum class SpiralRead { Read, Missing, NotConvertible };
    SpiralRead ReadSpiral(const std::vector<VertexLine>& lines, TransitionSpiral& spiral);
    bool ReadSpiralAttributes(const VertexLine& opening, TransitionSpiral& spiral);
    void LeaveOutSpiral(std::string reason, const std::vector<VertexLine>& lines);
    std::optional<VertexPosition> FirstPosition(const std::vector<VertexLine>& lines,
                                                std::string_view name);
    void WarnOfSpiral();

    CUserInterface& ui_;
    bool& spiralWarning_;
    CHorizontalControlBuilder& builder_;
    CVertexPositions& positions_;
    const SpiralOptions& spirals_;
    HorizontalReadCounts& counts_;
    std::optional<double> radiansPerDirection_;
    bool inLine_ = false;
    bool inCurve_ = false;
    std::vector<VertexLine> lineLines_;
    std::vector<VertexLine> curveLines_;
    std::string curveTag_;  // the open curve's opening line
    // The open spiral's lines, its opening line first.
    std::optional<std::vector<VertexLine>> spiral_;
};

LineOutcome CGeometryLineReader::Handle(std::string_view line, std::uint64_t position) {
    VertexLine vertex{std::string(line), ToUpperAscii(line), position};
    if (vertex.upper.find("/COORDGEOM>") != std::string::npos ||
        vertex.upper.find("/ALIGNMENT>") != std::string::npos) {
        Finish();
        return LineOutcome::Stop;
    }
    if (ChangesElement(vertex)) {
        return LineOutcome::Continue;
    }
    if (inLine_) {
        lineLines_.push_back(std::move(vertex));
    } else if (inCurve_) {
        curveLines_.push_back(std::move(vertex));
    } else if (spiral_) {
        spiral_->push_back(std::move(vertex));
    }
    return LineOutcome::Continue;
}

// The opening and closing lines of the elements. A spiral changes neither
// flag: its lines come while both are clear. The vertices of a line are
// taken at the next change, before anything else is.
bool CGeometryLineReader::ChangesElement(const VertexLine& line) {
    const std::string_view upperLine = line.upper;
    if (upperLine.starts_with("LINE")) {
        TakeLine();
        TakeSpiral();
        inLine_ = true;
    } else if (upperLine.starts_with("/LINE")) {
        TakeLine();
        inLine_ = false;
    } else if (upperLine.starts_with("CURVE")) {
        TakeLine();
        TakeSpiral();
        TakeCurve();
        curveTag_ = line.text;
        inCurve_ = true;
    } else if (upperLine.starts_with("/CURVE")) {
        TakeLine();
        TakeCurve();
        inCurve_ = false;
    } else if (upperLine.starts_with("SPIRAL")) {
        TakeLine();
        TakeSpiral();
        spiral_.emplace(1, line);
        if (IsSelfClosing(upperLine)) {
            TakeSpiral();
        }
    } else if (upperLine.starts_with("/SPIRAL")) {
        TakeLine();
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

// Writes the tangent points of the line's Start and End (its features and
// other children hold none), or none of them when one cannot be placed.
void CGeometryLineReader::TakeLine() {
    std::vector<VertexPosition> tangents;
    for (const VertexLine& line : lineLines_) {
        if (!line.upper.starts_with("START") && !line.upper.starts_with("END")) {
            continue;
        }
        const std::optional<VertexPosition> position = positions_.Of(line);
        if (!position) {
            counts_.leftOut.Add("Line");
            lineLines_.clear();
            return;
        }
        tangents.push_back(*position);
    }
    lineLines_.clear();
    for (const VertexPosition& tangent : tangents) {
        builder_.Tangent(tangent);
    }
}

void CGeometryLineReader::TakeCurve() {
    if (curveLines_.empty()) {
        return;
    }
    std::vector<const VertexLine*> vertices;
    for (const std::string_view first : {"START", "CENTER", "END"}) {
        for (const VertexLine& line : curveLines_) {
            if (line.upper.starts_with(first)) {
                vertices.push_back(&line);
            }
        }
    }
    const auto positions = CurveVertexPositions(vertices);
    if (!positions) {
        counts_.leftOut.Add("Curve");
    } else {
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            builder_.CurveVertex(*vertices[i], (*positions)[i]);
        }
    }
    if (vertices.empty() && !TakeCurveByPi()) {
        ++counts_.curvesWithoutVertices;
    }
    curveLines_.clear();
}

// Writes a curve given by its PI, radius and directions as the start, centre
// and end it makes. False when it has a PI but its directions cannot be
// settled, or the PI cannot be placed: the chain can hold no vertex of it.
bool CGeometryLineReader::TakeCurveByPi() {
    const auto pi = std::find_if(curveLines_.begin(), curveLines_.end(),
                                 [](const VertexLine& l) { return OpensElement(l.upper, "PI"); });
    if (pi == curveLines_.end()) {
        return true;
    }
    const auto attributes = radiansPerDirection_
                                ? ReadCurveByPiAttributes(curveTag_, *radiansPerDirection_)
                                : std::nullopt;
    const auto position = positions_.Of(*pi, Tell::No);
    const auto vertices = attributes && position
                              ? CurveByPiVerticesOf(*attributes, {position->a, position->b})
                              : std::nullopt;
    if (!vertices) {
        return false;
    }
    builder_.Arc({vertices->start.a, vertices->start.b}, {vertices->centre.a, vertices->centre.b},
                 {vertices->end.a, vertices->end.b});
    ++counts_.curves;
    return true;
}

// The positions of the curve's vertices, or none when one cannot be placed.
std::optional<std::vector<VertexPosition>> CGeometryLineReader::CurveVertexPositions(
    const std::vector<const VertexLine*>& vertices) {
    std::vector<VertexPosition> positions;
    for (const VertexLine* line : vertices) {
        const std::optional<VertexPosition> position = positions_.Of(*line);
        if (!position) {
            return std::nullopt;
        }
        positions.push_back(*position);
    }
    return positions;
}

// Writes the spiral as arcs within the tolerance, or leaves it out as a
// straight's gap when it cannot be: a kind without a settled law, a missing or
// bad length, a number that cannot be converted, or points that do not fit it.
void CGeometryLineReader::TakeSpiral() {
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
    const SpiralKindLaw kind = LawOfSpiralKind(AttributeValue(lines.front().text, "spiType"));
    if (!kind.law) {
        LeaveOutSpiral(kind.reason, lines);
        return;
    }
    TransitionSpiral spiral;
    spiral.law = *kind.law;
    const SpiralRead read = ReadSpiral(lines, spiral);
    if (read != SpiralRead::Read) {
        LeaveOutSpiral(read == SpiralRead::Missing ? "Start, PI or End missing" : kBadNumberReason,
                       lines);
        return;
    }
    const SpiralApproximation approximation =
        ApproximateSpiral(spiral, spirals_.tolerance, spirals_.maxArcs);
    if (approximation.outcome == SpiralOutcome::FallBack) {
        LeaveOutSpiral(approximation.reason, lines);
        return;
    }
    ++counts_.spiralsAsArcs;
    counts_.largestSpiralDeviation =
        std::max(counts_.largestSpiralDeviation, approximation.largestDeviation);
    if (approximation.outcome == SpiralOutcome::Line) {
        builder_.Tangent({spiral.start.a, spiral.start.b});
        builder_.Tangent({spiral.end.a, spiral.end.b});
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

// The spiral of the opening line's attributes and its Start, PI and End
// (the first of each).
CGeometryLineReader::SpiralRead CGeometryLineReader::ReadSpiral(
    const std::vector<VertexLine>& lines, TransitionSpiral& spiral) {
    if (!ReadSpiralAttributes(lines.front(), spiral)) {
        return SpiralRead::NotConvertible;
    }
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
            if (!*slot) {
                return SpiralRead::NotConvertible;
            }
        }
    }
    if (!start || !pi || !end) {
        return SpiralRead::Missing;
    }
    spiral.start = {start->a, start->b};
    spiral.pi = {pi->a, pi->b};
    spiral.end = {end->a, end->b};
    return SpiralRead::Read;
}

// The length (0 when not given) and the radii (infinite when not given);
// false, after the message, when one cannot be converted.
bool CGeometryLineReader::ReadSpiralAttributes(const VertexLine& opening,
                                               TransitionSpiral& spiral) {
    const std::string_view tag = opening.text;
    spiral.length = 0.0;
    if (const auto length = AttributeValue(tag, "length")) {
        const CheckedNumber number = CheckNumber(*length);
        if (number.fault != NumberFault::None) {
            positions_.TellBadValue(opening, {"length", *length, number.fault});
            return false;
        }
        spiral.length = number.value;
    }
    for (const auto& [name, radius] : {std::pair{"radiusStart", &spiral.radiusStart},
                                       std::pair{"radiusEnd", &spiral.radiusEnd}}) {
        const std::string_view text = AttributeValue(tag, name).value_or("");
        const CheckedNumber number = CheckRadius(text);
        if (number.fault != NumberFault::None) {
            positions_.TellBadValue(opening, {name, text, number.fault});
            return false;
        }
        *radius = number.value;
    }
    return true;
}

// Records the spiral left out: its kind and station as written, where it
// starts and the chord that stands in for it, as far as they can be read.
void CGeometryLineReader::LeaveOutSpiral(std::string reason, const std::vector<VertexLine>& lines) {
    LeftOutSpiral spiral;
    spiral.reason = std::move(reason);
    const std::string_view opening = lines.front().text;
    spiral.kind = std::string(AttributeValue(opening, "spiType").value_or("clothoid"));
    if (const auto station = AttributeValue(opening, "staStart")) {
        const CheckedNumber number = CheckNumber(*station);
        if (number.fault == NumberFault::None) {
            spiral.station = number.value;
        }
    }
    const std::optional<VertexPosition> start = FirstPosition(lines, "START");
    const std::optional<VertexPosition> end = FirstPosition(lines, "END");
    if (start) {
        spiral.located = true;
        spiral.northing = start->a;
        spiral.easting = start->b;
    }
    if (start && end) {
        spiral.chord = std::hypot(end->a - start->a, end->b - start->b);
    }
    counts_.spiralsLeftOut.push_back(std::move(spiral));
    WarnOfSpiral();
}

// The position of the spiral's first child of that name, when it can be placed.
std::optional<VertexPosition> CGeometryLineReader::FirstPosition(
    const std::vector<VertexLine>& lines, std::string_view name) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (OpensElement(lines[i].upper, name)) {
            return positions_.Of(lines[i], Tell::No);
        }
    }
    return std::nullopt;
}

void CGeometryLineReader::WarnOfSpiral() {
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

HorizontalRead ReadHorizontalAlignment(const ReadContext& context, const AlignmentEntry* alignment,
                                       const PointList& points, bool& spiralWarning,
                                       const SpiralOptions& spirals) {
    HorizontalRead read;
    if (alignment == nullptr) {
        context.ui.ShowMessage(kAlignmentNotFound);
        return read;
    }
    CDocumentBuffer& document = context.document;
    if (IsSelfClosingAt(document, alignment->position)) {
        return read;
    }
    if (!StationStartConverts(document, alignment->position, context.ui)) {
        read.counts.leftOut.Add("Alignment");
        return read;
    }
    document.Seek(alignment->position);
    CVertexPositions positions(document, context.ui, read.counts);
    CHorizontalControlBuilder builder(points, LeadingDoubleOrZero(alignment->stationStart), read);
    CGeometryLineReader reader(context.ui, spiralWarning, builder, positions, spirals, read.counts,
                               DirectionUnitRadians(document.Bytes()));
    std::string line;
    while (document.ReadLine(line)) {
        const std::uint64_t lineEnd = document.Position() - 1;
        CompleteSpiralTag(document, lineEnd, line);
        const std::string closing =
            reader.MayContinue(line) ? document.ContinueElement(line) : std::string();
        if (reader.Handle(line, lineEnd) == LineOutcome::Stop) {
            return read;
        }
        if (!closing.empty() &&
            reader.Handle(closing, document.Position() - 1) == LineOutcome::Stop) {
            return read;
        }
    }
    reader.Finish();
    read.counts.cutOff = document.EndedInside("CoordGeom") && document.EndedInside("Alignment");
    return read;
}

}  // namespace chainforge
