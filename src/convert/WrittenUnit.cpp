#include "convert/WrittenUnit.h"

#include <array>
#include <utility>

#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

// Both feet are defined exactly in metres; the survey foot is the one of the
// old US definition, 1200/3937 m.
constexpr double kFootMetres = 0.3048;
constexpr double kUsSurveyFootMetres = 1200.0 / 3937.0;

struct WrittenUnitEntry {
    WrittenUnit unit;
    std::string_view name;
    double metres;
};

constexpr std::array<WrittenUnitEntry, 3> kWrittenUnits{{
    {WrittenUnit::Metre, "metre", 1.0},
    {WrittenUnit::Foot, "foot", kFootMetres},
    {WrittenUnit::UsSurveyFoot, "us-foot", kUsSurveyFootMetres},
}};

// The linearUnit values LandXML allows. Its mile is taken as the
// international one, 5280 feet.
constexpr std::array<std::pair<std::string_view, double>, 8> kFileUnits{{
    {"millimeter", 0.001},
    {"centimeter", 0.01},
    {"meter", 1.0},
    {"kilometer", 1000.0},
    {"foot", kFootMetres},
    {"USSurveyFoot", kUsSurveyFootMetres},
    {"inch", 0.0254},
    {"mile", 1609.344},
}};

const WrittenUnitEntry& EntryOf(WrittenUnit unit) {
    for (const WrittenUnitEntry& entry : kWrittenUnits) {
        if (entry.unit == unit) {
            return entry;
        }
    }
    return kWrittenUnits.front();
}

}  // namespace

std::optional<WrittenUnit> WrittenUnitNamed(std::string_view name) {
    for (const WrittenUnitEntry& entry : kWrittenUnits) {
        if (entry.name == name) {
            return entry.unit;
        }
    }
    return std::nullopt;
}

std::string WrittenUnitName(WrittenUnit unit) {
    return std::string(EntryOf(unit).name);
}

std::optional<double> MetresPerFileUnit(const LinearUnit& unit) {
    for (const auto& [name, metres] : kFileUnits) {
        if (EqualsNoCase(unit.name, name)) {
            return metres;
        }
    }
    return std::nullopt;
}

std::optional<double> WrittenPerFileUnit(const LinearUnit& fileUnit, WrittenUnit written) {
    const std::optional<double> metres = MetresPerFileUnit(fileUnit);
    if (!metres) {
        return std::nullopt;
    }
    // The same double divided by itself: a unit written as itself keeps
    // every number as it is.
    return *metres / EntryOf(written).metres;
}

std::string UnitRefusal(const LinearUnit& fileUnit, WrittenUnit written) {
    const std::string reason =
        fileUnit.Stated() ? "The file's linear unit " + fileUnit.name + " is not one known here"
                          : "The file does not state its linear unit";
    return "Error: " + reason + ", so it cannot be converted to " + WrittenUnitName(written) +
           "; leave out --linear-unit to write the file's own numbers";
}

}  // namespace chainforge
