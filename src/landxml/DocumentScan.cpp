#include "landxml/DocumentScan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "landxml/MakerInfo.h"
#include "landxml/NumberText.h"
#include "landxml/TextEncoding.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

enum class Action {
    None,
    Declaration,
    Version,
    Enter,  // enter the row's section unless the tag closes itself
    NamedPointGroup,
    UnnamedPointGroup,
    Roadways,
};

// How a row's tag is compared with the tag text.
enum class Match {
    Prefix,        // the text begins with the tag
    Element,       // ... followed by white space or ">": the element of that name
    EmptyElement,  // ... followed by white space or "/", and the text ends with "/>"
};

}  // namespace

struct CTagRecognizer::Row {
    std::string_view tag;
    Action action;
    SectionState state;
    Match match = Match::Prefix;
};

namespace {

using Row = CTagRecognizer::Row;

bool RowMatches(std::string_view tagText, const Row& row) {
    if (row.match == Match::Prefix) {
        return MatchesTag(tagText, row.tag);
    }
    if (!StartsWithNoCase(tagText, row.tag)) {
        return false;
    }
    const char next = tagText.size() > row.tag.size() ? tagText[row.tag.size()] : '\0';
    if (row.match == Match::Element) {
        return IsScanSpace(next) || next == '>';
    }
    return (IsScanSpace(next) || next == '/') && IsSelfClosing(tagText);
}

// Tested in order; the first row whose tag matches decides.
constexpr std::array kRecognitionTable{
    Row{"<?xml version=", Action::Declaration, kTopLevel},
    Row{"<?xml-stylesheet ", Action::None, kTopLevel},
    Row{"<BizTalk xmlns", Action::None, kTopLevel},
    Row{"<Body", Action::None, kTopLevel},
    // An empty point group, whatever its attributes: nothing to list.
    Row{"<CgPoints", Action::None, kTopLevel, Match::EmptyElement},
    Row{"<LandXML ", Action::Version, kTopLevel},
    Row{"<Units", Action::Enter, kUnits},
    Row{"<Application", Action::Enter, kApplication, Match::Element},
    Row{"<Surfaces", Action::Enter, kSurfaces, Match::Element},
    Row{"<Parcels", Action::Enter, kParcels, Match::Element},
    Row{"<PipeNetworks", Action::Enter, kPipeNetworks},
    Row{"<Pipe Network", Action::Enter, kPipeNetwork},
    Row{"<Project", Action::Enter, kProject, Match::Element},
    Row{"<Feature code", Action::Enter, kFeature},
    Row{"<Surveys", Action::Enter, kSurveys},
    Row{"<Survey", Action::Enter, kSurvey},
    Row{"<CoordinateSystem", Action::Enter, kCoordinateSystem},
    Row{"<Monuments", Action::Enter, kMonuments},
    Row{"<PlanFeatures", Action::Enter, kPlanFeatures},
    Row{"<PlanFeature", Action::Enter, kPlanFeature},
    Row{"<CgPoints name", Action::NamedPointGroup, kPointGroup},
    Row{"<CGPoints>", Action::UnnamedPointGroup, kPointGroup},
    Row{"<Alignments", Action::Enter, kAlignments, Match::Element},
    Row{"</LandXML", Action::None, kTopLevel},
    Row{"</Body", Action::None, kTopLevel},
    Row{"</BizTalk", Action::None, kTopLevel},
    Row{"<!--", Action::None, kTopLevel},
    Row{"<Roadways", Action::Roadways, kRoadways},
    Row{"<GradeModel", Action::Enter, kGradeModel},
    Row{"<Amendment", Action::Enter, kAmendment, Match::Element},
    Row{"<FeatureDictionary", Action::Enter, kFeatureDictionary, Match::Element},
    // New in LandXML 2.0: the looks of its surfaces, its symbols, and
    // cross-section templates that no alignment's sections refer to here.
    Row{"<MaterialTable", Action::Enter, kMaterialTable, Match::Element},
    Row{"<TextureImageTable", Action::Enter, kTextureImageTable, Match::Element},
    Row{"<SymbolTable", Action::Enter, kSymbolTable, Match::Element},
    Row{"<DesignCrossSectionTemplateTable", Action::Enter, kDesignCrossSectionTemplateTable,
        Match::Element},
};

// The closing tag of each section that is passed over up to it, and the
// opening tag of the same element, which may nest inside the section.
struct SectionEnd {
    SectionState state;
    std::string_view closingTag;
    std::string_view openingTag;
};

constexpr std::array kSectionEnds{
    SectionEnd{kUnits, "</Units", "<Units"},
    SectionEnd{kAlignments, "</Alignments", "<Alignments"},
    SectionEnd{kGradeModel, "</GradeModel", "<GradeModel"},
    SectionEnd{kSurfaces, "</Surfaces", "<Surfaces"},
    SectionEnd{kParcels, "</Parcels", "<Parcels"},
    SectionEnd{kPipeNetworks, "</PipeNetworks", "<PipeNetworks"},
    SectionEnd{kPipeNetwork, "</PipeNetwork", "<PipeNetwork"},
    SectionEnd{kProject, "</Project", "<Project"},
    SectionEnd{kFeature, "</Feature>", "<Feature"},
    SectionEnd{kSurveys, "</Surveys>", "<Surveys"},
    SectionEnd{kSurvey, "</Survey>", "<Survey"},
    SectionEnd{kCoordinateSystem, "</CoordinateSystem>", "<CoordinateSystem"},
    SectionEnd{kMonuments, "</Monuments>", "<Monuments"},
    SectionEnd{kPlanFeatures, "</PlanFeatures>", "<PlanFeatures"},
    SectionEnd{kPlanFeature, "</PlanFeature>", "<PlanFeature"},
    SectionEnd{kAmendment, "</Amendment", "<Amendment"},
    SectionEnd{kFeatureDictionary, "</FeatureDictionary", "<FeatureDictionary"},
    SectionEnd{kMaterialTable, "</MaterialTable", "<MaterialTable"},
    SectionEnd{kTextureImageTable, "</TextureImageTable", "<TextureImageTable"},
    SectionEnd{kSymbolTable, "</SymbolTable", "<SymbolTable"},
    SectionEnd{kDesignCrossSectionTemplateTable, "</DesignCrossSectionTemplateTable",
               "<DesignCrossSectionTemplateTable"},
};

// True when the tag closes the element of closingTag, not one whose name
// merely begins the same way ("</Parcels" is no "</ParcelsExtra>").
bool ClosesElement(std::string_view tagText, std::string_view closingTag) {
    if (closingTag.empty() || !StartsWithNoCase(tagText, closingTag)) {
        return false;
    }
    if (closingTag.ends_with('>') || tagText.size() == closingTag.size()) {
        return true;
    }
    const char next = tagText[closingTag.size()];
    return next == '>' || IsScanSpace(next);
}

// The prefixed name of a tag that opens or closes an element of another
// namespace ("<inf:Extra a='1'>" gives "inf:Extra"); empty for any other tag.
std::string_view ForeignElementName(std::string_view tagText) {
    const std::size_t start = tagText.starts_with("</") ? 2 : 1;
    if (!tagText.starts_with('<') || tagText.size() <= start) {
        return {};
    }
    const char first = tagText[start];
    if (!(std::isalpha(static_cast<unsigned char>(first)) || first == '_')) {
        return {};
    }
    const std::size_t end = std::min(tagText.find_first_of(" \t\r\n/>", start), tagText.size());
    const std::string_view name = tagText.substr(start, end - start);
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos || colon + 1 == name.size() ? std::string_view() : name;
}

// The prefix ("lx:") that a tag binds to the LandXML namespace itself;
// empty when it binds none.
std::string LandXmlPrefix(std::string_view tagText) {
    constexpr std::string_view kDeclaration = "xmlns:";
    for (std::size_t at = tagText.find(kDeclaration); at != std::string_view::npos;
         at = tagText.find(kDeclaration, at + 1)) {
        const std::size_t nameStart = at + kDeclaration.size();
        const std::size_t equals = tagText.find('=', nameStart);
        if (equals == std::string_view::npos) {
            break;
        }
        const std::string_view name = tagText.substr(nameStart, equals - nameStart);
        const auto uri = AttributeValue(tagText, std::string(kDeclaration) + std::string(name));
        if (uri && uri->find("landxml.org/schema") != std::string_view::npos) {
            return std::string(name) + ":";
        }
    }
    return {};
}

// The tag without the LandXML namespace's prefix ("<lx:Line ...>" as
// "<Line ...>"); nothing when it does not carry that prefix.
std::optional<std::string> WithoutPrefix(std::string_view tagText, std::string_view prefix) {
    const std::size_t start = tagText.starts_with("</") ? 2 : 1;
    if (prefix.empty() || tagText.size() <= start ||
        tagText.substr(start, prefix.size()) != prefix) {
        return std::nullopt;
    }
    std::string unprefixed(tagText.substr(0, start));
    return unprefixed.append(tagText.substr(start + prefix.size()));
}

// The name attribute of a tag that begins "<CgPoints" in exactly that case,
// in UTF-8, entities decoded; empty when either is not there.
std::string PointGroupNameAttribute(std::string_view tagText, TextEncoding encoding) {
    if (!tagText.starts_with("<CgPoints")) {
        return {};
    }
    return ReadableText(AttributeValue(tagText, "name").value_or(std::string_view()), encoding);
}

// A CgPoints opening tag with attributes other than a leading name.
bool IsAttributedPointGroup(std::string_view tagText) {
    return MatchesTag(tagText, "<CgPoints ") && !IsSelfClosing(tagText);
}

}  // namespace

