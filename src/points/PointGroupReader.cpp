#include "points/PointGroupReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "landxml/NumberCheck.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr std::string_view kGroupEnd = "/CGPOINTS>";
constexpr std::array<std::string_view, 3> kValueNames{"northing", "easting", "elevation"};

// The value of the line's desc attribute, entities decoded; empty when there
// is none.
std::string Description(std::string_view line) {
    return DecodeEntities(AttributeValue(line, "desc").value_or(std::string_view()));
}

// Point elements may keep their text on the following lines; other lines of
// the group are taken as they stand.
bool IsPointElement(std::string_view line) {
    return OpensElement(line, "CGPOINT");
}

// Names the points of one group: the name attribute when it has a value,
// otherwise the next of the group's running numbers.
class CPointNamer {
  public:
    std::string NameOf(std::string_view openingTag) {
        const auto name = AttributeValue(openingTag, "name");
        if (name && !name->empty()) {
            return DecodeEntities(*name);
        }
        return FormatInt(nextNumber_++);
    }

  private:
    std::int64_t nextNumber_ = 1;
};

// A point's values and description as the file writes them.
struct PointText {
    std::vector<std::string_view> values;  // views of the document's bytes
    std::string description;
};

// The CgPoint elements of the whole document that have a name and values, by
// name: what a point that refers to another (pntRef="...") stands for.
class CNamedPoints {
  public:
    explicit CNamedPoints(std::string_view bytes);

    // The first such point in the document of that name (entities decoded on
    // both sides); none when there is none.
    const PointText* Find(std::string_view reference) const {
        const auto found = points_.find(DecodeEntities(reference));
        return found == points_.end() ? nullptr : &found->second;
    }

  private:
    void Add(std::string_view element);

    std::unordered_map<std::string, PointText> points_;
};

CNamedPoints::CNamedPoints(std::string_view bytes) {
    for (std::size_t at = NextMarkup(bytes, 0); at != std::string_view::npos;
         at = NextMarkup(bytes, at + 1)) {
        if (OpensElement(bytes.substr(at), "<CgPoint")) {
            Add(bytes.substr(at));
        }
    }
}

// Takes in the point whose opening tag begins the text.
void CNamedPoints::Add(std::string_view element) {
    const std::size_t tagEnd = element.find('>');
    if (tagEnd == std::string_view::npos || IsSelfClosing(element.substr(0, tagEnd + 1))) {
        return;
    }
    const std::string_view tag = element.substr(0, tagEnd);
    const auto name = AttributeValue(tag, "name");
    const std::string_view text =
        element.substr(tagEnd + 1, element.find('<', tagEnd) - tagEnd - 1);
    std::vector<std::string_view> values = ValueTokens(text, kValueNames.size());
    if (name && !values.empty()) {
        points_.emplace(DecodeEntities(*name), PointText{std::move(values), Description(tag)});
    }
}

// Turns the lines of one group into point lines.
class CPointLineMaker {
  public:
    CPointLineMaker(const CDocumentBuffer& document, CUserInterface& ui, PointList& points,
                    PointGroupReadCounts& counts)
        : document_(document), ui_(ui), points_(points), counts_(counts) {}

    // Appends the point of one line of the group, if the line holds one.
    void AddPointOfLine(std::string_view line);

  private:
    void AddReferencedPoint(std::string_view openingTag, std::string_view reference);
    bool ValuesConvert(const std::string& name, const std::vector<std::string_view>& values);
    void AppendPoint(const std::string& name, const std::vector<std::string_view>& values,
                     std::string_view description);

    const CDocumentBuffer& document_;
    CUserInterface& ui_;
    PointList& points_;
    PointGroupReadCounts& counts_;
    CPointNamer namer_;
    std::optional<CNamedPoints> namedPoints_;  // built at the first reference
    std::set<std::string> missingReferences_;
};

