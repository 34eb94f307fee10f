#include "profile/ProfileReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"
#include "profile/FiniteNumberText.h"
#include "profile/SplitIntoPairs.h"

namespace chainforge {
namespace {

struct Vertex {
    double station = 0.0;
    double elevation = 0.0;
};

// The working values of one profile read. `current` receives what each line
// holds; a value missing from a line keeps what the line before left there.
struct ProfileState {
    Vertex previous;
    Vertex current;
    double curveLength = 0.0;
    bool firstVertex = true;
    ProfileReadCounts counts;
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

// Station then elevation, as a scanf "%lf %lf": reading stops at the first
// value that is not there, and what is not read keeps its value.
void ScanVertex(std::string_view text, Vertex& vertex) {
    const std::size_t used = ReadLeadingDouble(text, vertex.station);
    if (used != 0) {
        ReadLeadingDouble(text.substr(used), vertex.elevation);
    }
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

void ReadVertexLine(std::string_view line, ProfileState& state, std::string& verticalControl) {
    ScanVertex(ElementValues(line), state.current);
    if (state.firstVertex) {
        verticalControl.clear();
        OpenWithVertex(state, verticalControl);
    } else {
        AppendFurtherVertex(state, verticalControl);
    }
}

// A symmetric curve about its intersection point, written as the grade to
// that point and the stations where the curve begins and ends.
// True when the curve was written.
bool ReadCurveLine(std::string_view line, ProfileState& state, std::string& verticalControl) {
    // Attribute names are taken in any letter case, as producers vary.
    if (const auto length = AttributeValue(line, "length", NameCase::Any)) {
        ReadLeadingDouble(*length, state.curveLength);
    }
    ScanVertex(ElementValues(line), state.current);
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

void ReadPointListLine(std::string_view line, ProfileState& state, std::string& verticalControl) {
    std::vector<std::string> pairs;
    SplitIntoPairs(line.substr(std::min<std::size_t>(10, line.size())), pairs);
    for (const std::string& pair : pairs) {
        ScanVertex(pair, state.current);
        if (state.firstVertex) {
            OpenWithVertex(state, verticalControl);
        } else {
            AppendFurtherVertex(state, verticalControl);
        }
    }
}

void ReadProfileLine(ProfileLine kind, std::string_view line, ProfileState& state,
                     std::string& verticalControl) {
    switch (kind) {
        case ProfileLine::Vertex:
            ReadVertexLine(line, state, verticalControl);
            break;
        // Its curve lengths differ on the two sides, which the vertical
        // control cannot hold; its intersection point keeps the grades true.
        case ProfileLine::UnsymmetricCurve:
            ++state.counts.unsymmetricAsPvi;
            ReadVertexLine(line, state, verticalControl);
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
const ProfileEntry* FindProfile(const Catalogue& catalogue, UserInterface& ui,
                                const std::string& alignmentName, const std::string& profileName) {
    const AlignmentEntry* alignment = catalogue.FindAlignment(alignmentName);
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

ProfileReadCounts ReadProfile(CDocumentBuffer& document, const Catalogue& catalogue,
                              UserInterface& ui, const std::string& alignmentName,
                              const std::string& profileName, std::string& verticalControl) {
    const ProfileEntry* profile = FindProfile(catalogue, ui, alignmentName, profileName);
    if (profile == nullptr) {
        return {};
    }
    document.Seek(profile->position);
    ProfileState state;
    std::string line;
    // A profile whose closing tag is missing ends with the data, keeping
    // what was read.
    while (document.ReadLine(line)) {
        const ProfileLine kind = ClassifyProfileLine(line);
        if (kind == ProfileLine::End) {
            return state.counts;
        }
        if (kind != ProfileLine::Other) {
            // Anything after the closing tag on its line is passed over.
            document.ContinueElement(line);
        }
        ReadProfileLine(kind, line, state, verticalControl);
    }
    if (document.EndedInside("ProfAlign") && document.EndedInside("ProfSurf")) {
        state.counts.cutOffInside = profile->element;
    }
    return state.counts;
}

}  // namespace chainforge
