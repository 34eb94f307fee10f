#include "points/AsciiPointFile.h"

namespace chainforge {

int ReadAsciiPointFile(UserInterface&, PointList&) { return 0; }
int WriteAsciiPointFile(UserInterface&, const PointList&) { return 0; }

}  // namespace chainforge
