// The preview model of a small road worked out by hand: a straight north, an
// arc of radius 50 turning right by atan(4/3) (its end 30 west and 40 north of
// its centre) and a straight heading 0.8 east, 0.6 north; a +2 % / -2 %
// profile with one 200 m parabola; one section.
#include "preview/PreviewModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

constexpr double kPi = std::numbers::pi;
const double kTurn = std::atan2(4.0, 3.0);

test::ScannedDocument& Road() {
    static test::ScannedDocument road(
        test::ReadFileBytes(std::string(CHAINFORGE_TEST_DATA) + "/preview-road.xml"));
    return road;
}

PreviewModel Preview(ConversionSelections selections) {
    return BuildPreview(selections, Road().document, Road().catalogue);
}

ConversionSelections Everything() {
    ConversionSelections s;
    s.pointGroup = "Survey";
    s.alignment = "Road";
    s.profile = "FG";
    s.surface = "Top";
    return s;
}

TEST(PreviewModel, LineCurveLine) {
    const PreviewModel model = Preview(Everything());
    ASSERT_EQ(model.elements.size(), 3u);
    const PreviewElement& arc = model.elements[1];
    EXPECT_FALSE(model.elements[0].arc);
    EXPECT_DOUBLE_EQ(model.elements[0].length, 100);
    EXPECT_TRUE(arc.arc);
    EXPECT_FALSE(arc.fromSpiral);
    EXPECT_DOUBLE_EQ(arc.centre.x, 50);  // easting
    EXPECT_DOUBLE_EQ(arc.centre.y, 100);
    EXPECT_DOUBLE_EQ(arc.radius, 50);
    EXPECT_DOUBLE_EQ(arc.startAngle, kPi);  // west of the centre
    EXPECT_NEAR(arc.sweep, -kTurn, 1e-12);  // a right-hand turn
    EXPECT_DOUBLE_EQ(arc.startStation, 1100);
    EXPECT_NEAR(model.elements[2].startStation, 1100 + 50 * kTurn, 1e-9);
    // Ticks at the four element ends and at 1200, on the last straight
    // 100 - 50 atan(4/3) from the arc's end.
    const std::vector<PreviewTick> ticks = StationTicks(model);
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_DOUBLE_EQ(ticks[3].station, 1200);
    EXPECT_FALSE(ticks[3].elementEnd);
    EXPECT_NEAR(ticks[3].at.x, 20 + 0.8 * (100 - 50 * kTurn), 1e-9);
    EXPECT_NEAR(ticks[3].at.y, 140 + 0.6 * (100 - 50 * kTurn), 1e-9);
    EXPECT_NEAR(ticks[3].along.x, 0.8, 1e-12);
    // The survey point and the five vertex points: the centre is one of them.
    ASSERT_EQ(model.points.size(), 6u);
    EXPECT_EQ(model.points[0].name, "S1");
    EXPECT_DOUBLE_EQ(model.points[0].at.x, 30);
    EXPECT_EQ(model.vertices.size(), 5u);
    EXPECT_TRUE(model.vertices[2].centre);
}

