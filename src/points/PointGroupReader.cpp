#include "points/PointGroupReader.h"

namespace chainforge {

void ReadPointGroup(CDocumentBuffer&, const Catalogue&, const std::string&, PointList&) {}

}  // namespace chainforge
