// Arbitrary bytes as a document: the load scan must finish and catalogue
// only positions inside the document.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/ScriptedUserInterface.h"
#include "landxml/DocumentScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chainforge::CDocumentBuffer document;
    document.Assign(std::string_view(reinterpret_cast<const char*>(data), size));
    chainforge::Catalogue catalogue;
    chainforge::ScriptedUserInterface ui;
    chainforge::ScanDocument(document, catalogue, ui);
    if (ui.Messages().size() > 2) {
        std::abort();  // at most the version and the format message
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
