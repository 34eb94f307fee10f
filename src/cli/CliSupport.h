// Pieces shared by the commands of chainforge-cli.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

// Reports a usage error with a hint and returns exit status 2.
int UsageError(std::ostream& err, const std::string& problem);

// OpenAndScan, its failure told through ui: false, after "Cannot open file
// PATH", when the file cannot be loaded, and after "The file is empty" when
// it holds nothing.
bool LoadAndScan(const std::string& path, CDocumentBuffer& document, CCatalogue& catalogue,
                 CUserInterface& ui);

// Writes a file named on the command line; false, after the message, when
// it could not be written.
bool WriteNamedFile(const std::string& path, std::string_view content, CUserInterface& ui);

// Tells, as a conversion does, that the scanned file ends inside an element;
// true when it does.
bool ReportEndedInside(const CCatalogue& catalogue, CUserInterface& ui);

// The message of a file that ends inside element, and how it begins.
std::string EndedInsideMessage(const std::string& element);
inline constexpr std::string_view kEndedInside = "The file ends inside ";

}  // namespace chainforge
