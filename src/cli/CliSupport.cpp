#include "cli/CliSupport.h"

#include <ostream>

#include "cli/CommandLineUserInterface.h"
#include "convert/OpenDocument.h"
#include "io/OutputFile.h"

namespace chainforge {

int UsageError(std::ostream& err, const std::string& problem) {
    CCommandLineUserInterface::WriteLine(err, problem);
    err << "Try 'chainforge-cli --help' for more information.\n";
    return 2;
}

bool LoadAndScan(const std::string& path, CDocumentBuffer& document, CCatalogue& catalogue,
                 CUserInterface& ui) {
    const LoadResult loaded = OpenAndScan(path, document, catalogue, ui);
    if (loaded.status != LoadStatus::Loaded) {
        ui.ShowMessage(loaded.message);
        return false;
    }
    return true;
}

bool WriteNamedFile(const std::string& path, std::string_view content, CUserInterface& ui) {
    const WriteResult result = WriteOutputFile(path, content);
    if (result.status == WriteStatus::Failed) {
        ui.ShowMessage(result.message);
    }
    return result.status == WriteStatus::Written;
}

std::string EndedInsideMessage(const std::string& element) {
    return std::string(kEndedInside) + element + "; the output is incomplete";
}

bool ReportEndedInside(const CCatalogue& catalogue, CUserInterface& ui) {
    if (catalogue.EndedInside().empty()) {
        return false;
    }
    ui.ShowMessage(EndedInsideMessage(catalogue.EndedInside()));
    return true;
}

}  // namespace chainforge
