// A LandXML document held in memory and scanned, as the readers find it
// after a file has been loaded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "landxml/DocumentScan.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge::test {

struct ScannedDocument {
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;

    explicit ScannedDocument(std::string_view bytes) {
        document.Assign(bytes);
        ScanDocument(document, catalogue, ui);
        ui.ClearEvents();
    }
};

// The lines between a LandXML opening and closing tag, each ended by CR LF.
inline std::string LandXml(const std::vector<std::string>& body) {
    std::vector<std::string> lines{"<?xml version=\"1.0\"?>", "<LandXML version=\"1.1\">"};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("</LandXML>");
    return CrLf(lines);
}

}  // namespace chainforge::test
