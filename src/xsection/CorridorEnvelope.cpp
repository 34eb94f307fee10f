#include "xsection/CorridorEnvelope.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <numeric>
#include <optional>
#include <ranges>
#include <span>

#include "xsection/ToleranceTests.h"

// How the outline is drawn:
// - Edges: each finite point joins the next finite point of its shape, and a
//   closed shape's last point joins its first. An edge whose ends share an
//   offset is vertical: only its top can be on the outline, and only at that
//   offset. An edge whose ends are the same point adds nothing.
// - Ends: the offsets of all edge ends, hidden ones too, sorted, each once.
//   Between two neighbouring ends (a gap) the same edges span the whole gap.
// - At an end, in this order: the highest edge arriving from the left, the
//   top of a vertical edge there when it stands above both sides, the highest
//   edge leaving to the right. A point equal to the one before is not repeated
//   and no point is made where no edge reaches.
// - Within a gap: the edge on top at its start is the highest there, on equal
//   heights the steeper one, on equal slopes the one listed first. The next
//   edge on top is the steeper edge that overtakes it first before the gap's
//   end (one only meeting it at the end does not), on an equal crossing the
//   steeper one, then the one listed first; an edge already level or above at
//   the start (through rounding) takes over there without a point. Each
//   change of edge adds the crossing, its height taken on the edge being left.
// - A gap that no edge spans adds nothing: the outline runs straight on from
//   one end's point to the next.
// - Points in line with their neighbours are dropped afterwards.
//
// The result depends only on which edges can be on top in each gap: an edge
// that stays well below the others throughout a gap can neither be the
// highest at a point nor win a crossing there. Finding those edges for every
// gap keeps the cost near n log n for n points: each edge is filed in the
// nodes of a segment tree over the gaps whose ranges it spans whole (about
// log n of them), the edges of one node form a convex upper hull over its
// range, and an edge is handed to the gaps where it comes within a small
// tolerance of its node's hull. Within a gap an edge takes part in the walk
// from crossing to crossing only over the offsets where it comes that near,
// so a gap that many edges cross costs little more than its crossings.
// Where no gap is spanned by many edges, each gap simply takes all of them.

