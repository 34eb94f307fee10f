#include "gui/LayoutAnchors.h"

#include <cstdint>

namespace chainforge {
namespace {

// newExtent * share, truncated toward zero, in integers so that the same
// extent always gives the same edge.
int ProportionalNearEdge(ProportionalShare share, int newExtent) {
    return static_cast<int>(static_cast<std::int64_t>(newExtent) * share.nearEdge / share.extent);
}

}  // namespace

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
