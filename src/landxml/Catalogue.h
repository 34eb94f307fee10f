// The catalogue of what the load scan found: point groups and alignments,
// each alignment with its profiles and cross-section surfaces, every entry
// with the name the lists show and the byte position where its content
// begins. The readers look names up here and re-read from those positions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "landxml/TextEncoding.h"

namespace chainforge {

// The surface listed for an alignment whose cross-sections are corridor
// shapes: their finished surface.
inline constexpr std::string_view kCorridorSurface = "Corridor Top";

struct PointGroupEntry {
    std::string name;
    std::uint64_t position = 0;
    std::int64_t points = 0;  // CgPoint tags of the group seen by the scan
};

struct ProfileEntry {
    std::string name;
    std::uint64_t position = 0;
    std::string element = "ProfAlign";  // or "ProfSurf": the tag that closes it
};

// The linear unit the file's Units element states: its linearUnit value as
// given, and "metric" or "imperial" after the element that holds it. An empty
// name: the file does not say.
struct LinearUnit {
    std::string name;
    std::string system;

    bool Stated() const { return !name.empty(); }
};

// A StaEquation of an alignment, its attribute texts as given (entities
// decoded); an attribute that is not there is the empty text. The chain file
// does not apply them, so they are only told.
struct StationEquation {
    std::string back;
    std::string ahead;
    std::string internal;
    std::string increment;  // "increasing" or "decreasing" as the file spells it
};

struct AlignmentEntry {
    std::string name;
    std::string stationStart;  // "%.10lg" of the staStart attribute, or "0.0"
    std::uint64_t position = 0;
    std::vector<ProfileEntry> profiles;
    std::vector<std::string> surfaces;
    std::optional<double> length;                   // the length attribute, when it holds a number
    std::vector<StationEquation> stationEquations;  // in order of appearance
    // Line, Curve and Spiral tags of the alignment seen by the scan.
    std::int64_t lines = 0;
    std::int64_t curves = 0;
    std::int64_t spirals = 0;

    int ProfileCount() const { return static_cast<int>(profiles.size()); }
    int SurfaceCount() const { return static_cast<int>(surfaces.size()); }
    // The empty text (position 0) for an index out of range.
    std::string GetProfileName(int index) const;
    std::uint64_t GetProfilePosition(int index) const;
    std::string GetSurfaceName(int index) const;
};

// The display name of a tag: its name attribute, then " - " and its desc
// attribute when that is not empty. Attribute names are taken in any letter
// case (AttributeValue with NameCase::Any); values are read between double or
// single quotes, entities decoded.
// Names of a file in ISO-8859-1 are made UTF-8.
std::string ExtractNameAndDescription(std::string_view tagText,
                                      TextEncoding encoding = TextEncoding::Utf8);

class CCatalogue {
  public:
    void ClearCatalogue();

    // Names stay unique: a repeated name gets a number appended. A group's
    // name comes in UTF-8; the others are read from their tag text.
    void AddPointGroup(std::string name, std::uint64_t position);
    void AddAlignment(std::string_view tagText, std::uint64_t position);
    // Attach to the alignment added last; without one they are dropped.
    void AddProfile(std::string_view tagText, std::uint64_t position);
    void AddCrossSectionSurface(std::string_view tagText, std::uint64_t position);
    // Lists the corridor's finished surface, "Corridor Top", once.
    void AddCorridorSurface();
    // Counts a point of the group added last, and a geometry element of the
    // alignment added last.
    void CountPoint();
    void CountGeometry(std::string_view tagText);
    // Attaches a StaEquation tag's equation to the alignment added last.
    void AddStationEquation(std::string_view tagText);
    // From a Metric or Imperial tag of the Units element; the first that
    // states a linear unit is kept.
    void SetUnit(std::string_view tagText);
    const LinearUnit& Unit() const { return unit_; }
    // Takes back the point group added last (one that held nothing).
    void RemoveLastPointGroup();

    // The file's encoding, as its XML declaration names it: names are listed
    // and looked up in UTF-8, whatever the file's encoding.
    void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }
    TextEncoding Encoding() const { return encoding_; }

    // The element the file ends inside, when it ends before its root element
    // closes; empty for a whole file.
    void SetEndedInside(std::string element) { endedInside_ = std::move(element); }
    const std::string& EndedInside() const { return endedInside_; }

    const std::vector<PointGroupEntry>& PointGroups() const { return pointGroups_; }
    const std::vector<AlignmentEntry>& Alignments() const { return alignments_; }

    // First entry of exactly that name, or nullptr.
    const PointGroupEntry* FindPointGroup(std::string_view name) const;
    const AlignmentEntry* FindAlignment(std::string_view name) const;

  private:
    std::vector<PointGroupEntry> pointGroups_;
    std::vector<AlignmentEntry> alignments_;
    // Names listed so far, so that adding stays fast for any number of entries;
    // profiles and surfaces only for the alignment added last.
    std::unordered_set<std::string> groupNames_;
    std::unordered_set<std::string> alignmentNames_;
    std::unordered_set<std::string> profileNames_;
    std::unordered_set<std::string> surfaceKeys_;  // upper-cased
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::string endedInside_;
    LinearUnit unit_;
};

}  // namespace chainforge
