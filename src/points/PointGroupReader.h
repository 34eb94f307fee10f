#pragma once

#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "points/PointList.h"

namespace chainforge {

// Appends one point line for every point of the named point group.
void ReadPointGroup(CDocumentBuffer& document, const Catalogue& catalogue,
                    const std::string& groupName, PointList& points);

}  // namespace chainforge
