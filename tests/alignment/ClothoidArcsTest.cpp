#include "alignment/ClothoidArcs.h"

#include <gtest/gtest.h>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

PlanPoint operator-(PlanPoint p, PlanPoint q) {
    return {p.a - q.a, p.b - q.b};
}
double Norm(PlanPoint p) {
    return std::hypot(p.a, p.b);
}

// The clothoid from a straight with A^2 = a2, by the Fresnel series of
// the integral of exp(i s^2 / (2 A^2)): along the tangent and to the left.
PlanPoint Fresnel(double s, double a2) {
    PlanPoint sum;
    double term = s;  // s^(2k+1) / (k! (2 A^2)^k)
    for (int k = 0; k < 40; ++k) {
        const double add = (k % 4 < 2 ? 1.0 : -1.0) * term / (2 * k + 1);
        (k % 2 == 0 ? sum.a : sum.b) += add;
        term *= s * s / ((k + 1) * 2.0 * a2);
    }
    return sum;
}

// A spiral taken from the stretch [s0, s1] of that clothoid, laid from
// start along heading and turning to side (+1 left, -1 right).
struct Case {
    double a2, s0, s1, side;
    PlanPoint start;
    double heading, tolerance;

    double Length() const { return s1 - s0; }
    // Offset from start of the point at distance s along the spiral.
    PlanPoint At(double s) const {
        const PlanPoint d = Fresnel(s0 + s, a2) - Fresnel(s0, a2);
        const double back = s0 * s0 / (2.0 * a2);  // the clothoid's heading at s0
        const double along = d.a * std::cos(back) + d.b * std::sin(back);
        const double across = side * (d.b * std::cos(back) - d.a * std::sin(back));
        return {along * std::cos(heading) - across * std::sin(heading),
                along * std::sin(heading) + across * std::cos(heading)};
    }
    TransitionSpiral Spiral() const {
        const PlanPoint end = At(Length());
        return {start,
                {start.a + 40.0 * std::cos(heading), start.b + 40.0 * std::sin(heading)},
                {start.a + end.a, start.b + end.b},
                Length(),
                s0 == 0.0 ? kInf : a2 / s0,
                a2 / s1,
                CurvatureLaw::Linear};
    }
    // Largest distance from the clothoid at the eighths of n pieces to the
    // circles through each piece's ends and middle.
    double WorstDeviation(int n) const {
        const double h = Length() / n;
        double worst = 0.0;
        for (int i = 0; i < n; ++i) {
            const PlanPoint p = At(i * h), u = At((i + 0.5) * h) - p, v = At((i + 1) * h) - p;
            const double x = 2.0 * (u.a * v.b - u.b * v.a), uu = Norm(u) * Norm(u),
                         vv = Norm(v) * Norm(v);
            const PlanPoint centre{p.a + (v.b * uu - u.b * vv) / x,
                                   p.b + (u.a * vv - v.a * uu) / x};
            for (int k = 1; k < 8; ++k) {
                worst = std::max(
                    worst, std::fabs(Norm(At((i + k / 8.0) * h) - centre) - Norm(p - centre)));
            }
        }
        return worst;
    }
};

