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

TEST(ToleranceTests, CompareWithinTheTolerance) {
    EXPECT_TRUE(NearlyEqual(1.0, 1.00005, 0.0001));
    EXPECT_FALSE(NearlyEqual(1.0, 1.0002, 0.0001));
    EXPECT_TRUE(Differs(1.0, 1.0002, 0.0001));
    EXPECT_FALSE(Differs(1.0, 1.00005, 0.0001));
    EXPECT_TRUE(ClearlyLess(1.0, 1.0002, 0.0001));
    EXPECT_FALSE(ClearlyLess(1.0, 1.00005, 0.0001));
    EXPECT_TRUE(LessOrNearlyEqual(1.00005, 1.0, 0.0001));
    EXPECT_TRUE(LessOrNearlyEqual(0.5, 1.0, 0.0001));
    EXPECT_FALSE(LessOrNearlyEqual(1.0002, 1.0, 0.0001));
    EXPECT_TRUE(ClearlyGreater(1.0002, 1.0, 0.0001));
    EXPECT_FALSE(ClearlyGreater(1.00005, 1.0, 0.0001));
}

TEST(ToleranceTests, AllFalseForNotANumber) {
    for (const auto& [a, b, tolerance] : std::vector<std::tuple<double, double, double>>{
             {kNaN, 1.0, 0.1}, {1.0, kNaN, 0.1}, {1.0, 1.0, kNaN}, {kNaN, kNaN, kNaN}}) {
        EXPECT_FALSE(NearlyEqual(a, b, tolerance));
        EXPECT_FALSE(Differs(a, b, tolerance));
        EXPECT_FALSE(ClearlyLess(a, b, tolerance));
        EXPECT_FALSE(LessOrNearlyEqual(a, b, tolerance));
        EXPECT_FALSE(ClearlyGreater(a, b, tolerance));
    }
}

struct Expected {
    double station;
    double elevation;
};

void ExpectElevations(const std::string& text, const std::vector<Expected>& table) {
    for (const Expected& row : table) {
        EXPECT_NEAR(ProfileElevationAt(row.station, text), row.elevation, 1e-9)
            << "station " << row.station << " in \"" << text << "\"";
    }
}

TEST(ProfileElevationAt, Tangents) {
    ExpectElevations("0 10 2 100 -1 200 ", {{-50, 9},
                                            {0, 10},
                                            {50, 11},
                                            {100, 12},
                                            {150, 11.5},
                                            {200, 11},
                                            {250, 0},
                                            {100.00005, 12.000001}});
}

TEST(ProfileElevationAt, ParabolicCurve) {
    ExpectElevations(
        "0 100 2 \"80 120\" -2 200 ",
        {{50, 101}, {80, 101.6}, {100, 101.8}, {120, 101.6}, {150, 101}, {200, 100}, {201, 0}});
}

TEST(ProfileElevationAt, NoElevationWithoutATangent) {
    ExpectElevations("0 10 ", {{0, 0}, {-5, 0}, {5, 0}});
    ExpectElevations("", {{0, 0}, {10, 0}});
}

// The walk along the text token by token, for every station afresh, as the
// evaluation is defined; the evaluation proper must agree with it exactly.
class TextWalk {
  public:
    explicit TextWalk(const std::string& text) {
        std::size_t at = 0;
        while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
            const std::size_t end = std::min(text.find(' ', at), text.size());
            tokens_.push_back(text.substr(at, end - at));
            at = end;
        }
    }
    bool More() const { return next_ < tokens_.size(); }
    std::string Peek() const { return More() ? tokens_[next_] : std::string(); }
    std::string Next() { return More() ? tokens_[next_++] : std::string(); }

  private:
    std::vector<std::string> tokens_;
    std::size_t next_ = 0;
};

double Number(const std::string& token) {
    return LeadingDoubleOrZero(token);
}

double WalkedElevation(double a, const std::string& text) {
    constexpr double tol = 0.0001;
    if (text.empty()) {
        return 0.0;
    }
    TextWalk walk(text);
    double r = Number(walk.Next());
    double z = Number(walk.Next());
    while (walk.More()) {
        const double g = Number(walk.Next());
        const std::string token = walk.Next();
        double t = Number(token);
        double u = t;
        if (!token.empty() && token[0] == '"') {
            t = Number(token.substr(1));
            u = Number(walk.Next());
        }
        if (NearlyEqual(a, r, tol)) {
            return z;
        }
        if (ClearlyLess(a, r, tol)) {
            return z + (a - r) * g / 100;
        }
        if (LessOrNearlyEqual(a, t, tol)) {
            return z + (a - r) * g / 100;
        }
        if (NearlyEqual(t, u, tol)) {
            z = z + (t - r) * g / 100;
            r = t;
            continue;
        }
        const double g2 = Number(walk.Peek()) / 100;
        const double g1 = g / 100;
        const double zt = z + (t - r) * g1;
        const double L = u - t;
        if (ClearlyGreater(a, u, tol)) {
            z = zt + g1 * L + (g2 - g1) * L * L / (2 * L);
            r = u;
            continue;
        }
        const double x = a - t;
        return zt + g1 * x + (g2 - g1) * x * x / (2 * L);
    }
    return 0.0;
}

bool SameResult(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// Texts as the readers write them, with stations that sometimes go back,
// curves that overlap, stray blanks and tokens that are not numbers.
std::string RandomProfileText(std::mt19937& random, std::vector<double>& stations) {
    std::uniform_real_distribution<double> step(-20.0, 120.0);
    std::uniform_real_distribution<double> grade(-8.0, 8.0);
    std::uniform_int_distribution<int> choice(0, 19);
    const std::vector<std::string> oddTokens{"x", "\"", "\"\"", "-", "1e400", "\"x", "5\"\""};
    double station = step(random);
    std::string text = FormatG(station) + " " + FormatG(grade(random)) + " ";
    stations.push_back(station);
    const int count = std::uniform_int_distribution<int>(0, 12)(random);
    for (int i = 0; i < count; ++i) {
        const int kind = choice(random);
        text += kind == 0 ? oddTokens[random() % oddTokens.size()] : FormatG(grade(random));
        text += kind == 1 ? "  " : " ";
        station += step(random);
        stations.push_back(station);
        if (kind < 6) {
            const double end = station + std::abs(step(random)) / 2;
            stations.push_back(end);
            text += '"';
            text += FormatG(station);
            text += ' ';
            text += FormatG(end);
            text += "\" ";
            station = end;
        } else if (kind == 7) {
            text += oddTokens[random() % oddTokens.size()] + " ";
        } else {
            text += FormatG(station) + " ";
        }
    }
    if (choice(random) == 0) {
        text.pop_back();
    }
    return text;
}

TEST(ProfileElevationAt, AgreesWithTheWalkAlongTheText) {
    std::mt19937 random(20240604);
    for (int round = 0; round < 400; ++round) {
        std::vector<double> stations;
        const std::string text = RandomProfileText(random, stations);
        const VerticalProfile profile(text);
        std::vector<double> probes{kNaN, -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::infinity()};
        for (double s : stations) {
            for (double delta : {-0.00015, -0.0001, -0.00005, 0.0, 0.00005, 0.0001, 0.00015, 3.5}) {
                probes.push_back(s + delta);
            }
        }
        for (double probe : probes) {
            const double expected = WalkedElevation(probe, text);
            ASSERT_TRUE(SameResult(profile.ElevationAt(probe), expected))
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
        const double expected = WalkedElevation(12.5, text);
        EXPECT_TRUE(SameResult(ProfileElevationAt(12.5, text), expected)) << text;
    }
}

}  // namespace
}  // namespace chainforge
