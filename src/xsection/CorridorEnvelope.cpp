#include "xsection/CorridorEnvelope.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "xsection/ToleranceTests.h"

namespace chainforge {
namespace {

constexpr double kCollinearTolerance = 1e-9;
// The centreline point is where the two sides of a template meet, so it
// stays even where both sides run on in one line.
constexpr double kCentrelineReach = kCommonTolerance;
constexpr double kNone = -std::numeric_limits<double>::infinity();

bool IsFinite(const SectionPoint& point) {
    return std::isfinite(point.offset) && std::isfinite(point.elevation);
}

bool SamePoint(const SectionPoint& a, const SectionPoint& b) {
    return a.offset == b.offset && a.elevation == b.elevation;
}

// An edge that is not vertical, its ends ordered by offset.
struct SlopedEdge {
    SectionPoint left;
    SectionPoint right;
    double slope = 0.0;

    // Weighted so that each end gives back its own elevation exactly; the
    // outline then meets shapes that share a point at that very point.
    double ElevationAt(double offset) const {
        const double t = (offset - left.offset) / (right.offset - left.offset);
        return left.elevation * (1.0 - t) + right.elevation * t;
    }
};

struct Edges {
    std::vector<SlopedEdge> sloped;
    // Only the top of a vertical edge can be on the outline.
    std::vector<SectionPoint> verticalTops;
};

void AddEdge(const SectionPoint& a, const SectionPoint& b, Edges& edges) {
    if (a.offset == b.offset) {
        if (a.elevation != b.elevation) {
            edges.verticalTops.push_back({a.offset, std::max(a.elevation, b.elevation)});
        }
        return;
    }
    SlopedEdge edge = a.offset < b.offset ? SlopedEdge{a, b} : SlopedEdge{b, a};
    edge.slope =
        (edge.right.elevation - edge.left.elevation) / (edge.right.offset - edge.left.offset);
    edges.sloped.push_back(edge);
}

Edges CollectEdges(const std::vector<CorridorShape>& shapes) {
    Edges edges;
    for (const CorridorShape& shape : shapes) {
        const SectionPoint* first = nullptr;
        const SectionPoint* previous = nullptr;
        for (const SectionPoint& point : shape.points) {
            if (!IsFinite(point)) {
                continue;
            }
            if (previous != nullptr) {
                AddEdge(*previous, point, edges);
            } else {
                first = &point;
            }
            previous = &point;
        }
        if (shape.closed && first != nullptr) {
            AddEdge(*previous, *first, edges);
        }
    }
    return edges;
}

// Drops repeats and non-finite heights; a height of kNone (nothing there)
// thus adds nothing.
void Append(const SectionPoint& point, std::vector<SectionPoint>& outline) {
    if (IsFinite(point) && (outline.empty() || !SamePoint(outline.back(), point))) {
        outline.push_back(point);
    }
}

// Adds the crossings where the outline passes from edge to edge strictly
// between two neighbouring edge ends, `spanning` holding the edges that run
// across that whole range. From the edge on top at `from`, the next edge on
// top is the one that overtakes it first; only a steeper edge can, so each
// step climbs in slope and the walk ends after at most one step per edge.
void WalkBetweenEnds(double from, double to, const std::vector<const SlopedEdge*>& spanning,
                     std::vector<SectionPoint>& outline) {
    const SlopedEdge* current = nullptr;
    double currentHeight = kNone;
    for (const SlopedEdge* edge : spanning) {
        const double height = edge->ElevationAt(from);
        if (current == nullptr || height > currentHeight ||
            (height == currentHeight && edge->slope > current->slope)) {
            current = edge;
            currentHeight = height;
        }
    }
    while (current != nullptr) {
        const SlopedEdge* next = nullptr;
        double crossing = to;
        for (const SlopedEdge* edge : spanning) {
            if (!(edge->slope > current->slope)) {
                continue;
            }
            const double lead = edge->ElevationAt(from) - current->ElevationAt(from);
            const double trail = edge->ElevationAt(to) - current->ElevationAt(to);
            if (!(trail > 0.0)) {
                continue;
            }
            // Already level or above at `from` only through rounding: it takes over there.
            const double at = lead >= 0.0 ? from : from + (to - from) * (-lead / (trail - lead));
            if (at < crossing || (at == crossing && next != nullptr && edge->slope > next->slope)) {
                crossing = at;
                next = edge;
            }
        }
        if (next != nullptr && crossing > from) {
            Append({crossing, current->ElevationAt(crossing)}, outline);
            from = crossing;
        }
        current = next;
    }
}

// A step has no vertical distance to a line through points of its own
// offset, so a point sharing its offset with a neighbour always stays.
bool OnLineOfNeighbours(const SectionPoint& before, const SectionPoint& point,
                        const SectionPoint& after) {
    if (NearlyEqual(point.offset, 0.0, kCentrelineReach) ||
        !(before.offset < point.offset && point.offset < after.offset)) {
        return false;
    }
    const double t = (point.offset - before.offset) / (after.offset - before.offset);
    const double line = before.elevation * (1.0 - t) + after.elevation * t;
    return std::abs(point.elevation - line) <= kCollinearTolerance;
}

// One pass from left to right: whenever a point is added, the kept points
// before it are tested again against their new right neighbour, so no
// point that remains could still be dropped.
std::vector<SectionPoint> Simplified(const std::vector<SectionPoint>& outline) {
    std::vector<SectionPoint> kept;
    kept.reserve(outline.size());
    for (const SectionPoint& point : outline) {
        while (kept.size() >= 2 && OnLineOfNeighbours(kept[kept.size() - 2], kept.back(), point)) {
            kept.pop_back();
        }
        kept.push_back(point);
    }
    return kept;
}

}  // namespace

std::vector<SectionPoint> FinishedSurface(const std::vector<CorridorShape>& shapes) {
    const Edges edges = CollectEdges(shapes);

    // Every edge end, hidden ones too, so that an end at the centreline keeps
    // its point. Crossings come from the walks, and only where the outline
    // changes edge: one beneath the top would lie in line with its neighbours.
    std::vector<double> ends;
    ends.reserve(2 * edges.sloped.size() + edges.verticalTops.size());
    for (const SlopedEdge& edge : edges.sloped) {
        ends.push_back(edge.left.offset);
        ends.push_back(edge.right.offset);
    }
    for (const SectionPoint& top : edges.verticalTops) {
        ends.push_back(top.offset);
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());

    std::vector<SectionPoint> outline;
    std::vector<const SlopedEdge*> spanning;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const double offset = ends[i];
        double fromLeft = kNone;
        double toRight = kNone;
        double top = kNone;
        spanning.clear();
        for (const SlopedEdge& edge : edges.sloped) {
            if (edge.left.offset < offset && offset <= edge.right.offset) {
                fromLeft = std::max(fromLeft, edge.ElevationAt(offset));
            }
            if (edge.left.offset <= offset && offset < edge.right.offset) {
                toRight = std::max(toRight, edge.ElevationAt(offset));
                spanning.push_back(&edge);
            }
        }
        for (const SectionPoint& vertical : edges.verticalTops) {
            if (vertical.offset == offset) {
                top = std::max(top, vertical.elevation);
            }
        }
        Append({offset, fromLeft}, outline);
        if (top > std::max(fromLeft, toRight)) {
            Append({offset, top}, outline);
        }
        Append({offset, toRight}, outline);
        if (i + 1 < ends.size()) {
            WalkBetweenEnds(offset, ends[i + 1], spanning, outline);
        }
    }
    return Simplified(outline);
}

}  // namespace chainforge