void CTagRecognizer::RecognizeTag(std::string_view tagText, std::uint64_t position) {
    // A tag may bind a prefix to the LandXML namespace itself and name its
    // own element with it: that element is LandXML's. (Prefixes bound once
    // at the root are not followed: the readers would not read their
    // elements, and the scan would list what cannot be converted.)
    std::optional<std::string> unprefixed;
    if (!ForeignElementName(tagText).empty()) {
        unprefixed = WithoutPrefix(tagText, LandXmlPrefix(tagText));
    }
    if (unprefixed) {
        tagText = *unprefixed;
    }
    if (state_ != kTopLevel && !SkipSectionTag(tagText, position)) {
        return;
    }
    if (RecognizeKnownTag(tagText, position)) {
        return;
    }
    // Extensions of other namespaces stand anywhere in a LandXML document; a
    // file whose root is itself of another namespace is no LandXML.
    if (const std::string_view name = ForeignElementName(tagText); landXmlSeen_ && !name.empty()) {
        PassOverForeignElement(tagText, name);
        return;
    }
    ReportUnknownFormat();
}

// False when no row of the recognition table, nor any other form of a point
// group's opening tag, matches the tag.
bool CTagRecognizer::RecognizeKnownTag(std::string_view tagText, std::uint64_t position) {
    for (const Row& row : kRecognitionTable) {
        if (RowMatches(tagText, row)) {
            Apply(row, tagText, position);
            return true;
        }
    }
    if (IsAttributedPointGroup(tagText)) {
        const auto name = AttributeValue(tagText, "name");
        OpenPointGroup(tagText, position,
                       name && !name->empty() ? ReadableText(*name, catalogue_.Encoding())
                                              : std::string(kUnnamedGroup));
        return true;
    }
    return false;
}

