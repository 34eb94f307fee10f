#pragma once

#include <string>

#include "ui/UserInterface.h"
#include "xsection/TemplateList.h"

namespace chainforge {

// Asks for a file name and writes the chain file. 1 when written or when
// there is nothing to write (no dialog then); 0 when the dialog was cancelled
// or the file could not be written (after the message).
int WriteChainFile(UserInterface& ui, const std::string& horizontalControl,
                   const std::string& verticalControl, const TemplateList& leftTemplates,
                   const TemplateList& rightTemplates);

}  // namespace chainforge
