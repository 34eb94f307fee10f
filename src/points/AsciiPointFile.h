#pragma once

#include "points/PointList.h"
#include "ui/UserInterface.h"

namespace chainforge {

// Asks for an ASCII point file and appends its lines to points. 0 when the
// dialog was cancelled, 1 when the file was read, 2 when it could not be
// opened (after the message).
int ReadAsciiPointFile(UserInterface& ui, PointList& points);

// Asks for a file name and writes the point list there, one line each.
// 1 when written; 0 for an empty list (no dialog), a cancelled dialog or a
// file that could not be written (after the message).
int WriteAsciiPointFile(UserInterface& ui, const PointList& points);

}  // namespace chainforge