void CTagRecognizer::Apply(const Row& row, std::string_view tagText, std::uint64_t position) {
    switch (row.action) {
        case Action::None:
            break;
        case Action::Declaration:
            catalogue_.SetEncoding(EncodingOfDeclaration(tagText));
            break;
        case Action::Version:
            landXmlSeen_ = true;
            CheckVersion(tagText);
            break;
        case Action::Enter:
            EnterSection(tagText, row.state);
            break;
        case Action::NamedPointGroup:
            OpenPointGroup(tagText, position,
                           PointGroupNameAttribute(tagText, catalogue_.Encoding()));
            break;
        case Action::UnnamedPointGroup:
            OpenPointGroup(tagText, position, kUnnamedGroup);
            break;
        case Action::Roadways:
            if (!StartsWithNoCase(tagText, "<Roadways/")) {
                EnterSection(tagText, row.state);
            }
            break;
    }
}

bool CTagRecognizer::SkipSectionTag(std::string_view tagText, std::uint64_t position) {
    switch (state_) {
        case kPointGroup:
            PointGroupTag(tagText);
            return false;
        case kNestedPointGroup:
            NestedPointGroupTag(tagText);
            return false;
        case kAlignments:
            AlignmentsTag(tagText, position);
            return false;
        case kRoadways:
            if (StartsWithNoCase(tagText, "</Roadways") ||
                StartsWithNoCase(tagText, "<Roadways/>")) {
                state_ = kTopLevel;
            }
            return false;
        case kApplication:
            return ApplicationTag(tagText);
        case kUnits:
            if (OpensElement(tagText, "<Metric") || OpensElement(tagText, "<Imperial")) {
                catalogue_.SetUnit(tagText);
            }
            break;
        case kSurvey:
            // A survey's point groups are listed like those at the top level.
            if (OpensElement(tagText, "<CgPoints")) {
                RecognizeKnownTag(tagText, position);
                return false;
            }
            break;
        default:
            break;
    }
    PassOverSectionTag(tagText);
    return false;
}

