// Arbitrary bytes as a document: the load scan must finish and catalogue
// only positions inside the document.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "landxml/DocumentScan.h"
#include "ui/ScriptedUserInterface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chainforge::CDocumentBuffer document;
    document.Assign(std::string_view(reinterpret_cast<const char*>(data), size));
    chainforge::CCatalogue catalogue;
    chainforge::CScriptedUserInterface ui;
    chainforge::ScanDocument(document, catalogue, ui);
    int formatMessages = 0;
    for (const std::string& message : ui.Messages()) {
        formatMessages += message.starts_with("Format does not match") ? 1 : 0;
    }
    if (formatMessages > 1) {
        std::abort();  // one format message per scan
    }
    for (const auto& group : catalogue.PointGroups()) {
        if (group.position > size) {
            std::abort();
        }
    }
    for (const auto& alignment : catalogue.Alignments()) {
        if (alignment.position > size) {
            std::abort();
        }
    }
    return 0;
}
