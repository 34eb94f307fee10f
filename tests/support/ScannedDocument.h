// A LandXML document held in memory and scanned, as the readers find it after
// a file has been loaded, and ways to build one from lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "landxml/DocumentScan.h"
#include "landxml/ReadContext.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge::test {

using Lines = std::vector<std::string>;

struct ScannedDocument {
    CDocumentBuffer document;
    CCatalogue catalogue;
    CScriptedUserInterface ui;

    explicit ScannedDocument(std::string_view bytes) {
        document.Assign(bytes);
        ScanDocument(document, catalogue, ui);
        ui.ClearEvents();
    }

    ReadContext Context() { return {document, catalogue, ui}; }
};

inline Lines operator+(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The lines between a LandXML opening and closing tag, each ended by CR LF.
inline std::string LandXml(const Lines& body) {
    return CrLf(Lines{"<?xml version=\"1.0\"?>", "<LandXML version=\"1.1\">"} + body +
                Lines{"</LandXML>"});
}

// One alignment per body, named A, B, C and so on, starting at station 0.
inline std::string AlignmentsDocument(const std::vector<Lines>& bodies) {
    Lines lines{"<Alignments>"};
    char name = 'A';
    for (const Lines& body : bodies) {
        lines.push_back(std::string("<Alignment name=\"") + name++ + "\" staStart=\"0\">");
        lines = lines + body + Lines{"</Alignment>"};
    }
    return LandXml(lines + Lines{"</Alignments>"});
}

}  // namespace chainforge::test
