#pragma once

#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "points/PointList.h"

namespace chainforge {

// Appends one point line for every point of the named point group. Returns
// false when the data ended inside the group (what was read is kept).
bool ReadPointGroup(CDocumentBuffer& document, const Catalogue& catalogue,
                    const std::string& groupName, PointList& points);

}  // namespace chainforge