void CTagRecognizer::PointGroupTag(std::string_view tagText) {
    if (StartsWithNoCase(tagText, "</CgPoints")) {
        ClosePointGroup();
        return;
    }
    groupHasContent_ = true;
    if (StartsWithNoCase(tagText, "<CgPoints") && !IsSelfClosing(tagText)) {
        state_ = kNestedPointGroup;
        nestedGroups_ = 1;
    } else {
        CountPointTag(tagText);
    }
}

// Groups nest to any depth; their points are the outer group's.
void CTagRecognizer::NestedPointGroupTag(std::string_view tagText) {
    if (StartsWithNoCase(tagText, "</CgPoints")) {
        state_ = --nestedGroups_ == 0 ? kPointGroup : kNestedPointGroup;
    } else if (StartsWithNoCase(tagText, "<CgPoints") && !IsSelfClosing(tagText)) {
        ++nestedGroups_;
    } else {
        CountPointTag(tagText);
    }
}

void CTagRecognizer::AlignmentsTag(std::string_view tagText, std::uint64_t position) {
    if (StartsWithNoCase(tagText, "</Alignments")) {
        state_ = kTopLevel;
    } else if (MatchesTag(tagText, "<Alignment ")) {
        catalogue_.AddAlignment(tagText, position);
    } else if (MatchesTag(tagText, "<CrossSectSurf ")) {
        catalogue_.AddCrossSectionSurface(tagText, position);
    } else if (MatchesTag(tagText, "<ProfSurf ") || MatchesTag(tagText, "<ProfAlign ")) {
        catalogue_.AddProfile(tagText, position);
    } else if (OpensElement(tagText, "<StaEquation")) {
        catalogue_.AddStationEquation(tagText);
    } else if (MatchesTag(tagText, "<DesignCrossSectSurf ") ||
               StartsWithNoCase(tagText, "<DesignCrossSectSurf>")) {
        catalogue_.AddCorridorSurface();
    } else {
        catalogue_.CountGeometry(tagText);
    }
}

