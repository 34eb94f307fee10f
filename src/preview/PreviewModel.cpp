#include "preview/PreviewModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"
#include "profile/SplitIntoPairs.h"
#include "xsection/ProfileEvaluation.h"

namespace chainforge {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Points on each vertical curve: smooth at any zoom a profile view offers.
constexpr int kCurveSteps = 48;
constexpr double kMostTicks = 100000;

// Answers every question Yes, chooses no file and keeps the messages.
class CSilentUserInterface : public CUserInterface {
  public:
    explicit CSilentUserInterface(std::vector<std::string>& messages) : messages_(messages) {}
    void ShowMessage(const std::string& text) override { messages_.push_back(text); }
    bool AskYesNo(const std::string&) override { return true; }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    bool FileExists(const std::string&) override { return false; }

  private:
    std::vector<std::string>& messages_;
};

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t begin = 0;;) {
        const std::size_t comma = line.find(',', begin);
        fields.push_back(line.substr(begin, comma - begin));
        if (comma == line.npos) {
            return fields;
        }
        begin = comma + 1;
    }
}

void AddPoints(const PointList& lines, PreviewModel& model) {
    model.points.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::vector<std::string_view> fields = Fields(line);
        auto number = [&fields](std::size_t i) {
            return i < fields.size() ? LeadingDoubleOrZero(fields[i]) : 0.0;
        };
        model.points.push_back({std::string(fields[0]), {number(2), number(1)}, number(3)});
    }
}

// One entry of the horizontal control: a point of the chain, or a curve's
// start, centre and end.
struct ChainStop {
    std::vector<std::string> numbers;
    bool curve = false;
};

std::vector<ChainStop> ReadChain(std::string_view text, double& startStation) {
    std::vector<ChainStop> stops;
    bool inCurve = false;
    std::size_t position = 0;
    for (std::string_view token = NextToken(text, position); !token.empty();
         token = NextToken(text, position)) {
        if (token.front() == '"') {
            token.remove_prefix(1);
            stops.push_back({{}, true});
            inCurve = true;
        } else if (!inCurve) {
            stops.push_back({{}, false});
        }
        if (!token.empty() && token.back() == '"') {
            token.remove_suffix(1);
            inCurve = false;
        }
        stops.back().numbers.emplace_back(token);
        // The first number is followed by the start station.
        if (stops.size() == 1 && stops.back().numbers.size() == 1) {
            startStation = LeadingDoubleOrZero(NextToken(text, position));
        }
    }
    return stops;
}

// Walks the chain, turning point numbers into straights and arcs.
class CPlanBuilder {
  public:
    // Only the points the chain names are looked up: a survey may hold
    // hundreds of thousands.
    CPlanBuilder(PreviewModel& model, double station,
                 const std::unordered_set<std::string>& spiralCentres,
                 const std::vector<ChainStop>& stops)
        : model_(model), station_(station), spiralCentres_(spiralCentres) {
        for (const ChainStop& stop : stops) {
            for (const std::string& number : stop.numbers) {
                positions_.emplace(number, PreviewXY{});
            }
        }
        // The first point of a name wins, as the point file lists them.
        std::unordered_set<std::string_view> found;
        for (const PreviewPoint& point : model.points) {
            const auto it = positions_.find(point.name);
            if (it != positions_.end() && found.insert(it->first).second) {
                it->second = point.at;
            }
        }
    }

    void Take(const ChainStop& stop) {
        if (stop.curve && stop.numbers.size() == 3) {
            Arc(stop.numbers[0], stop.numbers[1], stop.numbers[2]);
            return;
        }
        for (const std::string& number : stop.numbers) {
            StraightTo(number);
        }
    }

  private:
    PreviewXY At(const std::string& number) const {
        const auto it = positions_.find(number);
        return it == positions_.end() ? PreviewXY{} : it->second;
    }

    void AddVertex(const std::string& number, PreviewXY at, bool centre = false) {
        model_.vertices.push_back({number, at, station_, centre});
    }

    void StraightTo(const std::string& number) {
        const PreviewXY to = At(number);
        if (here_) {
            const double dx = to.x - here_->x;
            const double dy = to.y - here_->y;
            const double length = std::hypot(dx, dy);
            if (length == 0.0) {
                return;
            }
            model_.elements.push_back(
                {false, false, *here_, to, {}, 0.0, 0.0, 0.0, station_, length});
            station_ += length;
            heading_ = PreviewXY{dx / length, dy / length};
        }
        here_ = to;
        AddVertex(number, to);
    }

