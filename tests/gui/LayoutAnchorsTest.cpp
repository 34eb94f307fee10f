#include "gui/LayoutAnchors.h"

#include <gtest/gtest.h>

#include "gui/DialogUnits.h"

namespace chainforge {
namespace {

constexpr AnchorRect kControl{10, 20, 110, 70};

AnchorRect Resized(AnchorMode horizontal, AnchorMode vertical, int width, int height) {
    return AnchorRectangle(kControl, {horizontal, vertical, {}, {}}, 400, 300, width, height);
}

// Window 400 x 300 grows by 50 x 30, or shrinks by 10 x 5; an unknown mode stays fixed.
TEST(LayoutAnchors, EachModeFollowsTheWindow) {
    const auto unknown = [](int mode) { return static_cast<AnchorMode>(mode); };
    // clang-format off
    const std::tuple<AnchorMode, AnchorMode, int, int, AnchorRect> cases[] = {
        {Fixed, Fixed, 450, 330, {10, 20, 110, 70}}, {Stretch, Fixed, 450, 330, {10, 20, 160, 70}},
        {Move, Fixed, 450, 330, {60, 20, 160, 70}}, {Fixed, Stretch, 450, 330, {10, 20, 110, 100}},
        {Fixed, Move, 450, 330, {10, 50, 110, 100}}, {Stretch, Move, 450, 330, {10, 50, 160, 100}},
        {Stretch, Move, 390, 295, {10, 15, 100, 65}}, {unknown(7), unknown(-1), 450, 330, kControl}};
    // clang-format on
    for (const auto& [horizontal, vertical, width, height, rect] : cases) {
        EXPECT_EQ(Resized(horizontal, vertical, width, height), rect) << horizontal << vertical;
    }
}

TEST(LayoutAnchors, ProportionalKeepsTheNearEdgesShareOfTheExtent) {
    // Left edge 100 in a 400 wide window: a quarter. At 800 wide the left edge
    // is at 200 (the ratio 100 / 300 in floating point gives 199.99999 here),
    // and back at 400 it is at 100 again; the width of 100 stays.
    const ProportionalShare quarter{100, 400};
    EXPECT_EQ(AnchorAxis({100, 200}, Proportional, quarter, 400, 800), (AnchorSpan{200, 300}));
    EXPECT_EQ(AnchorAxis({200, 300}, Proportional, quarter, -400, 400), (AnchorSpan{100, 200}));
    // 555 / 4 = 138.75 is truncated toward zero.
    EXPECT_EQ(AnchorAxis({100, 200}, Proportional, quarter, 155, 555), (AnchorSpan{138, 238}));
    // A near edge at the extent stays at the far end of the window.
    EXPECT_EQ(AnchorAxis({400, 410}, Proportional, {400, 400}, 100, 500), (AnchorSpan{500, 510}));
    // An extent of 1 shares too; with none the span stays.
    EXPECT_EQ(AnchorAxis({1, 3}, Proportional, {1, 1}, 4, 5), (AnchorSpan{5, 7}));
    EXPECT_EQ(AnchorAxis({100, 200}, Proportional, {100, 0}, 400, 800), (AnchorSpan{100, 200}));
    EXPECT_EQ(AnchorAxis({100, 200}, Proportional, {100, -1}, 400, 800), (AnchorSpan{100, 200}));
}

TEST(LayoutAnchors, PassesFromTheLastRectangleReturnExactlyAfterARoundTrip) {
    const AnchorModes modes{Stretch, Move, {}, {}};
    AnchorRect rect = kControl;
    const int sizes[][2] = {{400, 300}, {437, 351}, {1000, 900}, {401, 300}, {400, 300}};
    for (std::size_t i = 1; i < std::size(sizes); ++i) {
        rect = AnchorRectangle(rect, modes, sizes[i - 1][0], sizes[i - 1][1], sizes[i][0],
                               sizes[i][1]);
    }
    EXPECT_EQ(rect, kControl);
}

// A 1000 x 800 screen area; the owner 300 wide, 200 high; the window
// 200 x 150, 10 apart: right, else left, else below, else the right moved
// back onto the screen.
TEST(LayoutAnchors, PlaceBesideTriesRightThenLeftThenBelow) {
    const AnchorRect area{0, 0, 1000, 800};
    // clang-format off
    const std::pair<AnchorRect, AnchorRect> cases[] = {
        {{100, 100, 400, 300}, {410, 100, 610, 250}},   // right
        {{690, 100, 990, 300}, {480, 100, 680, 250}},   // right is short by 100: left
        {{100, 700, 400, 900}, {410, 650, 610, 800}},   // right, kept above the bottom
        {{150, 100, 950, 300}, {150, 310, 350, 460}},   // no room either side: below
        {{150, 500, 950, 700}, {800, 500, 1000, 650}},  // nowhere: right, moved back
    };
    // clang-format on
    for (const auto& [owner, placed] : cases) {
        EXPECT_EQ(PlaceBeside(owner, 200, 150, area, 10), placed) << owner.left << ' ' << owner.top;
    }
}

TEST(DialogUnits, ConvertAgainstTheFontAndRoundToNearest) {
    // An alphabet advance of 338 gives (338 + 26) / 52 = 7 pixels; 337 gives 6.98 -> 6.
    EXPECT_EQ(AverageCharacterWidth(338), 7);
    EXPECT_EQ(AverageCharacterWidth(337), 6);
    // 453 units at 7 pixels per 4 units: 792.75 -> 793; 209 at 15 per 8: 391.875 -> 392.
    EXPECT_EQ(HorizontalDialogUnitsToPixels(453, 7), 793);
    EXPECT_EQ(VerticalDialogUnitsToPixels(209, 15), 392);
    // Exact halves round away from zero: 2 * 6 / 8 = 1.5 -> 2; -1.5 -> -2.
    EXPECT_EQ(ScaleDialogUnits(2, 6, 8), 2);
    EXPECT_EQ(ScaleDialogUnits(-2, 6, 8), -2);
}

}  // namespace
}  // namespace chainforge
