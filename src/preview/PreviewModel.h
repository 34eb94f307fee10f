// What a conversion would put into the chain file and the point file, as
// geometry to draw: built by a run that writes nothing and asks nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/ConversionReport.h"
#include "convert/RunConversion.h"
#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"

namespace chainforge {

// A plan position: x is the easting, y the northing, so north is up.
struct PreviewXY {
    double x = 0.0;
    double y = 0.0;
};

// A straight or a circular arc of the horizontal control, in chain order.
struct PreviewElement {
    bool arc = false;
    bool fromSpiral = false;  // one of the arcs a spiral was written as
    PreviewXY start;
    PreviewXY end;
    PreviewXY centre;         // arcs only
    double radius = 0.0;      // arcs only
    double startAngle = 0.0;  // arcs: radians from east, counter-clockwise
    double sweep = 0.0;       // arcs: radians, positive counter-clockwise
    double startStation = 0.0;
    double length = 0.0;
};

// A point number of the horizontal control where it stands on the plan.
struct PreviewVertex {
    std::string number;
    PreviewXY at;
    double station = 0.0;
    bool centre = false;  // the centre of an arc, off the chain
};

struct PreviewPoint {
    std::string name;
    PreviewXY at;
    double elevation = 0.0;
};

// One tangent of the vertical control, between the ends of the curves
// around it; grade in percent.
struct PreviewTangent {
    double startStation = 0.0;
    double startElevation = 0.0;
    double endStation = 0.0;
    double endElevation = 0.0;
    double grade = 0.0;
};

struct PreviewStationElevation {
    double station = 0.0;
    double elevation = 0.0;
};

// Offset (negative left of the centreline) and elevation.
struct PreviewOffsetElevation {
    double offset = 0.0;
    double elevation = 0.0;
};

// One side of a template as drawn: from the centreline outward, then the
// closing slope (horizontal per unit of rise) from the last point.
struct PreviewTemplateSide {
    std::vector<PreviewOffsetElevation> points;
    double closingRatio = 0.0;
    bool closingFalls = true;  // the slope falls outward
};

// A cross-section: the templates the chain file applies at its station and
// the section's own pairs that they were made from.
struct PreviewSection {
    double station = 0.0;
    std::optional<double> centreElevation;  // the section's own, when it has one
    PreviewTemplateSide left;
    PreviewTemplateSide right;
    std::vector<PreviewOffsetElevation> pairs;
};

// Something the conversion would tell: a message, an element left out, a
// reference not found or the largest centreline deviation, with its place
// when it has one.
struct PreviewMarker {
    std::string text;
    std::optional<PreviewXY> at;
    std::optional<double> station;
};

struct PreviewModel {
    std::vector<PreviewElement> elements;
    std::vector<PreviewVertex> vertices;
    std::vector<PreviewPoint> points;
    // The vertical control: its vertices, its tangents and the line through
    // it with curves evaluated finely enough to draw smoothly.
    std::vector<PreviewStationElevation> profileVertices;
    std::vector<PreviewTangent> tangents;
    std::vector<PreviewStationElevation> profileLine;
    bool vpiOnly = false;  // the vertical control was built from the sections
    std::vector<PreviewSection> sections;
    std::vector<PreviewMarker> markers;
    ConversionReport report;
};

// The geometry of the conversion that these selections would run. The
// selections' save names, questions and messages are not used: a surface
// without a profile gives a vertical control from the sections.
PreviewModel BuildPreview(const ConversionSelections& selections, CDocumentBuffer& document,
                          const CCatalogue& catalogue);

// A tick across the horizontal control at a station: every interval along
// it and at the end of every element; along is the unit direction of travel.
struct PreviewTick {
    double station = 0.0;
    PreviewXY at;
    PreviewXY along;
    bool elementEnd = false;
};
std::vector<PreviewTick> StationTicks(const PreviewModel& model, double interval = 100.0);

// Where a side's closing slope is drawn to: out to the section's outermost
// pair on that side, or as far again as the side reaches when that pair lies
// no further out. direction is -1 on the left, +1 on the right.
PreviewOffsetElevation ClosingSlopeEnd(const PreviewSection& section,
                                       const PreviewTemplateSide& side, int direction);

// The section shown for a station: the one at the nearest station; nullptr
// when there are no sections.
const PreviewSection* NearestSection(const PreviewModel& model, double station);

}  // namespace chainforge
