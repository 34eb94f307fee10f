#pragma once

#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

// Reads the named profile of the named alignment into the vertical control
// text: its first vertex replaces the text, later ones are appended.
void ReadProfile(CDocumentBuffer& document, const Catalogue& catalogue, UserInterface& ui,
                 const std::string& alignmentName, const std::string& profileName,
                 std::string& verticalControl);

}  // namespace chainforge
