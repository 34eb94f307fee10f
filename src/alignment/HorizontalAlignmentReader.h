#pragma once

#include <string>
#include <string_view>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "points/PointList.h"
#include "ui/UserInterface.h"

namespace chainforge {

// True when the two texts' first two numbers ("%lf %lf", 0.0 when missing)
// each differ by at most 0.0001.
bool SamePosition(std::string_view first, std::string_view second);

// Reads the named alignment's coordinate geometry: appends the horizontal
// control text and a point line for every vertex not already in points.
// spiralWarning is the caller's flag: the spiral message is shown while it is
// set, and showing it clears it.
void ReadHorizontalAlignment(CDocumentBuffer& document, const Catalogue& catalogue,
                             UserInterface& ui, bool& spiralWarning, PointList& points,
                             const std::string& alignmentName, std::string& horizontalControl);

}  // namespace chainforge