// Only Author and extensions of other namespaces stand in Application: any
// other tag ends it and is recognized at the top level.
bool CTagRecognizer::ApplicationTag(std::string_view tagText) {
    if (StartsWithNoCase(tagText, "</Application")) {
        state_ = kTopLevel;
        return false;
    }
    if (StartsWithNoCase(tagText, "<Author") || StartsWithNoCase(tagText, "</Author")) {
        return false;
    }
    if (const std::string_view name = ForeignElementName(tagText); !name.empty()) {
        PassOverForeignElement(tagText, name);
        return false;
    }
    state_ = kTopLevel;
    return true;
}

// A tag met in a section passed over up to its own closing tag.
void CTagRecognizer::PassOverSectionTag(std::string_view tagText) {
    const auto [closing, opening] = SkippedElementTags();
    if (ClosesElement(tagText, closing)) {
        if (--depth_ == 0) {
            state_ = state_ == kForeignElement ? foreignParent_ : kTopLevel;
        }
    } else if (!opening.empty() && OpensElement(tagText, opening) && !IsSelfClosing(tagText)) {
        ++depth_;
    }
}

void CTagRecognizer::PassOverForeignElement(std::string_view tagText, std::string_view name) {
    // A closing tag or an empty element leaves nothing to pass over.
    if (tagText.starts_with("</") || IsSelfClosing(tagText)) {
        return;
    }
    foreignOpening_ = name;
    foreignOpening_.insert(foreignOpening_.begin(), '<');
    foreignClosing_ = foreignOpening_;
    foreignClosing_.insert(foreignClosing_.begin() + 1, '/');
    foreignParent_ = state_;
    state_ = kForeignElement;
    depth_ = 1;
}

// The closing and the opening tag of the element whose section the scan
// passes over; empty in other states.
std::pair<std::string_view, std::string_view> CTagRecognizer::SkippedElementTags() const {
    if (state_ == kForeignElement) {
        return {foreignClosing_, foreignOpening_};
    }
    for (const SectionEnd& end : kSectionEnds) {
        if (end.state == state_) {
            return {end.closingTag, end.openingTag};
        }
    }
    return {};
}

std::pair<std::string_view, std::string_view> CTagRecognizer::SkipTarget() const {
    switch (state_) {
        case kTopLevel:
        case kPointGroup:  // its points are counted
        case kNestedPointGroup:
        case kAlignments:
        case kApplication:
        case kUnits:  // its few tags are read for the linear unit
            return {};
        case kRoadways:
            return {"</Roadways", "<Roadways/>"};
        case kSurvey:
            return {"</Survey>", "<CgPoints"};
        default:
            return SkippedElementTags();
    }
}

std::string_view CTagRecognizer::SectionElement() const {
    switch (state_) {
        case kTopLevel:
            return {};
        case kPointGroup:
        case kNestedPointGroup:
            return "CgPoints";
        case kAlignments:
            return "Alignments";
        case kRoadways:
            return "Roadways";
        case kApplication:
            return "Application";
        default:
            break;
    }
    const std::string_view opening = SkippedElementTags().second;
    return opening.empty() ? opening : opening.substr(1);
}

void CTagRecognizer::CheckVersion(std::string_view tagText) {
    double version = 0.0;
    if (const auto text = AttributeValue(tagText, "version", NameCase::Any)) {
        ReadLeadingDouble(*text, version);
    }
    // 1.2 is the version nearly every current export declares, and it is read.
    if (version > 1.2) {
        ui_.ShowMessage(std::string("This version is newer than what this program understands.  "
                                    "You might want to check ") +
                        kMakerWebAddress + " for a newer version");
    }
}

