// Pieces shared by the commands of chainforge-cli.
#pragma once

#include <iosfwd>
#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

// Reports a usage error with a hint and returns exit status 2.
int UsageError(std::ostream& err, const std::string& problem);

// Loads path and scans it into catalogue, messages through ui. False, after
// "Cannot open file PATH", when the file cannot be loaded.
bool LoadAndScan(const std::string& path, CDocumentBuffer& document, Catalogue& catalogue,
                 UserInterface& ui);

}  // namespace chainforge
