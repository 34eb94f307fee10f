#include "alignment/HorizontalAlignmentReader.h"

namespace chainforge {

bool SamePosition(std::string_view, std::string_view) { return false; }

void ReadHorizontalAlignment(CDocumentBuffer&, const Catalogue&, UserInterface&, bool&, PointList&,
                             const std::string&, std::string&) {}

}  // namespace chainforge