namespace chainforge {
namespace {

constexpr double kCollinearTolerance = 1e-9;
// The centreline point is where the two sides of a template meet, so it
// stays even where both sides run on in one line.
constexpr double kCentrelineReach = kCommonTolerance;
constexpr double kNone = -std::numeric_limits<double>::infinity();
// How far below its node's hull an edge can still matter, relative to the
// size of the section's coordinates: far beyond rounding in the heights.
constexpr double kRelativeNearness = 1e-8;
// Larger coordinates could overflow in the hulls: then every edge is kept.
constexpr double kLargestPruned = 1e150;
// Where no gap is spanned by more edges than this, every edge is kept in
// every gap it spans: the hulls would cost more than they save.
constexpr std::size_t kFewPerGap = 16;

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

// Every edge end, in the order the edges are listed before sorting, so that
// of equal offsets (0 and -0) the same one is kept whatever the sort does.
std::vector<double> SortedEnds(const Edges& edges) {
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
    return ends;
}

std::size_t EndIndex(const std::vector<double>& ends, double offset) {
    return static_cast<std::size_t>(std::lower_bound(ends.begin(), ends.end(), offset) -
                                    ends.begin());
}

// The highest vertical edge at each end, kNone where there is none.
std::vector<double> VerticalTopsAtEnds(const std::vector<SectionPoint>& tops,
                                       const std::vector<double>& ends) {
    std::vector<double> highest(ends.size(), kNone);
    for (const SectionPoint& top : tops) {
        double& at = highest[EndIndex(ends, top.offset)];
        at = std::max(at, top.elevation);
    }
    return highest;
}

// ---- The segment tree over the gaps ----
// Node 1 is the root, nodes 2k and 2k + 1 are the halves of node k, and node
// `leaves` + g is gap g alone; `leaves` is a power of two.

struct Filing {
    std::size_t node = 0;
    std::size_t edge = 0;
};

// Gaps first to last - 1.
struct GapRange {
    std::size_t first = 0;
    std::size_t last = 0;
};

// The offsets between which an edge may be on top, and the gaps they touch.
struct NearPart {
    std::size_t edge = 0;
    double from = -std::numeric_limits<double>::infinity();
    double to = std::numeric_limits<double>::infinity();
    GapRange gaps;
};

GapRange NodeGaps(std::size_t node, std::size_t leaves) {
    const int depth = std::bit_width(node) - 1;
    const std::size_t width = leaves >> depth;
    const std::size_t first = (node - (std::size_t{1} << depth)) * width;
    return {first, first + width};
}

// `filings` ordered by node, nodes being numbered below `nodes`.
std::vector<Filing> GroupedByNode(const std::vector<Filing>& filings, std::size_t nodes) {
    std::vector<std::size_t> starts(nodes + 1, 0);
    for (const Filing& filing : filings) {
        ++starts[filing.node + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<Filing> grouped(filings.size());
    for (const Filing& filing : filings) {
        grouped[starts[filing.node]++] = filing;
    }
    return grouped;
}

// Each edge in the fewest nodes whose gaps together are the gaps it spans
// (`spans`, those gaps for every edge); ordered by node.
std::vector<Filing> FileEdges(const std::vector<NearPart>& spans, std::size_t leaves) {
    std::vector<Filing> filings;
    for (const NearPart& span : spans) {
        std::size_t low = leaves + span.gaps.first;
        std::size_t high = leaves + span.gaps.last;
        for (; low < high; low /= 2, high /= 2) {
            if (low % 2 == 1) {
                filings.push_back({low++, span.edge});
            }
            if (high % 2 == 1) {
                filings.push_back({--high, span.edge});
            }
        }
    }
    return GroupedByNode(filings, 2 * leaves);
}

// ---- The upper hull of the edges of one node ----

// An edge across a node's offsets as a line over t from 0 (the node's first
// end) to 1 (its last end).
struct NodeLine {
    std::size_t edge = 0;
    double start = 0.0;
    double rise = 0.0;

    double At(double t) const { return start + rise * t; }
};

// Where `steeper` overtakes `lower`.
double Crossing(const NodeLine& lower, const NodeLine& steeper) {
    return (lower.start - steeper.start) / (steeper.rise - lower.rise);
}

// The lines on top somewhere in t from 0 to 1, in order of rise; line k is
// on top from breaks[k] to breaks[k + 1], breaks running from 0 to 1.
struct Hull {
    std::vector<NodeLine> lines;
    std::vector<double> breaks;
};

// The hull of `sorted` (in order of rise, then of start) over all t.
void HullLines(const std::vector<NodeLine>& sorted, std::vector<NodeLine>& lines) {
    lines.clear();
    for (const NodeLine& line : sorted) {
        if (!lines.empty() && lines.back().rise == line.rise) {
            lines.pop_back();
        }
        while (lines.size() >= 2 && Crossing(lines[lines.size() - 2], line) <=
                                        Crossing(lines[lines.size() - 2], lines.back())) {
            lines.pop_back();
        }
        lines.push_back(line);
    }
}

// Fills `hull` with the upper hull of `sorted` (in order of rise, then of
// start) from t = 0 to 1.
void BuildUpperHull(const std::vector<NodeLine>& sorted, Hull& hull) {
    std::vector<NodeLine>& lines = hull.lines;
    HullLines(sorted, lines);
    while (lines.size() >= 2 && Crossing(lines[lines.size() - 2], lines.back()) >= 1.0) {
        lines.pop_back();
    }
    std::size_t first = 0;
    while (first + 1 < lines.size() && Crossing(lines[first], lines[first + 1]) <= 0.0) {
        ++first;
    }
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));
    hull.breaks.assign(1, 0.0);
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const double at = Crossing(lines[k - 1], lines[k]);
        hull.breaks.push_back(std::clamp(at, hull.breaks.back(), 1.0));
    }
    hull.breaks.push_back(1.0);
}

// The hull's height at breaks[k]: the lower of the two lines meeting there,
// so that rounding never lifts the hull above its lines.
double HullHeightAtBreak(const Hull& hull, std::size_t k) {
    const double t = hull.breaks[k];
    if (k == 0) {
        return hull.lines.front().At(t);
    }
    if (k == hull.lines.size()) {
        return hull.lines.back().At(t);
    }
    return std::min(hull.lines[k - 1].At(t), hull.lines[k].At(t));
}

// The first index from `first` to `last` at which `holds` is true, given that
// it stays true from there on; `last` when there is none.
// (A search by halves written out: clang 14 takes no libstdc++ 12 ranges
// over an iota view.)
template <typename Test>
std::size_t FirstHolding(std::size_t first, std::size_t last, Test holds) {
    while (first < last) {
        const std::size_t middle = first + (last - first) / 2;
        if (holds(middle)) {
            last = middle;
        } else {
            first = middle + 1;
        }
    }
    return first;
}

// Where `line` is `tolerance` below hull line `top`, kept within the piece
// from `low` to `high`; `outer` when the two run parallel.
double Reach(const NodeLine& top, const NodeLine& line, double tolerance, double low, double high,
             double outer) {
    const double t = (tolerance - (top.start - line.start)) / (top.rise - line.rise);
    return std::isnan(t) ? outer : std::clamp(t, low, high);
}

// A part of a node's range, as t from 0 to 1.
struct TRange {
    double from = 0.0;
    double to = 1.0;
};

// The part of t from 0 to 1 where `line` comes within `tolerance` of the
// hull; nothing when it stays further below throughout. The hull less the
// line falls while the hull is less steep than the line, then rises, so the
// part is one range about the first break whose piece is at least as steep.
std::optional<TRange> NearRange(const NodeLine& line, const Hull& hull, double tolerance) {
    const auto below = [&](std::size_t k) {
        return HullHeightAtBreak(hull, k) - line.At(hull.breaks[k]) > tolerance;
    };
    const std::size_t pieces = hull.lines.size();
    const std::size_t lowest =
        FirstHolding(0, pieces, [&](std::size_t k) { return hull.lines[k].rise >= line.rise; });
    if (below(lowest)) {
        return std::nullopt;
    }
    const std::size_t firstNear = FirstHolding(0, lowest, std::not_fn(below));
    const std::size_t pastNear = FirstHolding(lowest + 1, pieces + 1, below);
    TRange range;
    if (firstNear > 0) {
        const std::size_t k = firstNear - 1;
        range.from = Reach(hull.lines[k], line, tolerance, hull.breaks[k], hull.breaks[k + 1],
                           hull.breaks[k]);
    }
    if (pastNear <= pieces) {
        const std::size_t k = pastNear - 1;
        range.to = Reach(hull.lines[k], line, tolerance, hull.breaks[k], hull.breaks[k + 1],
                         hull.breaks[k + 1]);
    }
    return range;
}

// ---- The edges that may be on top in each gap ----

// The offsets of `range` within the node, widened beyond rounding; open-ended
// where the range reaches the node's end.
NearPart NearOffsets(std::size_t edge, const TRange& range, const GapRange& node,
                     const std::vector<double>& ends) {
    const double low = ends[node.first];
    const double high = ends[node.last];
    const double slack = kRelativeNearness * (1.0 + std::abs(low) + std::abs(high));
    NearPart part;
    part.edge = edge;
    part.gaps = node;
    if (range.from > 0.0) {
        part.from = std::min(low + range.from * (high - low), high) - slack;
    }
    if (range.to < 1.0) {
        part.to = std::max(low + range.to * (high - low), low) + slack;
    }
    return part;
}

// Narrows `part.gaps` to the gaps that its offsets touch.
void KeepGapsTouched(const std::vector<double>& ends, NearPart& part) {
    const auto first = ends.begin() + static_cast<std::ptrdiff_t>(part.gaps.first);
    const auto last = ends.begin() + static_cast<std::ptrdiff_t>(part.gaps.last);
    // The first gap whose far end is at or past `from`, and the last whose
    // near end is at or before `to`.
    const auto from = std::lower_bound(first + 1, last, part.from);
    const auto to = std::upper_bound(first + 1, last, part.to);
    part.gaps = {static_cast<std::size_t>(from - ends.begin()) - 1,
                 static_cast<std::size_t>(to - ends.begin())};
}

// The lines and hull of one node, kept from node to node to spare allocations.
struct NodeScratch {
    std::vector<NodeLine> lines;
    Hull hull;
};

// Adds, for each edge filed in one node, where it may be on top.
void AddNearParts(std::span<const Filing> filed, const GapRange& node,
                  const std::vector<SlopedEdge>& sloped, const std::vector<double>& ends,
                  double tolerance, NodeScratch& scratch, std::vector<NearPart>& near) {
    std::vector<NodeLine>& lines = scratch.lines;
    lines.clear();
    for (const Filing& filing : filed) {
        const SlopedEdge& edge = sloped[filing.edge];
        const double start = edge.ElevationAt(ends[node.first]);
        lines.push_back({filing.edge, start, edge.ElevationAt(ends[node.last]) - start});
    }
    std::ranges::sort(lines, [](const NodeLine& a, const NodeLine& b) {
        return a.rise < b.rise || (a.rise == b.rise && a.start < b.start);
    });
    BuildUpperHull(lines, scratch.hull);
    for (const NodeLine& line : lines) {
        if (const std::optional<TRange> range = NearRange(line, scratch.hull, tolerance)) {
            near.push_back(NearOffsets(line.edge, *range, node, ends));
            KeepGapsTouched(ends, near.back());
        }
    }
}

// The tolerance of the hulls, infinite (keeping every edge) when the
// coordinates are too large to compare safely.
double NearTolerance(const std::vector<SlopedEdge>& sloped) {
    double size = 1.0;
    for (const SlopedEdge& edge : sloped) {
        for (const SectionPoint& end : {edge.left, edge.right}) {
            size = std::max({size, std::abs(end.offset), std::abs(end.elevation)});
        }
    }
    return size <= kLargestPruned ? kRelativeNearness * size
                                  : std::numeric_limits<double>::infinity();
}

// An edge that may be on top in a gap, between the offsets `from` and `to`.
struct Candidate {
    const SlopedEdge* edge = nullptr;
    double from = 0.0;
    double to = 0.0;
};

// For each gap, the edges spanning it that may be on top there, in the
// order the edges are listed.
class CGapEdges {
  public:
    // `near` in the order the edges are listed.
    CGapEdges(const std::vector<SlopedEdge>& sloped, const std::vector<NearPart>& near,
              std::size_t gapCount);