TEST(PreviewModel, ProfileAndSection) {
    const PreviewModel model = Preview(Everything());
    ASSERT_EQ(model.profileVertices.size(), 3u);
    EXPECT_DOUBLE_EQ(model.profileVertices[1].station, 1200);
    EXPECT_DOUBLE_EQ(model.profileVertices[1].elevation, 104);
    ASSERT_EQ(model.tangents.size(), 2u);
    EXPECT_DOUBLE_EQ(model.tangents[1].grade, -2);
    // y = 102 + 0.02 x - 0.04 x^2 / 400 from station 1100.
    const std::vector<std::pair<double, double>> expected{{1000, 100}, {1100, 102}, {1150, 102.75},
                                                          {1200, 103}, {1300, 102}, {1400, 100}};
    for (const auto& [station, elevation] : expected) {
        const auto it = std::find_if(model.profileLine.begin(), model.profileLine.end(),
                                     [station](const PreviewStationElevation& p) {
                                         return std::abs(p.station - station) < 1e-9;
                                     });
        ASSERT_NE(it, model.profileLine.end()) << station;
        EXPECT_NEAR(it->elevation, elevation, 1e-9) << station;
    }
    // Templates "1100 -2 4 120 0.01 120" on both sides, hung from the
    // profile's 102; the closing slopes rise to the outermost pairs, which lie
    // above the pairs inside them but below the centre.
    ASSERT_EQ(model.sections.size(), 1u);
    const PreviewSection& section = model.sections[0];
    EXPECT_EQ(section.pairs.size(), 5u);
    EXPECT_DOUBLE_EQ(*section.centreElevation, 100.08);
    ASSERT_EQ(section.left.points.size(), 2u);
    EXPECT_DOUBLE_EQ(section.left.points[1].offset, -4);
    EXPECT_NEAR(section.left.points[1].elevation, 101.92, 1e-9);
    EXPECT_DOUBLE_EQ(section.left.closingRatio, 120);  // 100 / (0.05 / 6 * 100)
    EXPECT_FALSE(section.left.closingFalls);
    const PreviewOffsetElevation rightEnd = ClosingSlopeEnd(section, section.right, +1);
    EXPECT_DOUBLE_EQ(rightEnd.offset, 10);
    EXPECT_NEAR(rightEnd.elevation, 101.92 + 0.05, 1e-9);
    EXPECT_EQ(NearestSection(model, 5000), &section);
    // The deviation of the centre from the profile, where it is.
    ASSERT_EQ(model.markers.size(), 2u);
    EXPECT_EQ(model.markers[1].station, 1100);
}

TEST(PreviewModel, AsksNothingAndMarksWhatIsLeftOut) {
    ConversionSelections vpiOnly = Everything();
    vpiOnly.profile.reset();
    const PreviewModel fromSections = Preview(vpiOnly);
    EXPECT_TRUE(fromSections.vpiOnly);
    EXPECT_EQ(fromSections.profileVertices.size(), 2u);  // "1100 100.08 0 1100 "

    // Corridor shapes stand on the grade line: their pairs are drawn on the
    // profile, at 50.
    ConversionSelections corridor;
    corridor.alignment = "Corridor";
    corridor.profile = "Flat";
    corridor.surface = "Corridor Top";
    const PreviewModel onProfile = Preview(corridor);
    ASSERT_EQ(onProfile.sections.size(), 1u);
    EXPECT_DOUBLE_EQ(onProfile.sections[0].pairs.front().elevation, 49.9);
    EXPECT_DOUBLE_EQ(onProfile.sections[0].right.points.back().elevation, 50);
    // Without the profile they give no profile of zeros, only the message.
    corridor.profile.reset();
    const PreviewModel offProfile = Preview(corridor);
    EXPECT_TRUE(offProfile.profileVertices.empty());
    ASSERT_EQ(offProfile.markers.size(), 1u);
    EXPECT_EQ(offProfile.markers[0].text, kRelativeSectionsMessage);

    ConversionSelections odd;
    odd.alignment = "Odd";
    const PreviewModel model = Preview(odd);
    ASSERT_EQ(model.markers.size(), 3u);
    EXPECT_EQ(model.markers[0].text, "Point reference GONE cannot be found");
    ASSERT_TRUE(model.markers[0].at);
    EXPECT_EQ(model.markers[2].text,
              "Spiral not converted: spiral type weinerBogen is not converted: its curvature law "
              "is not known; weinerBogen, a chord of 20.02498439 stands in");
    ASSERT_TRUE(model.markers[2].at);
    EXPECT_DOUBLE_EQ(model.markers[2].at->x, 10);  // its Start, easting 10
}

}  // namespace
}  // namespace chainforge
