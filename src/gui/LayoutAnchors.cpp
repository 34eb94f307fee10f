#include "gui/LayoutAnchors.h"

#include <algorithm>
#include <cstdint>

namespace chainforge {
namespace {

// newExtent * share, truncated toward zero, in integers so that the same
// extent always gives the same edge.
int ProportionalNearEdge(ProportionalShare share, int newExtent) {
    return static_cast<int>(static_cast<std::int64_t>(newExtent) * share.nearEdge / share.extent);
}

// A near edge that keeps a span of extent inside [low, high) where it can,
// and at low where the span is longer than the room.
int KeptInside(int nearEdge, int extent, int low, int high) {
    return std::max(low, std::min(nearEdge, high - extent));
}

AnchorRect Sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

AnchorRect PlaceBeside(const AnchorRect& owner, int width, int height, const AnchorRect& area,
                       int gap) {
    const int top = KeptInside(owner.top, height, area.top, area.bottom);
    const int right = owner.right + gap;
    if (right + width <= area.right) {
        return Sized(right, top, width, height);
    }
    const int left = owner.left - gap - width;
    if (left >= area.left) {
        return Sized(left, top, width, height);
    }
    const int below = owner.bottom + gap;
    if (below + height <= area.bottom) {
        return Sized(KeptInside(owner.left, width, area.left, area.right), below, width, height);
    }
    return Sized(KeptInside(right, width, area.left, area.right), top, width, height);
}

AnchorSpan AnchorAxis(AnchorSpan span, AnchorMode mode, ProportionalShare share, int delta,
                      int newExtent) {
    switch (mode) {
        case Stretch:
            return {span.nearEdge, span.farEdge + delta};
        case Move:
            return {span.nearEdge + delta, span.farEdge + delta};
        case Proportional: {
            if (share.extent <= 0) {
                return span;
            }
            const int nearEdge = ProportionalNearEdge(share, newExtent);
            return {nearEdge, nearEdge + (span.farEdge - span.nearEdge)};
        }
        case Fixed:
        default:
            return span;
    }
}

AnchorRect AnchorRectangle(const AnchorRect& rect, const AnchorModes& modes, int referenceWidth,
                           int referenceHeight, int newWidth, int newHeight) {
    const AnchorSpan horizontal =
        AnchorAxis({rect.left, rect.right}, modes.horizontal, modes.horizontalShare,
                   newWidth - referenceWidth, newWidth);
    const AnchorSpan vertical =
        AnchorAxis({rect.top, rect.bottom}, modes.vertical, modes.verticalShare,
                   newHeight - referenceHeight, newHeight);
    return {horizontal.nearEdge, vertical.nearEdge, horizontal.farEdge, vertical.farEdge};
}

}  // namespace chainforge
