#include "xsection/ProfileEvaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "landxml/NumberText.h"
#include "xsection/ToleranceTests.h"

namespace chainforge {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// a, b, tolerance -> NearlyEqual, Differs, ClearlyLess, LessOrNearlyEqual,
// ClearlyGreater; the differences are exact in binary. All false for NaN.
TEST(ToleranceTests, BoundariesAndNotANumber) {
    const std::tuple<double, double, double, const char*> cases[] = {
        {1.5, 1.0, 0.5, "10010"},  {1.0, 1.5, 0.5, "10010"},  {1.0, 1.75, 0.5, "01110"},
        {1.75, 1.0, 0.5, "01001"}, {1.0, 1.0, 0.0, "10010"},  {1.0, 1.0, -1.0, "01000"},
        {kNaN, 1.0, 0.1, "00000"}, {1.0, kNaN, 0.1, "00000"}, {1.0, 1.0, kNaN, "00000"},
    };
    for (const auto& [a, b, tolerance, expected] : cases) {
        std::string seen;
        for (const bool result :
             {NearlyEqual(a, b, tolerance), Differs(a, b, tolerance), ClearlyLess(a, b, tolerance),
              LessOrNearlyEqual(a, b, tolerance), ClearlyGreater(a, b, tolerance)}) {
            seen += result ? '1' : '0';
        }
        EXPECT_EQ(seen, expected) << a << " " << b << " " << tolerance;
    }
}

// Profile text -> elevation at stations: tangents, a parabolic curve, and
// no tangent at all.
TEST(ProfileElevationAt, Table) {
    const char* const tangents = "10 10 2 110 -1 210 ";
    const char* const curve = "0 100 2 \"80 120\" -2 200 ";
    // clang-format off
    const std::tuple<const char*, double, double> cases[] = {
        {tangents, -40, 9}, {tangents, 10, 10}, {tangents, 60, 11}, {tangents, 110, 12},
        {tangents, 160, 11.5}, {tangents, 210, 11}, {tangents, 260, 0},
        {tangents, 110.00005, 12.000001}, {curve, 50, 101}, {curve, 80, 101.6}, {curve, 100, 101.8},
        {curve, 120, 101.6}, {curve, 150, 101}, {curve, 200, 100}, {curve, 201, 0},
        {"0 10 ", 0, 0}, {"0 10 ", -5, 0}, {"0 10 ", 5, 0}, {"", 10, 0}};
    // clang-format on
    for (const auto& [text, station, elevation] : cases) {
        EXPECT_NEAR(ProfileElevationAt(station, text), elevation, 1e-9) << station << " " << text;
    }
}

// The evaluation as defined: a walk along the tokens, afresh for every
// station. The evaluation proper must agree with it to the last bit.
double WalkedElevation(double a, const std::string& text) {
    constexpr double tol = 0.0001;
    if (text.empty()) {
        return 0.0;
    }
    std::vector<std::string> tokens;
    for (std::size_t at = 0; (at = text.find_first_not_of(' ', at)) != std::string::npos;) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        tokens.push_back(text.substr(at, end - at));
        at = end;
    }
    std::size_t next = 0;
    const auto number = [&](bool consume) {
        const double value = next < tokens.size() ? LeadingDoubleOrZero(tokens[next]) : 0.0;
        next += consume ? 1 : 0;
        return value;
    };
    double r = number(true);
    double z = number(true);
    while (next < tokens.size()) {
        const double g = number(true);
        const bool curve = next < tokens.size() && tokens[next].starts_with('"');
        const double t = curve ? LeadingDoubleOrZero(tokens[next++].substr(1)) : number(true);
        const double u = curve ? number(true) : t;
        if (NearlyEqual(a, r, tol)) {
            return z;
        }
        if (ClearlyLess(a, r, tol) || LessOrNearlyEqual(a, t, tol)) {
            return z + (a - r) * g / 100;
        }
        if (NearlyEqual(t, u, tol)) {
            z = z + (t - r) * g / 100;
            r = t;
            continue;
        }
        const double g2 = number(false) / 100;
        const double g1 = g / 100;
        const double zt = z + (t - r) * g1;
        const double L = u - t;
        if (!ClearlyGreater(a, u, tol)) {
            const double x = a - t;
            return zt + g1 * x + (g2 - g1) * x * x / (2 * L);
        }
        z = zt + g1 * L + (g2 - g1) * L * L / (2 * L);
        r = u;
    }
    return 0.0;
}

bool SameResult(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// Tangents and curves whose stations sometimes go back, with stray blanks
// and tokens that are not numbers; the stations of the text are collected.
std::string RandomProfileText(std::mt19937& random, std::vector<double>& stations) {
    std::uniform_real_distribution<double> step(-20.0, 120.0);
    const std::vector<std::string> odd{"x", "\"", "\"\"", "-", "1e400", "\"x", "5\"\""};
    double station = step(random);
    std::string text = FormatG(station) + " 10 ";
    for (int i = random() % 12; i > 0; --i) {
        const unsigned kind = random() % 20;
        text += kind == 0 ? odd[random() % odd.size()] : FormatG(step(random) / 10);
        text += kind == 1 ? "  " : " ";
        stations.push_back(station += step(random));
        if (kind < 6) {
            stations.push_back(station + std::abs(step(random)) / 2);
            text += '"';
            text += FormatG(station) + ' ';
            text += FormatG(station = stations.back()) + "\" ";
        } else {
            text += (kind == 7 ? odd[random() % odd.size()] : FormatG(station)) + ' ';
        }
    }
    return random() % 10 == 0 ? text.substr(0, text.size() - 1) : text;
}

TEST(ProfileElevationAt, AgreesWithTheWalkAlongTheText) {
    std::mt19937 random(20240604);
    for (int round = 0; round < 400; ++round) {
        std::vector<double> stations;
        const std::string text = RandomProfileText(random, stations);
        const CVerticalProfile profile(text);
        std::vector<double> probes{kNaN, -HUGE_VAL, HUGE_VAL};
        for (double s : stations) {
            for (double delta : {-0.00015, -0.0001, -0.00005, 0.0, 0.00005, 0.0001, 0.00015, 3.5}) {
                probes.push_back(s + delta);
            }
        }
        for (double probe : probes) {
            ASSERT_TRUE(SameResult(profile.ElevationAt(probe), WalkedElevation(probe, text)))
                << "station " << probe << " in \"" << text << "\"";
        }
    }
}

TEST(ProfileElevationAt, EndsOnAnyText) {
    std::mt19937 random(7);
    const std::string alphabet = "0123456789.-+eE\" x\t";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        EXPECT_TRUE(SameResult(ProfileElevationAt(12.5, text), WalkedElevation(12.5, text)));
    }
}

}  // namespace
}  // namespace chainforge
