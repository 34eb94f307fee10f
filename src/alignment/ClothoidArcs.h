// Transition spirals of a horizontal alignment as runs of circular arcs, for
// output that knows only straights and arcs. Geometry only: the caller reads
// the spiral from the file and writes what comes back.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace chainforge {

// A position in the plane of the file's two coordinates, kept in the file's
// order (northing easting or otherwise): a and b are a plain Cartesian pair.
struct PlanPoint {
    double a = 0.0;
    double b = 0.0;
};

// How a spiral's curvature runs along its length from k0 = 1/radiusStart to
// k1 = 1/radiusEnd: k0 + (k1 - k0) f(u) at u = s / length. Every f here rises
// from 0 to 1 without falling back, and f(1 - u) = 1 - f(u).
enum class CurvatureLaw {
    Linear,      // clothoid: f = u
    Bloss,       // f = 3u^2 - 2u^3
    HalfCosine,  // f = (1 - cos(pi u)) / 2
    Sinusoid,    // f = u - sin(2 pi u) / (2 pi)
};

// A spiral as a spiral element gives it. It leaves start heading for pi,
// and turns toward the side of the directed line start->pi on which end lies
// (to the left when end lies on that line). Its curvature follows law along
// its length from 1/radiusStart to 1/radiusEnd. An infinite radius is
// curvature 0; a radius's sign is ignored, as the side comes from the points.
struct TransitionSpiral {
    PlanPoint start;
    PlanPoint pi;
    PlanPoint end;
    double length = 0.0;
    double radiusStart = std::numeric_limits<double>::infinity();
    double radiusEnd = std::numeric_limits<double>::infinity();
    CurvatureLaw law = CurvatureLaw::Linear;
};

// One piece of a spiral: the circular arc from start about centre to end,
// turning to the spiral's side. It spans more than half a circle only when
// the spiral turns that far within one piece, as a constant radius may.
// A piece whose three points are collinear to rounding (a radius some 1e11
// times the piece's length, met only with absurd radii) is set straight: it
// is the line from start to end, and centre holds that line's midpoint.
struct ArcPiece {
    PlanPoint start;
    PlanPoint centre;
    PlanPoint end;
    bool straight = false;
};

enum class SpiralOutcome {
    Arcs,      // arcs holds the pieces
    Line,      // both radii infinite (and end fits): the line from start to end
    FallBack,  // no geometry; reason says why
};

struct SpiralApproximation {
    SpiralOutcome outcome = SpiralOutcome::FallBack;
    std::vector<ArcPiece> arcs;     // arcs[0].start is the spiral's start, the last
                                    // end its end, and arcs[i].end == arcs[i+1].start
    double largestDeviation = 0.0;  // of the fitted spiral from the arcs
    double endMiss = 0.0;           // computed end against the given end, before fitting;
                                    // 0 when it falls back before computing it
    std::string reason;             // why it fell back
};

// The point at distance s along the spiral from its start, as computed and
// not fitted to the given end; s outside [0, length] extends the same
// curvature law (its f continued past 0 and 1). Not a number when start and pi coincide.
PlanPoint SpiralPointAt(const TransitionSpiral& spiral, double s);

// The spiral as n arcs of equal length along it, each through the spiral's
// points at the start, middle and end of its piece.
//
// Files round coordinates, so the computed spiral misses the given end by
// a little. It is first rotated and scaled about start so that it ends on the
// given end; the arcs follow that fitted spiral, the first starting exactly
// at start and the last ending exactly at end. A piece passes when the
// spiral's points at every eighth of it lie within 0.9 x tolerance of its
// arc, and n is the smallest count whose pieces all pass.
//
// Finding n costs time linear in n: each trial of a count costs time linear
// in that count, so counts are not tried one by one from 1. The deviation
// falls about as 1/n^3, so after a trial with one arc each next count is the
// one that law predicts from the last trial, kept between the largest count
// seen failing and the smallest seen passing; the search ends when a passing
// count has a failing count right below it. That law is nearly exact beyond a
// few arcs, so three or four trials are the rule (eight for a spiral turning
// 50 rad). The deviation is taken to fall as n grows: n is the smallest count
// above every count tried and failed.
//
// Falls back, with a reason, when a coordinate (or a difference of two) is
// not finite, start and pi coincide, the length is missing or not positive,
// a radius is zero or not a number, the tolerance is not positive, the
// spiral turns more than 1000 radians, the computed end misses the given end
// by more than max(0.01, 10 x tolerance) or by half the computed chord or
// more, or more than maxArcs arcs are needed.
SpiralApproximation ApproximateSpiral(const TransitionSpiral& spiral, double tolerance,
                                      int maxArcs = 10000);

}  // namespace chainforge
