#pragma once

#include <string>

#include "io/OutputFile.h"
#include "ui/UserInterface.h"
#include "xsection/TemplateList.h"

namespace chainforge {

// Asks for a file name and writes the chain file. With all four parts empty
// it is NothingToWrite, asked for no name; a failure is shown here.
[[nodiscard]] WriteResult WriteChainFile(CUserInterface& ui, const std::string& horizontalControl,
                                         const std::string& verticalControl,
                                         const TemplateList& leftTemplates,
                                         const TemplateList& rightTemplates);

}  // namespace chainforge