TEST(ClothoidArcs, FollowsTheClothoidWithTheFewestArcs) {
    const Case cases[] = {
        {200.0 * 100.0, 0.0, 100.0, 1.0, {0.0, 0.0}, 0.0, 0.001},   // straight into left
        {200.0 * 100.0, 0.0, 100.0, -1.0, {0.0, 0.0}, 0.0, 0.001},  // mirrored, right
        {150.0 * 80.0, 0.0, 80.0, -1.0, {6783020.064, 21530.426}, 0.9273, 0.0005},
        {30000.0, 60.0, 150.0, 1.0, {-50.0, 120.0}, 2.5, 0.002},  // compound, 500 into 200
        // Turns 2.5 rad: the 1/n^3 law overshoots from one arc.
        {20.0 * 100.0, 0.0, 100.0, 1.0, {100.0, -200.0}, -1.0, 0.001},
    };
    for (const Case& c : cases) {
        const TransitionSpiral spiral = c.Spiral();
        for (const double s : {c.Length() / 3.0, c.Length()}) {
            EXPECT_LT(Norm(SpiralPointAt(spiral, s) - c.start - c.At(s)), 1e-6) << s;
        }
        const SpiralApproximation result = ApproximateSpiral(spiral, c.tolerance);
        ASSERT_EQ(result.outcome, SpiralOutcome::Arcs) << result.reason;
        const int n = static_cast<int>(result.arcs.size());
        const double h = c.Length() / n;
        EXPECT_LE(c.WorstDeviation(n), 0.9 * c.tolerance);
        EXPECT_NEAR(result.largestDeviation, c.WorstDeviation(n), 1e-7);
        EXPECT_TRUE(n == 1 || c.WorstDeviation(n - 1) > 0.9 * c.tolerance) << n;
        EXPECT_EQ(Norm(result.arcs.front().start - spiral.start), 0.0);
        for (int i = 0; i < n; ++i) {
            const ArcPiece& arc = result.arcs[i];
            const double radius = Norm(arc.end - arc.centre);
            EXPECT_LT(Norm(arc.end - c.start - c.At((i + 1) * h)), 1e-6);
            EXPECT_NEAR(Norm(arc.start - arc.centre), radius, 1e-6);
            EXPECT_NEAR(Norm(c.At((i + 0.5) * h) - (arc.centre - c.start)), radius, 1e-6);
            EXPECT_EQ(Norm(arc.end - (i + 1 < n ? result.arcs[i + 1].start : spiral.end)), 0.0);
        }
    }
}

TEST(ClothoidArcs, CirclesLinesFitsAndFallBacks) {
    const TransitionSpiral base =
        Case{200.0 * 100.0, 0.0, 100.0, 1.0, {0.0, 0.0}, 0.0, 0.0}.Spiral();
    const PlanPoint o = base.start, pi = base.pi, e = base.end;
    const double nan = std::nan(""), r = base.radiusEnd;
    // A circle of radius 300 turning 0.8 rad, and the clothoid's end moved by
    // 0.001 and by 0.011.
    const PlanPoint onCircle{300 * std::sin(0.8), 300 * (1 - std::cos(0.8))},
        moved{e.a + 0.0006, e.b - 0.0008}, off{e.a, e.b + 0.011};
    using enum SpiralOutcome;
    const struct {
        TransitionSpiral spiral;
        int maxArcs;
        SpiralOutcome outcome;
        std::size_t arcs;
        double endMiss;
        std::string reason;
    } cases[] = {
        {{o, pi, onCircle, 240.0, 300.0, 300.0}, 10000, Arcs, 1, 0.0, ""},
        {{o, pi, moved, 100.0, kInf, r}, 10000, Arcs, 8, 0.001, ""},
        {{o, pi, off, 100.0, kInf, r}, 10000, FallBack, 0, 0.011, "end does not fit the spiral"},
        {{o, pi, e, 0.0, kInf, r}, 10000, FallBack, 0, 0.0, "length missing or not positive"},
        {{o, pi, e, nan, kInf, r}, 10000, FallBack, 0, 0.0, "length missing or not positive"},
        {{o, o, e, 100.0, kInf, r}, 10000, FallBack, 0, 0.0, "start and PI coincide"},
        {{o, pi, {nan, e.b}, 100.0, kInf, r}, 10000, FallBack, 0, 0.0, "coordinates not finite"},
        {base, 7, FallBack, 0, 0.0, "more than 7 arcs needed"},
    };
    for (const auto& c : cases) {
        const SpiralApproximation result = ApproximateSpiral(c.spiral, 0.001, c.maxArcs);
        EXPECT_EQ(result.outcome, c.outcome) << c.reason;
        EXPECT_EQ(result.reason, c.reason);
        EXPECT_NEAR(result.endMiss, c.endMiss, 1e-9) << c.reason;
        ASSERT_EQ(result.arcs.size(), c.arcs) << c.reason;
        if (!result.arcs.empty()) {
            const ArcPiece& last = result.arcs.back();
            EXPECT_EQ(Norm(last.end - c.spiral.end), 0.0);
            EXPECT_NEAR(Norm(last.end - last.centre), Norm(last.start - last.centre), 1e-9);
        }
    }
    const ArcPiece circle = ApproximateSpiral(cases[0].spiral, 0.001).arcs.front();
    EXPECT_LT(Norm(circle.centre - PlanPoint{0.0, 300.0}), 1e-9);
}

