#include "profile/ProfileReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "landxml/NumberCheck.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"
#include "profile/FiniteNumberText.h"

namespace chainforge {
namespace {

constexpr std::array<std::string_view, 2> kVertexNames{"station", "elevation"};

struct Vertex {
    double station = 0.0;
    double elevation = 0.0;
};

// An unsymmetric parabola at its intersection point, with the grade (percent)
// that leads to it.
struct UnsymmetricCurve {
    Vertex intersection;
    double lengthIn = 0.0;
    double lengthOut = 0.0;
    double gradeIn = 0.0;
};

// The working values of one profile read. `current` receives what each line
// holds; a value missing from a line keeps what the line before left there.
struct ProfileState {
    ProfileState(CUserInterface& ui, std::string_view bytes) : notice(ui, bytes) {}

    Vertex previous;
    Vertex current;
    double curveLength = 0.0;
    bool firstVertex = true;
    // Set from an unsymmetric curve's line until the vertex after it gives
    // its grade out; `previous` is then its intersection point.
    std::optional<UnsymmetricCurve> unsymmetric;
    ProfileReadCounts counts;
    CBadNumberNotice notice;
};

// A line of the profile, and where it ends in the file.
struct ProfileLineText {
    std::string_view text;
    std::uint64_t position = 0;
};

enum class ProfileLine {
    End,
    Vertex,
    ParabolicCurve,
    CircularCurve,
    UnsymmetricCurve,
    PointList,
    Other
};

// "PVI" in any case followed by ">" or white space: producers write
// attributes on it (<PVI desc="...">).
bool IsVertexLine(std::string_view line) {
    return line.size() > 3 && StartsWithNoCase(line, "PVI") &&
           (line[3] == '>' || IsScanSpace(line[3]));
}

ProfileLine ClassifyProfileLine(std::string_view line) {
    if (StartsWithNoCase(line, "/ProfAlign") || StartsWithNoCase(line, "/ProfSurf")) {
        return ProfileLine::End;
    }
    if (IsVertexLine(line)) {
        return ProfileLine::Vertex;
    }
    if (StartsWithNoCase(line, "Paracurve")) {
        return ProfileLine::ParabolicCurve;
    }
    if (StartsWithNoCase(line, "CircCurve")) {
        return ProfileLine::CircularCurve;
    }
    if (StartsWithNoCase(line, "UnsymParaCurve")) {
        return ProfileLine::UnsymmetricCurve;
    }
    if (StartsWithNoCase(line, "PntList2D")) {
        return ProfileLine::PointList;
    }
    return ProfileLine::Other;
}

// The element's text: what follows the first ">" of the line.
std::string_view ElementValues(std::string_view line) {
    const std::size_t close = line.find('>');
    return close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
}

// Leaves out the element of the line, after the message.
void LeaveOut(const ProfileLineText& line, const BadValue& bad, ProfileState& state) {
    state.notice.Tell(line.text, line.position, bad);
    state.counts.leftOut.Add(TagName(line.text));
}

// Station then elevation of the element's text: a value that is not there
// keeps what the current vertex holds. None, after the message, when one
// cannot be converted.
std::optional<Vertex> ScanVertex(const ProfileLineText& line, ProfileState& state) {
    std::vector<double> values;
    const auto bad = CheckValues(ValueTokens(ElementValues(line.text), 2), kVertexNames, values);
    if (bad) {
        LeaveOut(line, *bad, state);
        return std::nullopt;
    }
    Vertex vertex = state.current;
    if (!values.empty()) {
        vertex.station = values[0];
    }
    if (values.size() > 1) {
        vertex.elevation = values[1];
    }
    return vertex;
}

// The length attribute `name` of the line, or `absent` when it has none.
// None, after the message, when it cannot be converted.
std::optional<double> ScanLength(const ProfileLineText& line, std::string_view name, double absent,
                                 ProfileState& state) {
    // Attribute names are taken in any letter case, as producers vary.
    const auto text = AttributeValue(line.text, name, NameCase::Any);
    if (!text) {
        return absent;
    }
    const CheckedNumber length = CheckNumber(*text);
    if (length.fault != NumberFault::None) {
        LeaveOut(line, {name, *text, length.fault}, state);
        return std::nullopt;
    }
    return length.value;
}

// A curve without a length keeps the one before.
std::optional<double> ScanCurveLength(const ProfileLineText& line, ProfileState& state) {
    return ScanLength(line, "length", state.curveLength, state);
}

// The incoming and outgoing lengths of an unsymmetric curve; one not given
// is 0, which leaves the curve at its intersection point.
std::optional<UnsymmetricCurve> ScanUnsymmetricLengths(const ProfileLineText& line,
                                                       ProfileState& state) {
    const std::optional<double> lengthIn = ScanLength(line, "lengthIn", 0.0, state);
    if (!lengthIn) {
        return std::nullopt;
    }
    const std::optional<double> lengthOut = ScanLength(line, "lengthOut", 0.0, state);
    if (!lengthOut) {
        return std::nullopt;
    }
    UnsymmetricCurve curve;
    curve.lengthIn = *lengthIn;
    curve.lengthOut = *lengthOut;
    return curve;
}

double GradeBetween(const Vertex& from, const Vertex& to) {
    return (to.elevation - from.elevation) * 100 / (to.station - from.station);
}

void AppendNumber(std::string& text, double value) {
    text += FormatFiniteG(value, kChainDigits);
    text += ' ';
}

void OpenWithVertex(ProfileState& state, std::string& verticalControl) {
    state.previous = state.current;
    state.firstVertex = false;
    ++state.counts.vertices;
    AppendNumber(verticalControl, state.current.station);
    AppendNumber(verticalControl, state.current.elevation);
}

// A vertex at the station of the previous one has no grade leading to it;
// it is passed over and the grade runs on to the next vertex.
bool HasGradeFromPrevious(const ProfileState& state) {
    return state.current.station != state.previous.station;
}

Vertex AlongGrade(const Vertex& from, double grade, double distance) {
    return {from.station + distance, from.elevation + grade / 100 * distance};
}

// The grade, then a symmetric curve of that length about the station: where
// it begins and ends, in double quotes.
void AppendCurve(std::string& text, double grade, double station, double length) {
    AppendNumber(text, grade);
    text += '"';
    AppendNumber(text, station - 0.5 * length);
    text += FormatFiniteG(station + 0.5 * length, kChainDigits);
    text += "\" ";
}

// The vertical control holds symmetric curves only. Two parabolas of the
// incoming and outgoing lengths, about points half their lengths before and
// after the intersection point on the grade lines, are the unsymmetric
// curve: each touches its grade line where the curve does, and the line
// between them touches both above the intersection point, where the
// unsymmetric curve's two parts meet with a common grade.
void WriteUnsymmetricCurve(ProfileState& state, std::string& verticalControl, double gradeOut) {
    const UnsymmetricCurve& curve = *state.unsymmetric;
    const Vertex in = AlongGrade(curve.intersection, curve.gradeIn, -0.5 * curve.lengthIn);
    const Vertex out = AlongGrade(curve.intersection, gradeOut, 0.5 * curve.lengthOut);
    AppendCurve(verticalControl, curve.gradeIn, in.station, curve.lengthIn);
    AppendCurve(verticalControl, GradeBetween(in, out), out.station, curve.lengthOut);
    state.counts.vertices += 2;
    ++state.counts.parabolic;
    state.unsymmetric.reset();
}

// The grade from the previous vertex to the current one. An unsymmetric
// curve that waited for its grade out is written first; the grade stays
// the one from its intersection point, as the second parabola's point lies
// on that grade line.
double GradeToCurrent(ProfileState& state, std::string& verticalControl) {
    const double grade = GradeBetween(state.previous, state.current);
    if (state.unsymmetric) {
        WriteUnsymmetricCurve(state, verticalControl, grade);
    }
    return grade;
}

// With no vertex after it, an unsymmetric curve has no grade out: its
// intersection point ends the profile.
void EndUnsymmetricAtIntersection(ProfileState& state, std::string& verticalControl) {
    if (!state.unsymmetric) {
        return;
    }
    AppendNumber(verticalControl, state.unsymmetric->gradeIn);
    AppendNumber(verticalControl, state.unsymmetric->intersection.station);
    ++state.counts.vertices;
    ++state.counts.unsymmetricAsPvi;
    state.unsymmetric.reset();
}

void AppendFurtherVertex(ProfileState& state, std::string& verticalControl) {
    if (!HasGradeFromPrevious(state)) {
        return;
    }
    AppendNumber(verticalControl, GradeToCurrent(state, verticalControl));
    AppendNumber(verticalControl, state.current.station);
    state.previous = state.current;
    ++state.counts.vertices;
}

// The current vertex; the first replaces whatever was written before it.
void WriteVertex(ProfileState& state, std::string& verticalControl) {
    if (state.firstVertex) {
        verticalControl.clear();
        OpenWithVertex(state, verticalControl);
    } else {
        AppendFurtherVertex(state, verticalControl);
    }
}

// True when the vertex was read.
bool ReadVertexLine(const ProfileLineText& line, ProfileState& state,
                    std::string& verticalControl) {
    const std::optional<Vertex> vertex = ScanVertex(line, state);
    if (!vertex) {
        return false;
    }
    state.current = *vertex;
    WriteVertex(state, verticalControl);
    return true;
}

// A symmetric curve about its intersection point, written as the grade to
// that point and the stations where the curve begins and ends.
// True when the curve was written.
bool ReadCurveLine(const ProfileLineText& line, ProfileState& state, std::string& verticalControl) {
    const std::optional<double> length = ScanCurveLength(line, state);
    const std::optional<Vertex> vertex = length ? ScanVertex(line, state) : std::nullopt;
    if (!vertex) {
        return false;
    }
    state.curveLength = *length;
    state.current = *vertex;
    if (!HasGradeFromPrevious(state)) {
        return false;
    }
    AppendCurve(verticalControl, GradeToCurrent(state, verticalControl), state.current.station,
                state.curveLength);
    state.previous = state.current;
    ++state.counts.vertices;
    return true;
}

// An unsymmetric curve needs a grade in, and both lengths, to be written as
// parabolas.
bool HasUnsymmetricParts(const ProfileState& state, const UnsymmetricCurve& curve) {
    return !state.firstVertex && curve.lengthIn > 0 && curve.lengthOut > 0 &&
           HasGradeFromPrevious(state);
}

// Its parabolas wait for the next vertex, which gives the grade out.
void ReadUnsymmetricLine(const ProfileLineText& line, ProfileState& state,
                         std::string& verticalControl) {
    std::optional<UnsymmetricCurve> curve = ScanUnsymmetricLengths(line, state);
    const std::optional<Vertex> vertex = curve ? ScanVertex(line, state) : std::nullopt;
    if (!vertex) {
        return;
    }
    state.current = *vertex;
    if (!HasUnsymmetricParts(state, *curve)) {
        WriteVertex(state, verticalControl);
        ++state.counts.unsymmetricAsPvi;
        return;
    }
    curve->gradeIn = GradeToCurrent(state, verticalControl);
    curve->intersection = state.current;
    state.unsymmetric = curve;
    state.previous = state.current;
}

// Station and elevation pairs; a lone last value is passed over. The list is
// left out whole when one of its values cannot be converted.
void ReadPointListLine(const ProfileLineText& line, ProfileState& state,
                       std::string& verticalControl) {
    std::vector<std::string_view> tokens = ValueTokens(ElementValues(line.text));
    tokens.resize(tokens.size() - tokens.size() % 2);
    std::vector<double> values;
    if (const auto bad = CheckValues(tokens, kVertexNames, values)) {
        LeaveOut(line, *bad, state);
        return;
    }
    for (std::size_t i = 0; i < values.size(); i += 2) {
        state.current = {values[i], values[i + 1]};
        if (state.firstVertex) {
            OpenWithVertex(state, verticalControl);
        } else {
            AppendFurtherVertex(state, verticalControl);
        }
    }
}

void ReadProfileLine(ProfileLine kind, const ProfileLineText& line, ProfileState& state,
                     std::string& verticalControl) {
    switch (kind) {
        case ProfileLine::Vertex:
            ReadVertexLine(line, state, verticalControl);
            break;
        case ProfileLine::UnsymmetricCurve:
            ReadUnsymmetricLine(line, state, verticalControl);
            break;
        case ProfileLine::ParabolicCurve:
            state.counts.parabolic += ReadCurveLine(line, state, verticalControl) ? 1 : 0;
            break;
        // Written as the parabola of the same length: the radius cannot be
        // held, and dropping the curve would lose its intersection point.
        case ProfileLine::CircularCurve:
            state.counts.circular += ReadCurveLine(line, state, verticalControl) ? 1 : 0;
            break;
        case ProfileLine::PointList:
            ReadPointListLine(line, state, verticalControl);
            break;
        case ProfileLine::End:
        case ProfileLine::Other:
            break;
    }
}

ProfileRead Finished(ProfileState& state, std::string& verticalControl) {
    EndUnsymmetricAtIntersection(state, verticalControl);
    return {std::move(verticalControl), std::move(state.counts)};
}

// The profile's catalogue entry, or nothing after telling the user.
const ProfileEntry* FindProfile(CUserInterface& ui, const AlignmentEntry* alignment,
                                const std::string& profileName) {
    if (alignment == nullptr) {
        ui.ShowMessage("Error: Alignment Cannot be found");
        return nullptr;
    }
    for (const ProfileEntry& profile : alignment->profiles) {
        if (profile.name == profileName) {
            return &profile;
        }
    }
    ui.ShowMessage("Error: Profile Cannot be found");
    return nullptr;
}

}  // namespace

ProfileRead ReadProfile(const ReadContext& context, const AlignmentEntry* alignment,
                        const std::string& profileName) {
    const ProfileEntry* profile = FindProfile(context.ui, alignment, profileName);
    if (profile == nullptr) {
        return {};
    }
    CDocumentBuffer& document = context.document;
    document.Seek(profile->position);
    ProfileState state(context.ui, document.Bytes());
    std::string verticalControl;
    std::string line;
    // A profile whose closing tag is missing ends with the data, keeping
    // what was read.
    while (document.ReadLine(line)) {
        const std::uint64_t lineEnd = document.Position() - 1;
        const ProfileLine kind = ClassifyProfileLine(line);
        if (kind == ProfileLine::End) {
            return Finished(state, verticalControl);
        }
        if (kind != ProfileLine::Other) {
            // Anything after the closing tag on its line is passed over.
            document.ContinueElement(line);
        }
        ReadProfileLine(kind, {line, lineEnd}, state, verticalControl);
    }
    if (document.EndedInside("ProfAlign") && document.EndedInside("ProfSurf")) {
        state.counts.cutOffInside = profile->element;
    }
    return Finished(state, verticalControl);
}

}  // namespace chainforge
