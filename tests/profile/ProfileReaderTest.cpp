#include "profile/ProfileReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "landxml/NumberText.h"
#include "profile/FiniteNumberText.h"
#include "profile/SplitIntoPairs.h"
#include "support/ScannedDocument.h"
#include "xsection/ProfileEvaluation.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;

// Profile "D" of alignment "A": a design profile, or a surface profile when
// the first row is "surface".
std::string Profile(Lines rows) {
    const bool surface = !rows.empty() && rows[0] == "surface";
    const std::string tag = surface ? "ProfSurf" : "ProfAlign";
    if (surface) {
        rows.erase(rows.begin());
    }
    return test::AlignmentsDocument({Lines{"<Profile name=\"P\">", "<" + tag + " name=\"D\">"} +
                                     rows + Lines{"</" + tag + ">", "</Profile>"}});
}

std::string Read(const std::string& bytes, const std::string& profile = "D",
                 const std::string& alignment = "A", std::vector<std::string>* messages = nullptr,
                 ProfileReadCounts* counts = nullptr) {
    test::ScannedDocument scanned(bytes);
    ProfileRead read =
        ReadProfile(scanned.Context(), scanned.catalogue.FindAlignment(alignment), profile);
    if (messages != nullptr) {
        *messages = scanned.ui.Messages();
    }
    if (counts != nullptr) {
        *counts = std::move(read.counts);
    }
    return read.verticalControl;
}

// What a read met, as the table's lines after the text give it: "message: "
// lines, "left out: KIND N" lines and, when the case names them, "counts: "
// vertices, parabolic, circular curves and unsymmetric curves written as
// their intersection point.
Lines Met(const std::vector<std::string>& messages, const ProfileReadCounts& counts,
          bool withCounts) {
    Lines met;
    for (const std::string& message : messages) {
        met.push_back("message: " + message);
    }
    for (const auto& [element, count] : counts.leftOut.Counts()) {
        met.push_back("left out: " + element + " " + std::to_string(count));
    }
    if (withCounts) {
        met.push_back("counts: " + std::to_string(counts.vertices) + " " +
                      std::to_string(counts.parabolic) + " " + std::to_string(counts.circular) +
                      " " + std::to_string(counts.unsymmetricAsPvi));
    }
    return met;
}

// data/tables/profile.txt
TEST(ReadProfile, Table) {
    for (const auto& c : test::ReadTable("profile.txt")) {
        std::vector<std::string> messages;
        ProfileReadCounts counts;
        EXPECT_EQ(Read(Profile(c.input), "D", "A", &messages, &counts), c.expected.at(0))
            << c.title;
        const Lines expected(c.expected.begin() + 1, c.expected.end());
        const bool withCounts = !expected.empty() && expected.back().starts_with("counts: ");
        EXPECT_EQ(Met(messages, counts, withCounts), expected) << c.title;
    }
    // A ProfAlign of one vertex; the data may end before the profile does.
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"})), "0 10 ");
    EXPECT_EQ(Read(test::CrLf({"<Alignments>", "<Alignment name=\"A\">", "<Profile>",
                               "<ProfAlign name=\"D\">", "<PVI>0 10</PVI>", "<PVI>100 12</PVI>"})),
              "0 10 2 100 ");
}

// An unsymmetric parabola between the vertices before and after its
// intersection point, at the lengths in and out.
struct Unsymmetric {
    double station0, elevation0;
    double station, elevation, lengthIn, lengthOut;
    double station2, elevation2;

    // The textbook curve: offsets from the grade in, taken from the curve's
    // start, on the first part; from the grade out, taken back from its end,
    // on the second; the grade lines themselves beyond.
    double ElevationAt(double a) const {
        const double g1 = (elevation - elevation0) / (station - station0);
        const double g2 = (elevation2 - elevation) / (station2 - station);
        const double length = lengthIn + lengthOut;
        const double start = station - lengthIn;
        const double end = station + lengthOut;
        if (a <= station) {
            const double x = std::max(0.0, a - start);
            return elevation + g1 * (a - station) +
                   (g2 - g1) * lengthOut / (2 * length * lengthIn) * x * x;
        }
        const double x = std::max(0.0, end - a);
        return elevation + g2 * (a - station) +
               (g2 - g1) * lengthIn / (2 * length * lengthOut) * x * x;
    }

    std::string Document() const {
        const auto number = [](double value) { return FormatFiniteG(value, 17); };
        return Profile({"<PVI>" + number(station0) + " " + number(elevation0) + "</PVI>",
                        "<UnsymParaCurve lengthIn=\"" + number(lengthIn) + "\" lengthOut=\"" +
                            number(lengthOut) + "\">" + number(station) + " " + number(elevation) +
                            "</UnsymParaCurve>",
                        "<PVI>" + number(station2) + " " + number(elevation2) + "</PVI>"});
    }
};

// The two symmetric curves written for it give its elevations, from the
// grade in to the grade out.
TEST(ReadProfile, UnsymmetricCurveKeepsItsElevations) {
    const Unsymmetric crest{1000, 100, 1300, 106, 120, 60, 1700, 98};
    const Unsymmetric sag{1000, 755, 1497.683574, 756.875224, 150, 90, 2327.652048, 818.153397};
    for (const Unsymmetric& curve : {crest, sag}) {
        const std::string text = Read(curve.Document());
        const double start = curve.station - curve.lengthIn;
        const double end = curve.station + curve.lengthOut;
        const double stations[] = {start - 30,
                                   start,
                                   start + 0.1 * curve.lengthIn,
                                   start + 0.55 * curve.lengthIn,
                                   curve.station - 0.01,
                                   curve.station,
                                   curve.station + 0.3 * curve.lengthOut,
                                   curve.station + 0.97 * curve.lengthOut,
                                   end,
                                   end + 45.5};
        for (const double a : stations) {
            EXPECT_NEAR(ProfileElevationAt(a, text), curve.ElevationAt(a), 1e-6)
                << text << " at " << a;
        }
    }
}

TEST(ReadProfile, NamesNotFoundLeaveTheTextAlone) {
    std::vector<std::string> messages;
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "D", "B", &messages), "");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Alignment Cannot be found"});
    EXPECT_EQ(Read(Profile({"<PVI>0 10</PVI>"}), "d", "A", &messages), "");
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Profile Cannot be found"});
}

// A value that reaches the chain file is never infinite, nor hundreds of
// digits long.
TEST(FiniteNumberText, NeitherInfinityNorAWallOfDigits) {
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatFiniteF(12.5), "12.500000");
    EXPECT_EQ(FormatFiniteF(-999999999999999.0), "-999999999999999.000000");
    EXPECT_EQ(FormatFiniteF(1e15), "1e+015");
    EXPECT_EQ(FormatFiniteF(-1e300), "-1e+300");
    EXPECT_EQ(FormatFiniteF(infinity), "1.797693135e+308");
    EXPECT_EQ(FormatFiniteF(std::nan("")), "0.000000");
    EXPECT_EQ(FormatFiniteG(-infinity, kChainDigits), "-1.797693135e+308");
}

TEST(SplitIntoPairs, BlankSeparatedTokensTwoAtATime) {
    std::vector<std::string> pairs{"x y"};
    SplitIntoPairs("   0    100  50 101 7 ", pairs);
    EXPECT_EQ(pairs, (std::vector<std::string>{"x y", "0 100", "50 101"}));
    pairs.clear();
    SplitIntoPairs("0\t100 50 101/PntList2D>", pairs);
    EXPECT_EQ(pairs, std::vector<std::string>{"0\t100 50"});
}

}  // namespace
}  // namespace chainforge