    std::span<const Candidate> In(std::size_t gap) const {
        return std::span(candidates_).subspan(starts_[gap], starts_[gap + 1] - starts_[gap]);
    }

  private:
    std::vector<std::size_t> starts_;
    std::vector<Candidate> candidates_;
};

CGapEdges::CGapEdges(const std::vector<SlopedEdge>& sloped, const std::vector<NearPart>& near,
                     std::size_t gapCount)
    : starts_(gapCount + 1, 0) {
    for (const NearPart& part : near) {
        for (std::size_t g = part.gaps.first; g < part.gaps.last; ++g) {
            ++starts_[g + 1];
        }
    }
    for (std::size_t g = 0; g < gapCount; ++g) {
        starts_[g + 1] += starts_[g];
    }
    candidates_.resize(starts_.back());
    std::vector<std::size_t> filled(starts_.begin(), starts_.end() - 1);
    for (const NearPart& part : near) {
        for (std::size_t g = part.gaps.first; g < part.gaps.last; ++g) {
            candidates_[filled[g]++] = {&sloped[part.edge], part.from, part.to};
        }
    }
}

// Every edge in every gap it spans, with no hulls.
std::vector<NearPart> WholeSpans(const std::vector<SlopedEdge>& sloped,
                                 const std::vector<double>& ends) {
    std::vector<NearPart> near(sloped.size());
    for (std::size_t e = 0; e < sloped.size(); ++e) {
        near[e].edge = e;
        near[e].gaps = {EndIndex(ends, sloped[e].left.offset),
                        EndIndex(ends, sloped[e].right.offset)};
    }
    return near;
}

// Where each edge may be on top, from the gaps each spans (`spans`); in the
// order the edges are listed.
std::vector<NearPart> NearParts(const std::vector<SlopedEdge>& sloped,
                                const std::vector<double>& ends, const std::vector<NearPart>& spans,
                                double tolerance) {
    const std::size_t gapCount = ends.size() - 1;
    const std::size_t leaves = std::bit_ceil(gapCount);
    const std::vector<Filing> filings = FileEdges(spans, leaves);
    std::vector<NearPart> near;
    near.reserve(filings.size());
    NodeScratch scratch;
    for (auto run = filings.begin(); run != filings.end();) {
        const auto runEnd = std::find_if(
            run, filings.end(), [&](const Filing& filing) { return filing.node != run->node; });
        AddNearParts(std::span(run, runEnd), NodeGaps(run->node, leaves), sloped, ends, tolerance,
                     scratch, near);
        run = runEnd;
    }
    std::ranges::sort(near, {}, &NearPart::edge);
    return near;
}

// The most edges spanning any one gap.
std::size_t MostSpanning(const std::vector<NearPart>& spans, std::size_t gapCount) {
    std::vector<std::ptrdiff_t> change(gapCount + 1, 0);
    for (const NearPart& span : spans) {
        ++change[span.gaps.first];
        --change[span.gaps.last];
    }
    std::partial_sum(change.begin(), change.end(), change.begin());
    return static_cast<std::size_t>(std::ranges::max(change));
}

CGapEdges EdgesByGap(const std::vector<SlopedEdge>& sloped, const std::vector<double>& ends) {
    const std::size_t gapCount = ends.empty() ? 0 : ends.size() - 1;
    const double tolerance = NearTolerance(sloped);
    std::vector<NearPart> near = WholeSpans(sloped, ends);
    if (std::isfinite(tolerance) && MostSpanning(near, gapCount) > kFewPerGap) {
        near = NearParts(sloped, ends, near, tolerance);
    }
    return CGapEdges(sloped, near, gapCount);
}

// ---- Drawing the outline ----

// Drops repeats and non-finite heights; a height of kNone (nothing there)
// thus adds nothing.
void Append(const SectionPoint& point, std::vector<SectionPoint>& outline) {
    if (IsFinite(point) && (outline.empty() || !SamePoint(outline.back(), point))) {
        outline.push_back(point);
    }
}

double HighestAt(double offset, std::span<const Candidate> candidates) {
    double highest = kNone;
    for (const Candidate& candidate : candidates) {
        highest = std::max(highest, candidate.edge->ElevationAt(offset));
    }
    return highest;
}

// Of two edges equal in what is compared, the one listed first wins, as in
// one pass over the edges in the order listed.
bool ListedBefore(const SlopedEdge* a, const SlopedEdge* b) {
    return std::less<>{}(a, b);
}

// The edge on top at `offset`: the highest, then the steeper.
void BidForTop(const SlopedEdge* edge, double offset, const SlopedEdge*& top, double& topHeight) {
    const double height = edge->ElevationAt(offset);
    if (top == nullptr || height > topHeight ||
        (height == topHeight &&
         (edge->slope > top->slope || (edge->slope == top->slope && ListedBefore(edge, top))))) {
        top = edge;
        topHeight = height;
    }
}

// The next edge on top after `current` from `from` on: a steeper edge above
// it at `to` that crosses it first before `to`, then the steeper.
void BidToOvertake(const SlopedEdge* edge, const SlopedEdge& current, double from, double to,
                   const SlopedEdge*& next, double& crossing) {
    if (!(edge->slope > current.slope)) {
        return;
    }
    const double lead = edge->ElevationAt(from) - current.ElevationAt(from);
    const double trail = edge->ElevationAt(to) - current.ElevationAt(to);
    if (!(trail > 0.0)) {
        return;
    }
    // Already level or above at `from` only through rounding: it takes over there.
    const double at = lead >= 0.0 ? from : from + (to - from) * (-lead / (trail - lead));
    if (at < crossing ||
        (at == crossing && next != nullptr &&
         (edge->slope > next->slope || (edge->slope == next->slope && ListedBefore(edge, next))))) {
        crossing = at;
        next = edge;
    }
}

// Adds the crossings where the outline passes from edge to edge strictly
// between two neighbouring edge ends. From the edge on top at the start, the
// next edge on top is the one that overtakes it first; only a steeper edge
// can, so each step climbs in slope and the walk ends after at most one step
// per edge. An edge takes part only from the offset where it may be on top
// (and the edges that may be on top before the next crossing are all taken
// in before it is settled) until the offset where it may be on top no more,
// so each step looks at few edges even where many cross within one gap.
class CGapWalk {
  public:
    void Run(double from, double to, std::span<const Candidate> candidates,
             std::vector<SectionPoint>& outline);

