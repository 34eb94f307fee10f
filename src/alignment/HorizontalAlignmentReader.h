#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "landxml/Catalogue.h"
#include "landxml/NumberCheck.h"
#include "landxml/ReadContext.h"
#include "points/PointList.h"

namespace chainforge {

// True when the two texts' first two numbers ("%lf %lf", 0.0 when missing)
// each differ by at most 0.0001.
bool SamePosition(std::string_view first, std::string_view second);

// How spirals are written: as runs of circular arcs within the tolerance of
// the clothoid, in the file's units, or left out.
struct SpiralOptions {
    bool asArcs = true;
    double tolerance = 0.001;
    int maxArcs = 10000;
};

// A spiral that was not converted, why, its kind (spiType, clothoid when not
// given) and station (staStart) as written, where it starts when its Start
// could be read (northing, easting), and the length of the chord from Start
// to End that stands in for it when both could be read.
struct LeftOutSpiral {
    std::string reason;
    bool located = false;
    double northing = 0.0;
    double easting = 0.0;
    std::string kind;
    std::optional<double> station;
    std::optional<double> chord;
};

// What one read met, for the conversion report.
struct HorizontalReadCounts {
    std::int64_t vertices = 0;     // point numbers in the horizontal control text
    std::int64_t curves = 0;       // circular curves written
    std::int64_t pointsAdded = 0;  // vertex points appended to the point list
    std::vector<LeftOutSpiral> spiralsLeftOut;
    std::int64_t spiralsAsArcs = 0;
    std::int64_t spiralArcs = 0;
    std::vector<std::int64_t> spiralArcCentres;  // the centre point numbers of those arcs
    double largestSpiralDeviation = 0.0;
    std::int64_t irregularLines = 0;
    std::int64_t chains = 0;
    std::int64_t curvesWithoutVertices = 0;  // given only by a PI that could not be computed
    std::unordered_set<std::string> missingReferences;  // point references not found
    bool cutOff = false;                                // the data ended inside the geometry
    // Lines, curves and the alignment itself left out for a value that is not
    // a number or too large (spirals go with spiralsLeftOut).
    CElementsLeftOut leftOut;
};

// What one read made of the geometry: the horizontal control text, the
// point lines of the vertices that stand on none of the points given (they
// follow those points in the list), and what the read met.
struct HorizontalRead {
    std::string horizontalControl;
    PointList addedPoints;
    HorizontalReadCounts counts;
};

// Reads the coordinate geometry of the alignment (nullptr: one the catalogue
// does not list) into a horizontal control text; a vertex takes the number
// of the point of points it stands on. A Line, Curve or Spiral with a
// coordinate, length or radius that is not a number or is too large is left
// out after a message naming the element and its line; an alignment whose
// staStart is such is left out whole. spiralWarning is the caller's flag:
// the spiral message is shown while it is set, and showing it clears it.
HorizontalRead ReadHorizontalAlignment(const ReadContext& context, const AlignmentEntry* alignment,
                                       const PointList& points, bool& spiralWarning,
                                       const SpiralOptions& spirals = {});

}  // namespace chainforge
