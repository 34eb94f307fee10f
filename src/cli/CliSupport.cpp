#include "cli/CliSupport.h"

#include <ostream>

#include "cli/CommandLineUserInterface.h"
#include "landxml/DocumentScan.h"

namespace chainforge {

int UsageError(std::ostream& err, const std::string& problem) {
    CommandLineUserInterface::WriteLine(err, problem);
    err << "Try 'chainforge-cli --help' for more information.\n";
    return 2;
}

bool LoadAndScan(const std::string& path, CDocumentBuffer& document, Catalogue& catalogue,
                 UserInterface& ui) {
    if (document.Open(path) != 0) {
        ui.ShowMessage("Cannot open file " + path);
        return false;
    }
    ScanDocument(document, catalogue, ui);
    return true;
}

}  // namespace chainforge