    void Arc(const std::string& startNumber, const std::string& centreNumber,
             const std::string& endNumber) {
        StraightTo(startNumber);
        const PreviewXY start = At(startNumber);
        const PreviewXY centre = At(centreNumber);
        const PreviewXY end = At(endNumber);
        const double radius = std::hypot(start.x - centre.x, start.y - centre.y);
        const double startAngle = std::atan2(start.y - centre.y, start.x - centre.x);
        const double sweep =
            Sweep(start, centre, startAngle, std::atan2(end.y - centre.y, end.x - centre.x));
        const double length = radius * std::abs(sweep);
        model_.elements.push_back({true, spiralCentres_.contains(centreNumber), start, end, centre,
                                   radius, startAngle, sweep, station_, length});
        AddVertex(centreNumber, centre, true);
        station_ += length;
        // Leaving the arc along its tangent at the end.
        const double endAngle = startAngle + sweep;
        const double turn = sweep < 0 ? -1.0 : 1.0;
        heading_ = PreviewXY{-std::sin(endAngle) * turn, std::cos(endAngle) * turn};
        here_ = end;
        AddVertex(endNumber, end);
    }

    // The arc turns the way that leaves its start along the heading it was
    // reached with: counter-clockwise when the centre lies to the left.
    // Without a heading the shorter way round is taken.
    double Sweep(PreviewXY start, PreviewXY centre, double startAngle, double endAngle) const {
        const double span = endAngle - startAngle;
        if (!heading_) {
            return std::remainder(span, kTwoPi);
        }
        const double left = heading_->x * (centre.y - start.y) - heading_->y * (centre.x - start.x);
        const double counterClockwise = span - kTwoPi * std::floor(span / kTwoPi);
        if (left >= 0) {
            return counterClockwise;
        }
        return counterClockwise == 0.0 ? 0.0 : counterClockwise - kTwoPi;
    }

    PreviewModel& model_;
    double station_;
    const std::unordered_set<std::string>& spiralCentres_;
    std::unordered_map<std::string, PreviewXY> positions_;
    std::optional<PreviewXY> here_;
    std::optional<PreviewXY> heading_;
};

void AddPlan(const ConversionContent& content, PreviewModel& model) {
    std::unordered_set<std::string> spiralCentres;
    for (const std::int64_t number : content.horizontal.spiralArcCentres) {
        spiralCentres.insert(std::to_string(number));
    }
    double startStation = 0.0;
    const std::vector<ChainStop> stops = ReadChain(content.horizontalControl, startStation);
    CPlanBuilder builder(model, startStation, spiralCentres, stops);
    for (const ChainStop& stop : stops) {
        builder.Take(stop);
    }
}

void AddCurveLine(const CVerticalProfile& profile, const ProfileSegment& segment,
                  PreviewModel& model) {
    const double length = segment.curveEnd - segment.tangentEnd;
    for (int i = 1; i < kCurveSteps; ++i) {
        const double station = segment.tangentEnd + length * i / kCurveSteps;
        model.profileLine.push_back({station, profile.ElevationAt(station)});
    }
}

void AddProfile(const std::string& verticalControl, PreviewModel& model) {
    if (verticalControl.empty()) {
        return;
    }
    const CVerticalProfile profile(verticalControl);
    const double firstStation = LeadingDoubleOrZero(verticalControl);
    const std::size_t blank = verticalControl.find(' ');
    const double firstElevation =
        blank == std::string::npos ? 0.0 : LeadingDoubleOrZero(verticalControl.substr(blank + 1));
    model.profileVertices.push_back({firstStation, firstElevation});
    model.profileLine.push_back({firstStation, firstElevation});
    for (const ProfileSegment& s : profile.Segments()) {
        const double tangentElevation =
            s.startElevation + (s.tangentEnd - s.startStation) * s.grade / 100;
        model.tangents.push_back(
            {s.startStation, s.startElevation, s.tangentEnd, tangentElevation, s.grade});
        model.profileLine.push_back({s.tangentEnd, tangentElevation});
        if (!s.isCurve) {
            model.profileVertices.push_back({s.tangentEnd, tangentElevation});
            continue;
        }
        // A symmetric curve's vertex is where its two tangents meet.
        const double half = (s.curveEnd - s.tangentEnd) / 2;
        model.profileVertices.push_back(
            {s.tangentEnd + half, tangentElevation + half * s.grade / 100});
        AddCurveLine(profile, s, model);
        model.profileLine.push_back({s.curveEnd, profile.ElevationAt(s.curveEnd)});
    }
}

std::vector<double> TemplateNumbers(std::string_view text) {
    std::vector<double> numbers;
    std::size_t position = 0;
    for (std::string_view token = NextToken(text, position); !token.empty();
         token = NextToken(text, position)) {
        numbers.push_back(LeadingDoubleOrZero(token));
    }
    return numbers;
}

