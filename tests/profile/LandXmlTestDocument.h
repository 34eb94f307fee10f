// In-memory LandXML documents for the profile and cross-section tests,
// scanned as after loading a file.
#pragma once

#include <string>
#include <vector>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "landxml/DocumentScan.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge::test {

using Lines = std::vector<std::string>;

struct ScannedDocument {
    explicit ScannedDocument(const std::string& bytes) {
        document.Assign(bytes);
        ScanDocument(document, catalogue, ui);
        ui.ClearEvents();
    }
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;
};

inline Lines DocumentHead() {
    return {"<?xml version=\"1.0\"?>", "<LandXML version=\"1.1\">", "<Alignments>"};
}

inline Lines DocumentTail() {
    return {"</Alignments>", "</LandXML>"};
}

inline void Append(Lines& lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

// One alignment per body, named A, B, C and so on, lines ended by CR LF.
inline std::string AlignmentsDocument(const std::vector<Lines>& bodies) {
    Lines lines = DocumentHead();
    char name = 'A';
    for (const Lines& body : bodies) {
        lines.push_back(std::string("<Alignment name=\"") + name++ + "\" staStart=\"0\">");
        Append(lines, body);
        lines.push_back("</Alignment>");
    }
    Append(lines, {"</Alignments>", "</LandXML>"});
    return CrLf(lines);
}

inline std::string AlignmentDocument(const Lines& body) {
    return AlignmentsDocument({body});
}

}  // namespace chainforge::test
