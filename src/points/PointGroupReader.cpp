#include "points/PointGroupReader.h"

#include <array>
#include <cstdint>
#include <string_view>
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

// Turns the lines of one group into point lines.
class PointLineMaker {
  public:
    PointLineMaker(UserInterface& ui, PointList& points, PointGroupReadCounts& counts)
        : ui_(ui), points_(points), counts_(counts) {}

    // Appends the point of one line of the group, if the line holds one.
    void AddPointOfLine(std::string_view line);

  private:
    bool ValuesConvert(const std::string& name, const std::vector<std::string_view>& values);
    void AppendPoint(const std::string& name, const std::vector<std::string_view>& values,
                     std::string_view description);

    UserInterface& ui_;
    PointList& points_;
    PointGroupReadCounts& counts_;
    PointNamer namer_;
};

void PointLineMaker::AddPointOfLine(std::string_view line) {
    const std::size_t tagEnd = line.find('>');
    if (tagEnd == std::string_view::npos) {
        return;
    }
    const std::vector<std::string_view> values =
        ValueTokens(line.substr(tagEnd + 1), kValueNames.size());
    if (values.empty()) {
        return;
    }
    const std::string name = namer_.NameOf(line.substr(0, tagEnd));
    if (ValuesConvert(name, values)) {
        AppendPoint(name, values, Description(line));
    }
}

// False, after the message, when a value is not a number or too large.
bool PointLineMaker::ValuesConvert(const std::string& name,
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
void PointLineMaker::AppendPoint(const std::string& name,
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
    PointLineMaker maker(context.ui, read.points, read.counts);
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