// A template text drawn from the centre elevation outward; direction is -1
// on the left.
PreviewTemplateSide TemplateSide(std::string_view text, double elevation, int direction) {
    const std::vector<double> numbers = TemplateNumbers(text);
    PreviewTemplateSide side;
    side.points.push_back({0.0, elevation});
    if (numbers.size() < 4) {
        return side;
    }
    double offset = 0.0;
    const std::size_t closing = numbers.size() - 3;
    for (std::size_t i = 1; i + 1 < closing; i += 2) {
        const double grade = numbers[i];
        const double width = numbers[i + 1];
        // A near-vertical step carries its rise (times 0.01) instead of a width.
        if (std::abs(grade) == 10000) {
            elevation += width * 100;
        } else {
            offset += direction * width;
            elevation += grade / 100 * width;
        }
        side.points.push_back({offset, elevation});
    }
    side.closingRatio = numbers[closing];
    return side;
}

// The template texts apply from their station until the next; a section
// whose templates repeat the last ones added none.
class CTemplateCursor {
  public:
    explicit CTemplateCursor(const TemplateList& templates) : templates_(templates) {}

    std::string_view At(double station) {
        while (next_ < templates_.size() &&
               std::abs(LeadingDoubleOrZero(templates_[next_]) - station) <=
                   1e-9 * std::max(1.0, std::abs(station))) {
            current_ = templates_[next_++];
        }
        return current_;
    }

  private:
    const TemplateList& templates_;
    std::size_t next_ = 0;
    std::string_view current_;
};

// The closing slope falls when the section's outermost pair on that side
// lies below the pair inside it.
void SetClosingDirection(PreviewTemplateSide& side,
                         const std::vector<PreviewOffsetElevation>& pairs, int direction) {
    if (pairs.size() < 2) {
        return;
    }
    const std::size_t last = pairs.size() - 1;
    const PreviewOffsetElevation& outermost = direction < 0 ? pairs[0] : pairs[last];
    const PreviewOffsetElevation& inside = direction < 0 ? pairs[1] : pairs[last - 1];
    side.closingFalls = outermost.elevation <= inside.elevation;
}

// Corridor shapes stand relative to the grade line; against a profile the
// section's own pairs are raised to it, so that they lie on the templates.
void AddSections(const ConversionContent& content, bool relativeToProfile, PreviewModel& model) {
    const CVerticalProfile profile(content.verticalControl);
    CTemplateCursor left(content.leftTemplates);
    CTemplateCursor right(content.rightTemplates);
    model.sections.reserve(content.sectionPairs.size());
    for (const SectionPairs& read : content.sectionPairs) {
        PreviewSection section;
        section.station = read.station;
        section.centreElevation = read.centreElevation;
        const double elevation = profile.ElevationAt(read.station);
        const double raise = relativeToProfile ? elevation - read.centreElevation.value_or(0) : 0;
        for (const auto& [offset, pairElevation] : read.pairs) {
            section.pairs.push_back({offset, pairElevation + raise});
        }
        section.left = TemplateSide(left.At(read.station), elevation, -1);
        section.right = TemplateSide(right.At(read.station), elevation, +1);
        SetClosingDirection(section.left, section.pairs, -1);
        SetClosingDirection(section.right, section.pairs, +1);
        model.sections.push_back(std::move(section));
    }
}

PreviewMarker* MarkerWithText(PreviewModel& model, const std::string& text) {
    const auto it = std::find_if(model.markers.begin(), model.markers.end(),
                                 [&text](const PreviewMarker& m) { return m.text == text; });
    return it == model.markers.end() ? nullptr : &*it;
}

void AddMessageMarkers(PreviewModel& model) {
    for (const std::string& message : model.report.messages) {
        model.markers.push_back({message, std::nullopt, std::nullopt});
    }
}

// Where the spiral was, and the chord drawn in its place.
std::string LeftOutSpiralPlace(const LeftOutSpiral& spiral) {
    std::string place = "; " + spiral.kind;
    if (spiral.station) {
        place += " at station " + FormatG(*spiral.station, 10);
    }
    if (spiral.chord) {
        place += ", a chord of " + FormatG(*spiral.chord, 10) + " stands in";
    }
    return place;
}

