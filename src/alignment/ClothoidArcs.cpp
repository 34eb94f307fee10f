#include "alignment/ClothoidArcs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <optional>
#include <system_error>
#include <utility>

namespace chainforge {
namespace {

// Plane vectors multiply and divide as complex numbers do; std::complex's
// multiplication checks for NaN on every call, which the sample loops pay for.
struct Vec {
    double x = 0.0;
    double y = 0.0;
};

Vec operator+(Vec p, Vec q) {
    return {p.x + q.x, p.y + q.y};
}
Vec operator-(Vec p, Vec q) {
    return {p.x - q.x, p.y - q.y};
}
Vec Times(Vec p, Vec q) {
    return {p.x * q.x - p.y * q.y, p.x * q.y + p.y * q.x};
}
// Through the unit vector of q, so that tiny and huge spirals keep their
// digits.
Vec Over(Vec p, Vec q) {
    const double norm = std::hypot(q.x, q.y);
    const Vec unit{q.x / norm, q.y / norm};
    return {(p.x * unit.x + p.y * unit.y) / norm, (p.y * unit.x - p.x * unit.y) / norm};
}
Vec Scaled(Vec p, double f) {
    return {p.x * f, p.y * f};
}
double Dot(Vec p, Vec q) {
    return p.x * q.x + p.y * q.y;
}
double Cross(Vec p, Vec q) {
    return p.x * q.y - p.y * q.x;
}
double Norm(Vec p) {
    return std::hypot(p.x, p.y);
}
Vec ToVec(PlanPoint p) {
    return {p.a, p.b};
}
PlanPoint ToPoint(Vec p) {
    return {p.x, p.y};
}

// Three-point Gauss-Legendre is exact for degree five. Over stretches kept
// to 0.1 rad of turning its error stays near 1e-12 of the stretch's length,
// so a whole spiral comes out far inside 1e-9 of its length.
constexpr double kMaxStepTurn = 0.1;
constexpr double kGaussOffset = 0.7745966692414834;  // sqrt(3/5)
constexpr double kGaussOuterWeight = 5.0 / 18.0;     // halved with the stretch
constexpr double kGaussMiddleWeight = 8.0 / 18.0;
// Bounds the integration work of a single call; real spirals turn a few
// tenths of a radian.
constexpr double kMaxTurning = 1000.0;
constexpr double kMaxSteps = 1e7;

// The shape f of a law, its integral from 0 and the largest slope of f.
double Shape(CurvatureLaw law, double u) {
    switch (law) {
        case CurvatureLaw::Bloss:
            return u * u * (3.0 - 2.0 * u);
        case CurvatureLaw::HalfCosine:
            return 0.5 * (1.0 - std::cos(std::numbers::pi * u));
        case CurvatureLaw::Sinusoid:
            return u - std::sin(2.0 * std::numbers::pi * u) / (2.0 * std::numbers::pi);
        case CurvatureLaw::Linear:
            break;
    }
    return u;
}

double ShapeIntegral(CurvatureLaw law, double u) {
    switch (law) {
        case CurvatureLaw::Bloss:
            return u * u * u * (1.0 - 0.5 * u);
        case CurvatureLaw::HalfCosine:
            return 0.5 * (u - std::sin(std::numbers::pi * u) / std::numbers::pi);
        case CurvatureLaw::Sinusoid: {
            // 1 - cos written through the sine of the half angle, which keeps
            // its digits near u = 0 where the whole integral is tiny.
            const double half = std::sin(std::numbers::pi * u) / std::numbers::pi;
            return 0.5 * (u * u - half * half);
        }
        case CurvatureLaw::Linear:
            break;
    }
    return 0.5 * u * u;
}

double SteepestShape(CurvatureLaw law) {
    switch (law) {
        case CurvatureLaw::Bloss:
            return 1.5;
        case CurvatureLaw::HalfCosine:
            return 0.5 * std::numbers::pi;
        case CurvatureLaw::Sinusoid:
            return 2.0;
        case CurvatureLaw::Linear:
            break;
    }
    return 1.0;
}

// The spiral in its own frame: from the origin along +x, heading
// kappa0 s + (kappa1 - kappa0) length F(s / length) at distance s, F the
// integral of the law's shape, positive to the left. rate is the mean rate of
// change of curvature, (kappa1 - kappa0) / length.
struct LocalSpiral {
    double kappa0 = 0.0;
    double rate = 0.0;
    double length = 1.0;
    CurvatureLaw law = CurvatureLaw::Linear;