void CPointLineMaker::AddPointOfLine(std::string_view line) {
    const std::size_t tagEnd = line.find('>');
    if (tagEnd == std::string_view::npos) {
        return;
    }
    const std::string_view openingTag = line.substr(0, tagEnd);
    const std::vector<std::string_view> values =
        ValueTokens(line.substr(tagEnd + 1), kValueNames.size());
    if (values.empty()) {
        // A point without values of its own may stand for one given elsewhere.
        if (const auto reference = AttributeValue(openingTag, "pntRef");
            reference && IsPointElement(line)) {
            AddReferencedPoint(openingTag, *reference);
        }
        return;
    }
    const std::string name = namer_.NameOf(openingTag);
    if (ValuesConvert(name, values)) {
        AppendPoint(name, values, Description(line));
    }
}

// The referenced point's values, under the referring point's name and
// description when it has them, else under the referenced point's. A
// reference that cannot be found adds nothing and is told once.
void CPointLineMaker::AddReferencedPoint(std::string_view openingTag, std::string_view reference) {
    if (!namedPoints_) {
        namedPoints_.emplace(document_.Bytes());
    }
    const PointText* point = namedPoints_->Find(reference);
    if (point == nullptr) {
        if (std::string name = DecodeEntities(reference); missingReferences_.insert(name).second) {
            ui_.ShowMessage("Point reference " + name + " cannot be found");
        }
        return;
    }
    const auto ownName = AttributeValue(openingTag, "name");
    const std::string name = DecodeEntities(ownName && !ownName->empty() ? *ownName : reference);
    if (!ValuesConvert(name, point->values)) {
        return;
    }
    const std::string description = Description(openingTag);
    AppendPoint(name, point->values, description.empty() ? point->description : description);
}

// False, after the message, when a value is not a number or too large.
bool CPointLineMaker::ValuesConvert(const std::string& name,
                                    const std::vector<std::string_view>& values) {
    std::vector<double> numbers;
    const auto bad = CheckValues(values, kValueNames, numbers);
    if (!bad) {
        return true;
    }
    ui_.ShowMessage(BadNumberMessage("Point " + name, *bad));
    ++counts_.leftOut;
    return false;
}

// The values are written as the file gives them; values that are not
// there stay empty.
void CPointLineMaker::AppendPoint(const std::string& name,
                                  const std::vector<std::string_view>& values,
                                  std::string_view description) {
    bool changed = false;
    std::string point = PointField(name, changed);
    for (std::size_t i = 0; i < kValueNames.size(); ++i) {
        point.push_back(',');
        point.append(i < values.size() ? values[i] : std::string_view());
    }
    point.push_back(',');
    point.append(PointField(description, changed));
    counts_.fieldsChanged += changed ? 1 : 0;
    points_.push_back(std::move(point));
}

}  // namespace

std::string PointField(std::string_view text, bool& changed) {
    std::string field;
    field.reserve(text.size());
    for (const char c : text) {
        if (c == '"') {
            changed = true;
        } else if (c == ',' || c == '\r' || c == '\n') {
            field.push_back(' ');
            changed = true;
        } else {
            field.push_back(c);
        }
    }
    return field;
}

PointGroupRead ReadPointGroup(const ReadContext& context, const std::string& groupName) {
    PointGroupRead read;
    const PointGroupEntry* group = context.catalogue.FindPointGroup(groupName);
    if (group == nullptr) {
        return read;
    }
    CDocumentBuffer& document = context.document;
    document.Seek(group->position);
    CPointLineMaker maker(document, context.ui, read.points, read.counts);
    std::string line;
    while (document.ReadLine(line)) {
        if (ContainsNoCase(line, kGroupEnd)) {
            return read;
        }
        const std::string closing =
            IsPointElement(line) ? document.ContinueElement(line) : std::string();
        maker.AddPointOfLine(line);
        if (ContainsNoCase(closing, kGroupEnd)) {
            return read;
        }
    }
    read.counts.complete = !document.EndedInside("CgPoints");
    return read;
}

}  // namespace chainforge
