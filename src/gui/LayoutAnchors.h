// How a registered control follows a change of its window's size: each axis
// of the control has an anchor mode, and a layout pass moves its edges from
// the rectangle it had after the previous pass.
#pragma once

namespace chainforge {

enum AnchorMode : int {
    Fixed = 0,         // the edges stay
    Stretch = 1,       // the far edge (right or bottom) follows the window's edge
    Move = 2,          // both edges follow; the size stays
    Proportional = 3,  // the near edge keeps its share of the window's extent
};

// One axis of a rectangle: the near edge (left or top) and the far edge.
struct AnchorSpan {
    int nearEdge = 0;
    int farEdge = 0;
    bool operator==(const AnchorSpan&) const = default;
};

struct AnchorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const AnchorRect&) const = default;
};

// The part of the window's extent in front of a Proportional axis's near
// edge, taken when the control is registered: nearEdge / extent. (As the
// ratio near / (extent - near) it would be near-edge positions that come out
// one pixel short after a round trip through floating point, 199.99999 for
// 200, and a near edge at the extent would divide by zero.)
struct ProportionalShare {
    int nearEdge = 0;
    int extent = 0;
};

// One axis after the window's extent changed by delta to newExtent. Any mode
// value outside the enumeration behaves as Fixed.
AnchorSpan AnchorAxis(AnchorSpan span, AnchorMode mode, ProportionalShare share, int delta,
                      int newExtent);

struct AnchorModes {
    AnchorMode horizontal = Fixed;
    AnchorMode vertical = Fixed;
    ProportionalShare horizontalShare;
    ProportionalShare verticalShare;
};

// Where a window of width x height goes beside the owner window without
// covering it, within the screen's available area (rectangles with right and
// bottom exclusive, frames included), gap pixels apart: to the right when it
// fits, else to the left, else below. Where none fits it goes to the right
// moved back into the area, covering as little of the owner as the area
// allows. Returns the window's rectangle.
AnchorRect PlaceBeside(const AnchorRect& owner, int width, int height, const AnchorRect& area,
                       int gap);

// Both axes: the window went from referenceWidth x referenceHeight to
// newWidth x newHeight.
AnchorRect AnchorRectangle(const AnchorRect& rect, const AnchorModes& modes, int referenceWidth,
                           int referenceHeight, int newWidth, int newHeight);

}  // namespace chainforge