    // The clothoid keeps its own closed form, so that its digits do not
    // depend on the other laws.
    double Heading(double s) const {
        if (law == CurvatureLaw::Linear) {
            return s * (kappa0 + 0.5 * rate * s);
        }
        return s * kappa0 + rate * length * length * ShapeIntegral(law, s / length);
    }
    double Curvature(double s) const {
        if (law == CurvatureLaw::Linear) {
            return kappa0 + rate * s;
        }
        return kappa0 + rate * length * Shape(law, s / length);
    }

    // Every law but the linear one bends its curvature within a length of
    // about length / (2 pi); steps a 64th of the length follow that bend.
    double MaxStep() const {
        return law == CurvatureLaw::Linear ? std::numeric_limits<double>::infinity()
                                           : length / 64.0;
    }

    // The chord from distance s0 to s1. The heading's derivatives scale with
    // the curvature, largest in size at one end of the stretch as it is
    // monotone, and with the root of its steepest rate, which rules near a
    // straight.
    Vec Advance(double s0, double s1) const {
        const double pace = std::max(std::fabs(Curvature(s0)), std::fabs(Curvature(s1))) +
                            std::sqrt(std::fabs(rate) * SteepestShape(law));
        const double turn = pace * std::fabs(s1 - s0);
        const double steps =
            std::max(std::ceil(turn / kMaxStepTurn), std::ceil(std::fabs(s1 - s0) / MaxStep()));
        const int count = steps > 1.0 ? static_cast<int>(std::min(steps, kMaxSteps)) : 1;
        const double h = (s1 - s0) / count;
        Vec sum;
        for (int i = 0; i < count; ++i) {
            const double middle = s0 + (i + 0.5) * h;
            const double offset = 0.5 * h * kGaussOffset;
            const double t0 = Heading(middle - offset);
            const double t1 = Heading(middle);
            const double t2 = Heading(middle + offset);
            sum.x += kGaussOuterWeight * (std::cos(t0) + std::cos(t2)) +
                     kGaussMiddleWeight * std::cos(t1);
            sum.y += kGaussOuterWeight * (std::sin(t0) + std::sin(t2)) +
                     kGaussMiddleWeight * std::sin(t1);
        }
        return {sum.x * h, sum.y * h};
    }
};

double CurvatureOf(double radius) {
    return std::isinf(radius) ? 0.0 : 1.0 / std::fabs(radius);
}

// The unit start tangent and the spiral in the frame it sets up.
struct Frame {
    Vec tangent;
    LocalSpiral curve;
};

Frame FrameOf(const TransitionSpiral& spiral) {
    const Vec start = ToVec(spiral.start);
    const Vec towardPi = ToVec(spiral.pi) - start;
    const double norm = Norm(towardPi);
    const Vec tangent{towardPi.x / norm, towardPi.y / norm};
    const double side = Cross(tangent, ToVec(spiral.end) - start) < 0.0 ? -1.0 : 1.0;
    const double kappa0 = CurvatureOf(spiral.radiusStart);
    const double kappa1 = CurvatureOf(spiral.radiusEnd);
    return {tangent,
            {side * kappa0, side * (kappa1 - kappa0) / spiral.length, spiral.length, spiral.law}};
}

// Distance from p to the circle through the origin, u and v, written so that
// nothing cancels when the circle is nearly a line (where it becomes the
// distance to that line). Callers measure in chords of the piece, so that
// the cubes neither underflow nor overflow whatever the spiral's size.
double DistanceToCircle(Vec u, Vec v, Vec p) {
    const double x = Cross(u, v);
    const Vec d{v.y * Dot(u, u) - u.y * Dot(v, v), u.x * Dot(v, v) - v.x * Dot(u, u)};
    const Vec pc{2.0 * x * p.x - d.x, 2.0 * x * p.y - d.y};
    return 2.0 * std::fabs(x * Dot(p, p) - Dot(p, d)) / (Norm(pc) + Norm(d));
}

// The fitted spiral at every eighth of n equal pieces, relative to its
// start, and the largest distance from those points to each piece's arc.
// Not a number when some piece has no circle (coinciding points).
double TryPieces(const LocalSpiral& curve, double length, Vec target, std::size_t n,
                 std::vector<Vec>& samples) {
    const std::size_t count = 8 * n;
    samples.resize(count + 1);
    samples[0] = {};
    double previous = 0.0;
    for (std::size_t j = 1; j <= count; ++j) {
        // Distances from the index, not summed, so the last one is the length.
        const double s = length * (static_cast<double>(j) / static_cast<double>(count));
        samples[j] = samples[j - 1] + curve.Advance(previous, s);
        previous = s;
    }
    const Vec fit = Over(target, samples[count]);
    for (Vec& sample : samples) {
        sample = Times(fit, sample);
    }
    double largest = 0.0;
    for (std::size_t first = 0; first < count; first += 8) {
        const Vec origin = samples[first];
        const double chord = Norm(samples[first + 8] - origin);
        const auto inChords = [&](std::size_t k) {
            return Scaled(samples[first + k] - origin, 1.0 / chord);
        };
        for (const std::size_t k : {1, 2, 3, 5, 6, 7}) {
            const double deviation =
                chord * DistanceToCircle(inChords(4), inChords(8), inChords(k));
            if (std::isnan(deviation)) {
                return deviation;
            }
            largest = std::max(largest, deviation);
        }
    }
    return largest;
}

// The count the 1/n^3 law predicts from a trial of n pieces.
std::size_t PredictedCount(std::size_t n, double deviation, double limit, std::size_t ceiling) {
    const double predicted = std::ceil(static_cast<double>(n) * std::cbrt(deviation / limit));
    return predicted < static_cast<double>(ceiling) ? static_cast<std::size_t>(predicted) : ceiling;
}

// The arc from start to end through the spiral's middle point. The circle
// comes from the three points' offsets from the spiral's start, as survey
// coordinates would cost digits in the differences; start and end are kept
// as given so that neighbouring pieces share them exactly.
ArcPiece PieceThrough(Vec origin, Vec first, Vec middle, Vec last, Vec start, Vec end) {
    const double chord = Norm(last - first);
    const Vec u = Scaled(middle - first, 1.0 / chord);
    const Vec v = Scaled(last - first, 1.0 / chord);
    const double x = Cross(u, v);
    if (!(std::fabs(x) > 1e-12 * Norm(u))) {
        return {
            ToPoint(start), {0.5 * (start.x + end.x), 0.5 * (start.y + end.y)}, ToPoint(end), true};
    }
    const Vec d{v.y * Dot(u, u) - u.y * Dot(v, v), u.x * Dot(v, v) - v.x * Dot(u, u)};
    const Vec centre = origin + (first + Scaled(d, chord / (2.0 * x)));
    return {ToPoint(start), ToPoint(centre), ToPoint(end)};
}

SpiralApproximation FallBack(SpiralApproximation result, std::string reason) {
    result.outcome = SpiralOutcome::FallBack;
    result.reason = std::move(reason);
    return result;
}

// Why the spiral's data cannot be followed at all; nothing when it can.
std::optional<std::string> DataProblem(const TransitionSpiral& spiral, double tolerance) {
    const Vec start = ToVec(spiral.start);
    const Vec target = ToVec(spiral.end) - start;
    const Vec towardPi = ToVec(spiral.pi) - start;
    // Differences too, as coordinates near the largest double overflow in them.
    for (const double value : {start.x, start.y, target.x, target.y, towardPi.x, towardPi.y}) {
        if (!std::isfinite(value)) {
            return "coordinates not finite";
        }
    }
    if (!(Norm(towardPi) > 0.0)) {
        return "start and PI coincide";
    }
    if (!std::isfinite(spiral.length) || !(spiral.length > 0.0)) {
        return "length missing or not positive";
    }
    for (const double radius : {spiral.radiusStart, spiral.radiusEnd}) {
        if (std::isnan(radius) || radius == 0.0) {
            return "radius zero or not a number";
        }
    }
    if (!std::isfinite(tolerance) || !(tolerance > 0.0)) {
        return "tolerance not positive";
    }
    return std::nullopt;
}

// The fewest equal pieces, up to ceiling, whose arcs stay within limit of the
// spiral, found from the 1/n^3 law and bisection; 0 when none do. best gets
// that count's samples, deviation its largest distance.
std::size_t FewestPieces(const LocalSpiral& curve, double length, Vec target, double limit,
                         std::size_t ceiling, std::vector<Vec>& best, double& deviation) {
    // Counts known to fail (at most failing) and to pass (passing, 0 for none).
    std::size_t failing = 0;
    std::size_t passing = 0;
    std::vector<Vec> trial;
    std::size_t n = 1;
    while (n <= ceiling) {
        const double tried = TryPieces(curve, length, target, n, trial);
        if (tried <= limit) {
            passing = n;
            deviation = tried;
            best.swap(trial);
            if (n - 1 <= failing) {
                break;
            }
            n = std::clamp(PredictedCount(n, tried, limit, ceiling), failing + 1, n - 1);
        } else {
            failing = n;
            if (passing == n + 1 || n == ceiling) {
                break;
            }
            n = std::clamp(PredictedCount(n, tried, limit, ceiling), n + 1,
                           passing > 0 ? passing - 1 : ceiling);
        }
    }
    return passing;
}

// One arc per piece of the samples, from the spiral's start to its end as
// the file gives them.
std::vector<ArcPiece> ArcsThrough(const TransitionSpiral& spiral, const std::vector<Vec>& samples,
                                  std::size_t pieces) {
    const Vec start = ToVec(spiral.start);
    std::vector<ArcPiece> arcs;
    arcs.reserve(pieces);
    Vec pieceStart = start;
    for (std::size_t i = 0; i < pieces; ++i) {
        const std::size_t first = 8 * i;
        const Vec pieceEnd = i + 1 < pieces ? start + samples[first + 8] : ToVec(spiral.end);
        arcs.push_back(PieceThrough(start, samples[first], samples[first + 4], samples[first + 8],
                                    pieceStart, pieceEnd));
        pieceStart = pieceEnd;
    }
    return arcs;
}

}  // namespace

PlanPoint SpiralPointAt(const TransitionSpiral& spiral, double s) {
    const Frame frame = FrameOf(spiral);
    return ToPoint(ToVec(spiral.start) + Times(frame.tangent, frame.curve.Advance(0.0, s)));
}

SpiralApproximation ApproximateSpiral(const TransitionSpiral& spiral, double tolerance,
                                      int maxArcs) {
    SpiralApproximation result;
    if (auto problem = DataProblem(spiral, tolerance)) {
        return FallBack(result, std::move(*problem));
    }
    const Frame frame = FrameOf(spiral);
    const LocalSpiral& curve = frame.curve;
    const double turning =
        std::max(std::fabs(curve.kappa0), std::fabs(curve.Curvature(spiral.length))) *
        spiral.length;
    if (!(turning <= kMaxTurning)) {
        return FallBack(result, "spiral turns more than 1000 radians");
    }
    const Vec target = ToVec(spiral.end) - ToVec(spiral.start);
    const Vec computedEnd = curve.Advance(0.0, spiral.length);
    result.endMiss = Norm(Times(frame.tangent, computedEnd) - target);
    // The fit is meant to undo rounding: a miss near the chord's own size
    // would turn it into a different curve.
    if (!(result.endMiss <= std::max(0.01, 10.0 * tolerance)) ||
        !(result.endMiss < 0.5 * Norm(computedEnd))) {
        return FallBack(result, "end does not fit the spiral");
    }
    if (curve.kappa0 == 0.0 && curve.rate == 0.0) {
        result.outcome = SpiralOutcome::Line;
        return result;
    }
    const std::size_t ceiling = maxArcs > 0 ? static_cast<std::size_t>(maxArcs) : 0;
    std::vector<Vec> samples;
    const std::size_t pieces = FewestPieces(curve, spiral.length, target, 0.9 * tolerance, ceiling,
                                            samples, result.largestDeviation);
    if (pieces == 0) {
        result.largestDeviation = 0.0;
        return FallBack(result, "more than " + std::to_string(maxArcs) + " arcs needed");
    }
    result.outcome = SpiralOutcome::Arcs;
    result.arcs = ArcsThrough(spiral, samples, pieces);
    return result;
}

}  // namespace chainforge
