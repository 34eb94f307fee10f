// The finished surface of a corridor at one station: the top outline of the
// shapes (pavement layers, curbs, links) that make up its cross-section.
#pragma once

#include <vector>

namespace chainforge {

struct SectionPoint {
    double offset = 0.0;
    double elevation = 0.0;
};

// Points in order; each joins the next. A closed shape's last point also
// joins its first; a shape whose last point repeats its first is closed
// whatever the flag says. Points with a non-finite value are passed over, so
// their neighbours join. A shape of fewer than two distinct points has no
// edges and adds nothing to the surface.
struct CorridorShape {
    std::vector<SectionPoint> points;
    bool closed = false;
};

// The upper outline of all shapes' edges, from the smallest offset to the
// largest: at every offset the highest edge there, with a point at each
// edge end and crossing that the outline passes. Where the outline steps
// at one offset it has a point for each height, in the order met going
// right: the height arriving from the left, the top of a vertical edge
// standing above both sides, the height leaving to the right. Across an
// offset range no edge covers the outline runs straight on to the next
// point. A point within 1e-9 in elevation of the line through its
// neighbours is left out, except at an end, beside a step (sharing its
// offset with a neighbour) or within 0.0001 of offset 0. Empty when no shape
// has an edge. Takes time about n log n for n points in all.
std::vector<SectionPoint> FinishedSurface(const std::vector<CorridorShape>& shapes);

}  // namespace chainforge