  private:
    void TakeInUpTo(double offset);
    const SlopedEdge* TopAt(double offset);
    const SlopedEdge* Overtaker(const SlopedEdge& current, double from, double to,
                                double& crossing);

    std::vector<Candidate> waiting_;  // in order of `from`
    std::size_t takenIn_ = 0;
    std::vector<Candidate> taking_;
};

void CGapWalk::TakeInUpTo(double offset) {
    for (; takenIn_ < waiting_.size() && waiting_[takenIn_].from <= offset; ++takenIn_) {
        taking_.push_back(waiting_[takenIn_]);
    }
}

const SlopedEdge* CGapWalk::TopAt(double offset) {
    TakeInUpTo(offset);
    const SlopedEdge* top = nullptr;
    double topHeight = kNone;
    for (const Candidate& candidate : taking_) {
        BidForTop(candidate.edge, offset, top, topHeight);
    }
    return top;
}

const SlopedEdge* CGapWalk::Overtaker(const SlopedEdge& current, double from, double to,
                                      double& crossing) {
    std::erase_if(taking_, [from](const Candidate& candidate) { return candidate.to < from; });
    const SlopedEdge* next = nullptr;
    crossing = to;
    for (const Candidate& candidate : taking_) {
        BidToOvertake(candidate.edge, current, from, to, next, crossing);
    }
    for (; takenIn_ < waiting_.size() && waiting_[takenIn_].from <= crossing; ++takenIn_) {
        taking_.push_back(waiting_[takenIn_]);
        BidToOvertake(taking_.back().edge, current, from, to, next, crossing);
    }
    return next;
}

void CGapWalk::Run(double from, double to, std::span<const Candidate> candidates,
                   std::vector<SectionPoint>& outline) {
    waiting_.assign(candidates.begin(), candidates.end());
    std::ranges::sort(waiting_, [](const Candidate& a, const Candidate& b) {
        return a.from < b.from || (a.from == b.from && ListedBefore(a.edge, b.edge));
    });
    takenIn_ = 0;
    taking_.clear();
    const SlopedEdge* current = TopAt(from);
    while (current != nullptr) {
        double crossing = to;
        const SlopedEdge* next = Overtaker(*current, from, to, crossing);
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
    // Crossings come from the walks, and only where the outline changes
    // edge: one beneath the top would lie in line with its neighbours.
    const std::vector<double> ends = SortedEnds(edges);
    const std::vector<double> verticalTops = VerticalTopsAtEnds(edges.verticalTops, ends);
    const CGapEdges gaps = EdgesByGap(edges.sloped, ends);

    std::vector<SectionPoint> outline;
    CGapWalk walk;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const double offset = ends[i];
        const bool gapAfter = i + 1 < ends.size();
        const double fromLeft = i > 0 ? HighestAt(offset, gaps.In(i - 1)) : kNone;
        const double toRight = gapAfter ? HighestAt(offset, gaps.In(i)) : kNone;
        Append({offset, fromLeft}, outline);
        if (verticalTops[i] > std::max(fromLeft, toRight)) {
            Append({offset, verticalTops[i]}, outline);
        }
        Append({offset, toRight}, outline);
        if (gapAfter) {
            walk.Run(offset, ends[i + 1], gaps.In(i), outline);
        }
    }
    return Simplified(outline);
}

}  // namespace chainforge