// The curvature laws by their shapes, written out here apart from the code.
double LawShape(const std::string& law, double u) {
    const double pi = std::numbers::pi;
    if (law == "bloss") {
        return 3.0 * u * u - 2.0 * u * u * u;
    }
    if (law == "cosine") {
        return (1.0 - std::cos(pi * u)) / 2.0;
    }
    if (law == "sinusoid") {
        return u - std::sin(2.0 * pi * u) / (2.0 * pi);
    }
    return u;
}

CurvatureLaw LawNamed(const std::string& law) {
    return law == "bloss"      ? CurvatureLaw::Bloss
           : law == "cosine"   ? CurvatureLaw::HalfCosine
           : law == "sinusoid" ? CurvatureLaw::Sinusoid
                               : CurvatureLaw::Linear;
}

// The heading at s by Simpson's rule over the curvature, and the position
// by Simpson's rule over that heading: 10,000 steps for the position, 200
// for each heading.
struct SimpsonSpiral {
    std::string law;
    double k0, k1, length;

    double Heading(double s) const {
        constexpr int kSteps = 200;
        const double h = s / kSteps;
        double sum = 0.0;
        for (int i = 0; i <= kSteps; ++i) {
            const double weight = i == 0 || i == kSteps ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
            sum += weight * (k0 + (k1 - k0) * LawShape(law, i * h / length));
        }
        return sum * h / 3.0;
    }
    PlanPoint At(double s) const {
        constexpr int kSteps = 10000;
        const double h = s / kSteps;
        PlanPoint sum;
        for (int i = 0; i <= kSteps; ++i) {
            const double weight = i == 0 || i == kSteps ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
            const double heading = Heading(i * h);
            sum.a += weight * std::cos(heading);
            sum.b += weight * std::sin(heading);
        }
        return {sum.a * h / 3.0, sum.b * h / 3.0};
    }
};

double RadiusFrom(const std::string& text) {
    return text == "inf" ? kInf : std::stod(text);
}

// data/tables/spiral_laws.txt: the table against Simpson's rule, and the
// spiral's points against the table.
TEST(SpiralPointAt, CurvatureLaws) {
    for (const auto& c : test::ReadTable("spiral_laws.txt")) {
        std::istringstream kind(c.input.at(0));
        std::string law, start, end;
        kind >> law >> start >> end;
        const double r0 = RadiusFrom(start);
        const double r1 = RadiusFrom(end);
        const TransitionSpiral spiral{{0.0, 0.0}, {50.0, 0.0}, {100.0, 1.0}, 100.0,
                                      r0,         r1,          LawNamed(law)};
        const SimpsonSpiral simpson{law, std::isinf(r0) ? 0.0 : 1.0 / r0, 1.0 / r1, 100.0};
        for (const std::string& row : c.expected) {
            std::istringstream values(row);
            double u = 0.0, heading = 0.0, along = 0.0, across = 0.0;
            values >> u >> heading >> along >> across;
            const double s = 100.0 * u;
            EXPECT_NEAR(simpson.Heading(s), heading, 1e-10) << c.title << " u " << u;
            const PlanPoint reference = simpson.At(s);
            EXPECT_NEAR(reference.a, along, 2e-9) << c.title << " u " << u;
            EXPECT_NEAR(reference.b, across, 2e-9) << c.title << " u " << u;
            const PlanPoint point = SpiralPointAt(spiral, s);
            EXPECT_NEAR(point.a, along, 1e-8) << c.title << " u " << u;
            EXPECT_NEAR(point.b, across, 1e-8) << c.title << " u " << u;
            const PlanPoint before = SpiralPointAt(spiral, s - 1e-3);
            const PlanPoint after = SpiralPointAt(spiral, s + 1e-3);
            EXPECT_NEAR(std::atan2(after.b - before.b, after.a - before.a), heading, 1e-8)
                << c.title << " u " << u;
        }
    }
}

}  // namespace
}  // namespace chainforge