void CTagRecognizer::ReportUnknownFormat() {
    // One message per scan: a file of an unknown layout would otherwise raise
    // one message for every tag it holds.
    if (formatReported_) {
        return;
    }
    formatReported_ = true;
    ui_.ShowMessage(std::string("Format does not match known types.  Please e-mail this file to ") +
                    kMakerSupportEmail);
}

void CTagRecognizer::EnterSection(std::string_view tagText, SectionState state) {
    // A self-closing tag has no content to pass over.
    if (!IsSelfClosing(tagText)) {
        state_ = state;
        depth_ = 1;
    }
}

void CTagRecognizer::OpenPointGroup(std::string_view tagText, std::uint64_t position,
                                    std::string name) {
    if (IsSelfClosing(tagText)) {
        return;
    }
    catalogue_.AddPointGroup(std::move(name), position);
    groupParent_ = state_;
    state_ = kPointGroup;
    groupHasContent_ = false;
}

void CTagRecognizer::CountPointTag(std::string_view tagText) {
    if (MatchesTag(tagText, "<CgPoint ") || StartsWithNoCase(tagText, "<CgPoint>")) {
        catalogue_.CountPoint();
    }
}

void CTagRecognizer::ClosePointGroup() {
    // <CgPoints></CgPoints> is listed no more than <CgPoints/> is.
    if (!groupHasContent_) {
        catalogue_.RemoveLastPointGroup();
    }
    state_ = groupParent_;
}

namespace {

// Follows the root element through a scan: a whole file's last tag closes it.
class CRootElement {
  public:
    void See(std::string_view tagText) {
        if (name_.empty()) {
            Open(tagText);
        } else {
            closed_ = tagText.size() > name_.size() + 2 && tagText.starts_with("</") &&
                      tagText.substr(2).starts_with(name_) &&
                      (tagText[name_.size() + 2] == '>' || IsScanSpace(tagText[name_.size() + 2]));
        }
    }
    // The root's name when the file ended before it closed, or empty.
    std::string_view Unclosed() const { return closed_ ? std::string_view() : name_; }

  private:
    void Open(std::string_view tagText) {
        if (tagText.size() < 2 || tagText[0] != '<' || tagText[1] == '?' || tagText[1] == '!' ||
            tagText[1] == '/') {
            return;
        }
        const std::size_t end = tagText.find_first_of(" \t\r\n/>", 1);
        name_ = tagText.substr(1, end == std::string_view::npos ? end : end - 1);
        closed_ = IsSelfClosing(tagText);
    }

    std::string name_;
    bool closed_ = true;
};

}  // namespace

void ScanDocument(CDocumentBuffer& document, CCatalogue& catalogue, CUserInterface& ui,
                  const LoadProgress& progress) {
    if (!document.IsLoaded()) {
        return;
    }
    catalogue.ClearCatalogue();
    document.Seek(0);
    CTagRecognizer recognizer(catalogue, ui);
    std::string lineBuffer;
    CRootElement root;
    bool anyTag = false;
    constexpr std::uint32_t kTagsBetweenReports = 1u << 16;
    std::uint32_t tags = 0;
    while (!document.AtEnd()) {
        if (progress && ++tags % kTagsBetweenReports == 0 &&
            !progress(document.Position(), document.Size())) {
            return;
        }
        if (const auto [closing, other] = recognizer.SkipTarget(); !closing.empty()) {
            document.SkipToTag(closing, other);
        }
        if (document.ReadTag(lineBuffer)) {
            anyTag = true;
            root.See(lineBuffer);
            recognizer.RecognizeTag(lineBuffer, document.Position());
        }
    }
    const std::string_view section = recognizer.SectionElement();
    catalogue.SetEndedInside(std::string(section.empty() ? root.Unclosed() : section));
    // A non-empty file without a single complete tag is of no known format.
    if (!anyTag && document.Size() > 0) {
        recognizer.RecognizeTag(std::string_view(), document.Position());
    }
}

}  // namespace chainforge
