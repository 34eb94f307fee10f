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

// The working values of one profile read. `current` receives what each line
// holds; a value missing from a line keeps what the line before left there.
struct ProfileState {
    ProfileState(CUserInterface& ui, std::string_view bytes) : notice(ui, bytes) {}

    Vertex previous;
    Vertex current;
    double curveLength = 0.0;
    bool firstVertex = true;
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

// The curve length the line gives, or the one before when it gives none.
// None, after the message, when it cannot be converted.
std::optional<double> ScanCurveLength(const ProfileLineText& line, ProfileState& state) {
    // Attribute names are taken in any letter case, as producers vary.
    const auto text = AttributeValue(line.text, "length", NameCase::Any);
    if (!text) {
        return state.curveLength;
    }
    const CheckedNumber length = CheckNumber(*text);
    if (length.fault != NumberFault::None) {
        LeaveOut(line, {"length", *text, length.fault}, state);
        return std::nullopt;
    }
    return length.value;
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

void AppendFurtherVertex(ProfileState& state, std::string& verticalControl) {
    if (!HasGradeFromPrevious(state)) {
        return;
    }
    AppendNumber(verticalControl, GradeBetween(state.previous, state.current));
    AppendNumber(verticalControl, state.current.station);
    state.previous = state.current;
    ++state.counts.vertices;
}

// True when the vertex was read.
bool ReadVertexLine(const ProfileLineText& line, ProfileState& state,
                    std::string& verticalControl) {
    const std::optional<Vertex> vertex = ScanVertex(line, state);
    if (!vertex) {
        return false;
    }
    state.current = *vertex;
    if (state.firstVertex) {
        verticalControl.clear();
        OpenWithVertex(state, verticalControl);
    } else {
        AppendFurtherVertex(state, verticalControl);
    }
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
    const double halfLength = 0.5 * state.curveLength;
    AppendNumber(verticalControl, GradeBetween(state.previous, state.current));
    verticalControl += '"';
    AppendNumber(verticalControl, state.current.station - halfLength);
    verticalControl += FormatFiniteG(state.current.station + halfLength, kChainDigits);
    verticalControl += "\" ";
    state.previous = state.current;
    ++state.counts.vertices;
    return true;
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
        // Its curve lengths differ on the two sides, which the vertical
        // control cannot hold; its intersection point keeps the grades true.
        case ProfileLine::UnsymmetricCurve:
            state.counts.unsymmetricAsPvi += ReadVertexLine(line, state, verticalControl) ? 1 : 0;
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
            return {std::move(verticalControl), std::move(state.counts)};
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
    return {std::move(verticalControl), std::move(state.counts)};
}

}  // namespace chainforge
