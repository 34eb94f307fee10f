// The load scan: walks the document tag by tag, keeps track of the top-level
// section it is in, passes over sections of no interest and records point
// groups and alignments (with their profiles and cross-section surfaces) in
// the catalogue.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

// Top-level sections that the scan can be inside.
enum SectionState : int {
    kTopLevel = 0,
    kUnits = 1,
    kPointGroup = 2,
    kAlignments = 3,
    kNestedPointGroup = 4,
    kRoadways = 10,
    kGradeModel = 11,
    kApplication = 100,
    kSurfaces = 102,
    kParcels = 103,
    kPipeNetworks = 104,
    kPipeNetwork = 105,
    kProject = 106,
    kFeature = 107,
    kSurveys = 108,
    kSurvey = 109,
    kCoordinateSystem = 110,
    kMonuments = 111,
    kPlanFeatures = 112,
    kPlanFeature = 113,
    kAmendment = 114,
    kFeatureDictionary = 115,
    kMaterialTable = 116,
    kTextureImageTable = 117,
    kDesignCrossSectionTemplateTable = 118,
    kSymbolTable = 119,
    kForeignElement = 120,  // an element of another namespace
};

inline constexpr const char* kUnnamedGroup = "UnNamed Group";

// The recognizer of one scan: the section state and the catalogue it fills.
class CTagRecognizer {
  public:
    struct Row;  // of the recognition table

    CTagRecognizer(CCatalogue& catalogue, CUserInterface& ui) : catalogue_(catalogue), ui_(ui) {}

    // Handles one tag text; position is the document position just after it.
    void RecognizeTag(std::string_view tagText, std::uint64_t position);

    // Consulted first while inside a section: false when the tag was dealt
    // with here, true when it goes on to the recognition table.
    bool SkipSectionTag(std::string_view tagText, std::uint64_t position);

    SectionState State() const { return state_; }

    // The element of the section the scan is in; empty at the top level.
    std::string_view SectionElement() const;

    // In a section where few tags matter: the prefix of its closing tag and
    // that of a second tag the scan must see (one that also ends it, one
    // that nests inside it, or one that it holds for the catalogue; or
    // empty). Empty elsewhere.
    std::pair<std::string_view, std::string_view> SkipTarget() const;

  private:
    bool RecognizeKnownTag(std::string_view tagText, std::uint64_t position);
    void Apply(const Row& row, std::string_view tagText, std::uint64_t position);
    void CheckVersion(std::string_view tagText);
    void ReportUnknownFormat();
    void EnterSection(std::string_view tagText, SectionState state);
    void OpenPointGroup(std::string_view tagText, std::uint64_t position, std::string name);
    void ClosePointGroup();
    void CountPointTag(std::string_view tagText);
    // A tag inside a section of that kind.
    void PointGroupTag(std::string_view tagText);
    void NestedPointGroupTag(std::string_view tagText);
    void AlignmentsTag(std::string_view tagText, std::uint64_t position);
    bool ApplicationTag(std::string_view tagText);
    void PassOverForeignElement(std::string_view tagText, std::string_view name);
    void PassOverSectionTag(std::string_view tagText);
    std::pair<std::string_view, std::string_view> SkippedElementTags() const;

    CCatalogue& catalogue_;
    CUserInterface& ui_;
    SectionState state_ = kTopLevel;
    bool formatReported_ = false;
    bool landXmlSeen_ = false;
    bool groupHasContent_ = false;
    int nestedGroups_ = 0;                  // open inside the group listed last
    SectionState groupParent_ = kTopLevel;  // where the group listed last stands
    // Elements of the skipped section's own name open at this point, the
    // section's included: a Parcel holds Parcels of its own.
    int depth_ = 0;
    std::string foreignOpening_;  // "<prefix:Name" of the foreign element passed over
    std::string foreignClosing_;
    SectionState foreignParent_ = kTopLevel;
};

// Clears the catalogue and scans the whole loaded document into it. Does
// nothing while no file is loaded. progress hears of the position now and
// then; when it returns false the scan stops, the catalogue incomplete.
// The catalogue records the element the file ends inside, when it does.
void ScanDocument(CDocumentBuffer& document, CCatalogue& catalogue, CUserInterface& ui,
                  const LoadProgress& progress = {});

}  // namespace chainforge
