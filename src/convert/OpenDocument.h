// Loading a LandXML file and scanning it into the catalogue, as both
// programs do before anything can be selected.
#pragma once

#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

enum class LoadStatus { Loaded, Empty, CannotOpen, Stopped };

struct [[nodiscard]] LoadResult {
    LoadStatus status = LoadStatus::CannotOpen;
    // For CannotOpen and Empty: "Cannot open file PATH", "The file is empty".
    std::string message{};
};

// Loads path into document and scans it into catalogue, the scan's messages
// through ui. Empty for a file that holds nothing, scanned all the same so
// that the catalogue is left empty. Stopped when progress returned false,
// during the load or the scan.
[[nodiscard]] LoadResult OpenAndScan(const std::string& path, CDocumentBuffer& document,
                                     CCatalogue& catalogue, CUserInterface& ui,
                                     const LoadProgress& progress = {});

}  // namespace chainforge
