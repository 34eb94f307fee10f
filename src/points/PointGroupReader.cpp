#include "points/PointGroupReader.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr std::string_view kGroupEnd = "/CGPOINTS>";

// Northing, easting and elevation as the element text gives them; values
// that are not there stay empty.
struct PointValues {
    std::array<std::string_view, 3> text;
    std::size_t count = 0;
};

bool EndsValue(char c) {
    return IsScanSpace(c) || c == '/';
}

// The first three blank-separated tokens of the element text; the "/" of the
// closing tag ends the text.
PointValues ReadPointValues(std::string_view elementText) {
    PointValues values;
    std::size_t i = 0;
    while (values.count < values.text.size()) {
        while (i < elementText.size() && IsScanSpace(elementText[i])) {
            ++i;
        }
        if (i >= elementText.size() || elementText[i] == '/') {
            break;
        }
        const std::size_t begin = i;
        while (i < elementText.size() && !EndsValue(elementText[i])) {
            ++i;
        }
        values.text[values.count++] = elementText.substr(begin, i - begin);
    }
    return values;
}

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
class PointNamer {
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

// Appends the point of one line of the group, if the line holds one.
void AddPointOfLine(std::string_view line, PointNamer& namer, PointList& points) {
    const std::size_t tagEnd = line.find('>');
    if (tagEnd == std::string_view::npos) {
        return;
    }
    const PointValues values = ReadPointValues(line.substr(tagEnd + 1));
    if (values.count == 0) {
        return;
    }
    std::string point = namer.NameOf(line.substr(0, tagEnd));
    for (const std::string_view value : values.text) {
        point.push_back(',');
        point.append(value);
    }
    point.push_back(',');
    point.append(Description(line));
    points.push_back(std::move(point));
}

}  // namespace

bool ReadPointGroup(CDocumentBuffer& document, const Catalogue& catalogue,
                    const std::string& groupName, PointList& points) {
    const PointGroupEntry* group = catalogue.FindPointGroup(groupName);
    if (group == nullptr) {
        return true;
    }
    document.Seek(group->position);
    PointNamer namer;
    std::string line;
    while (document.ReadLine(line)) {
        if (ContainsNoCase(line, kGroupEnd)) {
            return true;
        }
        const std::string closing =
            IsPointElement(line) ? document.ContinueElement(line) : std::string();
        AddPointOfLine(line, namer, points);
        if (ContainsNoCase(closing, kGroupEnd)) {
            return true;
        }
    }
    return !document.EndedInside("CgPoints");
}

}  // namespace chainforge