void AddMarkers(const ConversionContent& content, PreviewModel& model) {
    AddMessageMarkers(model);
    for (const std::string& name : content.horizontal.missingReferences) {
        if (PreviewMarker* marker =
                MarkerWithText(model, "Point reference " + name + " cannot be found")) {
            marker->at = PreviewXY{};
        }
    }
    for (const LeftOutSpiral& spiral : content.horizontal.spiralsLeftOut) {
        model.markers.push_back(
            {"Spiral not converted: " + spiral.reason + LeftOutSpiralPlace(spiral),
             spiral.located ? std::optional<PreviewXY>(PreviewXY{spiral.easting, spiral.northing})
                            : std::nullopt,
             std::nullopt});
    }
    if (content.sections.largestDeviation > 0) {
        model.markers.push_back({"Largest centreline deviation " +
                                     FormatG(content.sections.largestDeviation) + " at station " +
                                     FormatG(content.sections.largestDeviationStation, 10),
                                 std::nullopt, content.sections.largestDeviationStation});
    }
}

}  // namespace

PreviewModel BuildPreview(const ConversionSelections& selections, CDocumentBuffer& document,
                          const CCatalogue& catalogue) {
    PreviewModel model;
    CSilentUserInterface ui(model.report.messages);
    ConversionContent content;
    content.gatherSections = true;
    bool spiralWarning = true;
    // A run that ends before writing draws nothing but says why.
    if (!ReadConversionContent({document, catalogue, ui}, selections, spiralWarning, model.report,
                               content)) {
        AddMessageMarkers(model);
        return model;
    }
    model.vpiOnly = !selections.profile && selections.surface && selections.alignment;
    AddPoints(content.points, model);
    AddPlan(content, model);
    AddProfile(content.verticalControl, model);
    AddSections(content,
                selections.profile && selections.surface &&
                    EqualsNoCase(*selections.surface, kCorridorSurface),
                model);
    AddMarkers(content, model);
    model.report.points.written = static_cast<std::int64_t>(content.points.size());
    return model;
}

namespace {

PreviewTick TickAt(const PreviewElement& element, double station, bool elementEnd) {
    const double along = station - element.startStation;
    if (!element.arc) {
        const double t = element.length > 0 ? along / element.length : 0.0;
        const PreviewXY direction{(element.end.x - element.start.x) / element.length,
                                  (element.end.y - element.start.y) / element.length};
        return {station,
                {element.start.x + (element.end.x - element.start.x) * t,
                 element.start.y + (element.end.y - element.start.y) * t},
                direction,
                elementEnd};
    }
    const double turn = element.sweep < 0 ? -1.0 : 1.0;
    const double angle = element.startAngle + turn * along / element.radius;
    return {station,
            {element.centre.x + element.radius * std::cos(angle),
             element.centre.y + element.radius * std::sin(angle)},
            {-std::sin(angle) * turn, std::cos(angle) * turn},
            elementEnd};
}

}  // namespace

std::vector<PreviewTick> StationTicks(const PreviewModel& model, double interval) {
    std::vector<PreviewTick> ticks;
    // An alignment too long for ticks at the interval gets them ten or a
    // hundred times as far apart.
    double length = 0.0;
    for (const PreviewElement& element : model.elements) {
        length += element.length;
    }
    while (length / interval > kMostTicks && std::isfinite(interval)) {
        interval *= 10;
    }
    for (const PreviewElement& element : model.elements) {
        if (element.length <= 0 || (element.arc && element.radius <= 0)) {
            continue;
        }
        const double end = element.startStation + element.length;
        if (ticks.empty()) {
            ticks.push_back(TickAt(element, element.startStation, true));
        }
        // Far from zero a step of the interval can vanish in rounding.
        for (double station = std::floor(element.startStation / interval + 1) * interval;
             station < end && station + interval > station; station += interval) {
            ticks.push_back(TickAt(element, station, false));
        }
        ticks.push_back(TickAt(element, end, true));
    }
    return ticks;
}

PreviewOffsetElevation ClosingSlopeEnd(const PreviewSection& section,
                                       const PreviewTemplateSide& side, int direction) {
    if (side.points.empty()) {
        return {};
    }
    const PreviewOffsetElevation last = side.points.back();
    double reach = std::abs(last.offset);
    if (!section.pairs.empty()) {
        const PreviewOffsetElevation& outermost =
            direction < 0 ? section.pairs.front() : section.pairs.back();
        const double beyond = direction * outermost.offset - std::abs(last.offset);
        reach = beyond > 0 ? beyond : reach;
    }
    if (reach <= 0 || side.closingRatio <= 0) {
        return last;
    }
    const double rise = reach / side.closingRatio;
    return {last.offset + direction * reach, last.elevation + (side.closingFalls ? -rise : rise)};
}

const PreviewSection* NearestSection(const PreviewModel& model, double station) {
    const auto nearest =
        std::min_element(model.sections.begin(), model.sections.end(),
                         [station](const PreviewSection& a, const PreviewSection& b) {
                             return std::abs(a.station - station) < std::abs(b.station - station);
                         });
    return nearest == model.sections.end() ? nullptr : &*nearest;
}

}  // namespace chainforge
