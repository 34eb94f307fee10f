#pragma once

#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"
#include "xsection/TemplateList.h"

namespace chainforge {

// Reads the cross-sections of the named alignment for the named surface into
// left and right templates. With a vertical control text it evaluates that
// profile at each section; with an empty one it builds the vertical control
// from the sections' centre points.
void ReadCrossSections(CDocumentBuffer& document, const Catalogue& catalogue, UserInterface& ui,
                       const std::string& alignmentName, std::string& verticalControl,
                       const std::string& surfaceName, TemplateList& leftTemplates,
                       TemplateList& rightTemplates);

}  // namespace chainforge
