// The linear units a conversion can write its numbers in, and the factor
// that takes a length of the file's unit there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "landxml/Catalogue.h"

namespace chainforge {

enum class WrittenUnit { Metre, Foot, UsSurveyFoot };

// "metre", "foot" or "us-foot", as --linear-unit takes them; nothing for any
// other text.
std::optional<WrittenUnit> WrittenUnitNamed(std::string_view name);
std::string WrittenUnitName(WrittenUnit unit);

// The length of the file's unit in metres: nothing when the file states no
// unit, or one not known here. The names are LandXML's, in any letter case.
std::optional<double> MetresPerFileUnit(const LinearUnit& unit);

// What a length of the file is multiplied by to be in the unit written;
// nothing when the file's unit is not known. Exactly 1 when the two units
// are the same length.
std::optional<double> WrittenPerFileUnit(const LinearUnit& fileUnit, WrittenUnit written);

// Why the file's numbers cannot be written in that unit: its unit is not
// stated, or not known.
std::string UnitRefusal(const LinearUnit& fileUnit, WrittenUnit written);

}  // namespace chainforge
