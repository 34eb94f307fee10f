// A template list: one text per cross-section, its station followed by
// number pairs and a closing group of three numbers.
#pragma once

#include <string>
#include <vector>

namespace chainforge {

using TemplateList = std::vector<std::string>;

}  // namespace chainforge
