#include "xsection/CrossSectionReader.h"

namespace chainforge {

void ReadCrossSections(CDocumentBuffer&, const Catalogue&, UserInterface&, const std::string&,
                       std::string&, const std::string&, TemplateList&, TemplateList&) {}

}  // namespace chainforge
