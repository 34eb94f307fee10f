#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "points/PointList.h"
#include "ui/UserInterface.h"

namespace chainforge {

// What one read of a point group met, for the conversion report.
struct PointGroupReadCounts {
    bool complete = true;            // false when the data ended inside the group
    std::int64_t leftOut = 0;        // points with a value that cannot be converted
    std::int64_t fieldsChanged = 0;  // points whose name or description was changed
};

// Appends one point line for every point of the named point group (what was
// read is kept when the data ends inside the group). A point whose
// northing, easting or elevation is there but is not a number, or is too
// large, is left out after a message naming it.
PointGroupReadCounts ReadPointGroup(CDocumentBuffer& document, const Catalogue& catalogue,
                                    UserInterface& ui, const std::string& groupName,
                                    PointList& points);

// A name or description as a field of a point line, which must hold no field
// separator or line end: each comma, carriage return and line feed becomes a
// blank, and each double quote is dropped. changed is set when the text
// changes.
std::string PointField(std::string_view text, bool& changed);

}  // namespace chainforge
