// The point line and the point list, the one representation of points that
// the readers and the ASCII point file share. A point line is five fields
// joined by commas: name or number, northing, easting, elevation,
// description, each kept as the text its source gave.
#pragma once

#include <string>
#include <vector>

namespace chainforge {

using PointList = std::vector<std::string>;

}  // namespace chainforge
