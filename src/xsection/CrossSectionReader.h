#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "landxml/Catalogue.h"
#include "landxml/NumberCheck.h"
#include "landxml/ReadContext.h"
#include "xsection/TemplateList.h"

namespace chainforge {

// What one read met, for the conversion report.
struct SectionReadCounts {
    std::int64_t read = 0;            // sections of the surface taken
    std::int64_t leftPoints = 0;      // points of the left templates kept
    std::int64_t rightPoints = 0;     // and of the right ones
    std::int64_t corridorShapes = 0;  // DesignCrossSectSurf elements not read
    std::int64_t corridorShapesUsed = 0;
    std::int64_t corridorShapesLeftOut = 0;  // not offset and elevation data
    // Corridor sections whose shapes stand relative to the grade line: their
    // centre elevations say nothing of the road's height.
    std::int64_t relativeSections = 0;
    bool cutOff = false;  // the data ended inside CrossSects
    // Profile mode: the largest distance of a section's centre from the
    // profile, and the station of that section.
    double largestDeviation = 0.0;
    double largestDeviationStation = 0.0;
    // Sections, point lists and corridor points left out for a value that is
    // not a number or too large.
    CElementsLeftOut leftOut;
};

// A section of the surface as read: offsets (negative to the left) and
// elevations in file order, and the elevation its centre was found at.
struct SectionPairs {
    double station = 0.0;
    std::optional<double> centreElevation;
    std::vector<std::pair<double, double>> pairs;
};

// What one read made of the sections: the templates, the vertical control
// built from the sections' centre points (empty when a profile's was
// given), the sections themselves when asked for, and what the read met.
struct SectionRead {
    std::string verticalControl;
    TemplateList leftTemplates;
    TemplateList rightTemplates;
    std::vector<SectionPairs> sections;
    SectionReadCounts counts;
};

// Shown instead of writing a vertical control built from corridor sections
// that stand relative to the grade line.
inline constexpr const char* kRelativeSectionsMessage =
    "Error: The corridor's sections are relative to the grade line; choose a profile to "
    "convert them";

// Shown instead of writing a vertical control from sections none of which
// gave a centreline elevation.
inline constexpr const char* kNoCentreElevationMessage =
    "Error: No cross-section of the surface gave a centreline elevation for the vertical "
    "control; choose a profile to convert it";

// Reads the cross-sections of the alignment (nullptr: one the catalogue
// does not list) for the named surface into left and right templates. With
// a profile's vertical control text it evaluates that profile at each
// section; with an empty one it builds the vertical control from the
// sections' centre points (none when no section has one). With gatherSections it keeps every
// section it takes. A CrossSect whose sta, a PntList2D whose offset or elevation, or a CrossSectPnt
// whose offset or elevation is there but is not a number, or is too large, is left out after a
// message naming it and its line. The message that the centreline is off the sections speaks in the
// unit written, writtenPerFileUnit times the file's: its numbers, and the deviation it lets pass.
SectionRead ReadCrossSections(const ReadContext& context, const AlignmentEntry* alignment,
                              const std::string& verticalControl, const std::string& surfaceName,
                              bool gatherSections = false, double writtenPerFileUnit = 1.0);

}  // namespace chainforge
