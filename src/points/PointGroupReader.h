#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "landxml/ReadContext.h"
#include "points/PointList.h"

namespace chainforge {

// What one read of a point group met, for the conversion report.
struct PointGroupReadCounts {
    bool complete = true;            // false when the data ended inside the group
    std::int64_t leftOut = 0;        // points with a value that cannot be converted
    std::int64_t fieldsChanged = 0;  // points whose name or description was changed
};

// The point lines of one read and what it met.
struct PointGroupRead {
    PointList points;
    PointGroupReadCounts counts;
};

// One point line for every point of the named point group (what was read is
// kept when the data ends inside the group); none for a name the catalogue
// does not list. A point whose northing, easting or elevation is there but
// is not a number, or is too large, is left out after a message naming it.
PointGroupRead ReadPointGroup(const ReadContext& context, const std::string& groupName);

// A name or description as a field of a point line, which must hold no field
// separator or line end: each comma, carriage return and line feed becomes a
// blank, and each double quote is dropped. changed is set when the text
// changes.
std::string PointField(std::string_view text, bool& changed);

}  // namespace chainforge
