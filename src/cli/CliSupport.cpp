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
    if (document.Size() == 0) {
        ui.ShowMessage("The file is empty");
        return false;
    }
    ScanDocument(document, catalogue, ui);
    return true;
}

std::string EndedInsideMessage(const std::string& element) {
    return std::string(kEndedInside) + element + "; the output is incomplete";
}

bool ReportEndedInside(const Catalogue& catalogue, UserInterface& ui) {
    if (catalogue.EndedInside().empty()) {
        return false;
    }
    ui.ShowMessage(EndedInsideMessage(catalogue.EndedInside()));
    return true;
}

}  // namespace chainforge
