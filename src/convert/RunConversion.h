// One press of "Create": re-reads the selected sections of the loaded
// document and writes the ASCII point file and the chain file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "alignment/HorizontalAlignmentReader.h"
#include "convert/ConversionReport.h"
#include "convert/WrittenUnit.h"
#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "landxml/ReadContext.h"
#include "points/PointList.h"
#include "ui/UserInterface.h"
#include "xsection/CrossSectionReader.h"
#include "xsection/TemplateList.h"

namespace chainforge {

// The user's choices: a name for each list, or nothing selected.
struct ConversionSelections {
    std::optional<std::string> pointGroup;
    std::optional<std::string> alignment;
    std::optional<std::string> profile;
    std::optional<std::string> surface;
    bool asciiPoints = false;  // take the points from an ASCII point file
    // Its tolerance is a length of the unit written.
    SpiralOptions spirals;
    // The unit to write lengths in; nothing writes the file's own numbers.
    std::optional<WrittenUnit> linearUnit;
    // The LandXML file: never taken as an output, and its folder and stem are
    // what the save dialogs suggest.
    std::string documentPath;
    // Asked before each file is written: true stops the run there, so that
    // every file written is whole and the report says which were.
    std::function<bool()> cancelled;
};

inline constexpr const char* kVpiOnlyQuestion =
    "Cross-sections without Profiles will create VPI only in file.  Continue?";

// What the readers make of the selections: the contents of the two files,
// and what the readers met on the way.
struct ConversionContent {
    PointList points;
    std::string horizontalControl;
    std::string verticalControl;
    TemplateList leftTemplates;
    TemplateList rightTemplates;
    HorizontalReadCounts horizontal;
    SectionReadCounts sections;
    // The sections as read, gathered only when asked for.
    bool gatherSections = false;
    std::vector<SectionPairs> sectionPairs;
};

// Runs the readers of a conversion into content, adding what they met to the
// report, and scales what they made to the unit chosen. False when the run
// ends before anything is written: a unit chosen that the file's cannot be
// converted to, the question before a vertical control from the sections
// answered No, the ASCII point file not read, or corridor sections relative
// to the grade line without a profile. spiralWarning is the owner's flag
// that lets the spiral message show once.
bool ReadConversionContent(const ReadContext& context, const ConversionSelections& selections,
                           bool& spiralWarning, ConversionReport& report,
                           ConversionContent& content);

// Whether a reader met the end of the data inside its element: such a run
// writes nothing, so that a file cut off in transfer never replaces a whole
// one of the same name with a part.
bool ReadWasCutOff(const ConversionReport& report);

// spiralWarning is the owner's flag that lets the spiral message show once.
// Returns what was written and what was left out.
ConversionReport RunConversion(const ConversionSelections& selections, CDocumentBuffer& document,
                               const CCatalogue& catalogue, bool& spiralWarning,
                               CUserInterface& ui);

// The parts of a conversion that a batch runs apart, so that every chain file
// of a LandXML file numbers its vertices against one point list, the one its
// point file holds. selections gives the LandXML file's path (never written
// over) and the alignment's items; ui answers with the names to write.

// Appends the points of the named groups, in that order, to points; the
// report is that of a conversion of those groups. When the data ends inside
// a group it says that nothing is written.
ConversionReport GatherPointGroups(const ConversionSelections& selections,
                                   const std::vector<std::string>& groups,
                                   CDocumentBuffer& document, const CCatalogue& catalogue,
                                   PointList& points, CUserInterface& ui);

// Writes points as the ASCII point file, adding it and its messages to report.
void WritePointFile(const ConversionSelections& selections, const PointList& points,
                    ConversionReport& report, CUserInterface& ui);

// A conversion of the selected alignment that writes only the chain file,
// its vertices numbered against points; once the chain file is written, the
// vertices that stand on none of them are appended to points.
ConversionReport RunChainConversion(const ConversionSelections& selections,
                                    CDocumentBuffer& document, const CCatalogue& catalogue,
                                    bool& spiralWarning, PointList& points, CUserInterface& ui);

}  // namespace chainforge
