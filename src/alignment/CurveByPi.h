// Circular curves that a file gives only by their PI, radius, turn and the
// directions in and out, turned into the start, centre and end points that
// the chain file holds.
//
// Directions are read as LandXML's azimuths: measured from the first
// coordinate (northing) toward the second (easting), so clockwise from north,
// and a clockwise curve ("rot" cw) turns toward larger directions. Both
// checks a file offers agree with this and not with the mathematical angle
// from east: the line from one PI to the next runs at the directions the
// curves give, and each curve's length is its radius times the turn.
#pragma once

#include <optional>
#include <string_view>

#include "alignment/ClothoidArcs.h"

namespace chainforge {

// Radians in one unit of the directionUnit stated in the document's Units
// element: decimal degrees, radians or grads. None when it states none of
// these, or nothing, since a direction then has no settled size.
std::optional<double> DirectionUnitRadians(std::string_view document);

// A curve's attributes as its opening tag gives them; directions in radians.
struct CurveByPiAttributes {
    bool clockwise = false;
    double radius = 0.0;
    double directionStart = 0.0;
    double directionEnd = 0.0;
    double length = 0.0;
};

// The attributes of the Curve tag, or none when rot is neither cw nor ccw,
// or radius, dirStart, dirEnd or length is missing, not a number or not
// positive where it must be.
std::optional<CurveByPiAttributes> ReadCurveByPiAttributes(std::string_view tag,
                                                           double radiansPerUnit);

// The curve's vertices, in the coordinates' own order.
struct CurveByPiVertices {
    PlanPoint start;
    PlanPoint centre;
    PlanPoint end;
};

// Start and end at the tangent length R tan(turn / 2) back from the PI
// along the direction in and on along the direction out; the centre at R
// from the start on the side the curve turns to. None when the turn is not
// between 0 and a half circle, or the length given differs from R times the
// turn by more than a hundredth of it: then the directions do not say
// which way round the curve goes.
std::optional<CurveByPiVertices> CurveByPiVerticesOf(const CurveByPiAttributes& curve,
                                                     PlanPoint pi);

}  // namespace chainforge
