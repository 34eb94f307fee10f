#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace chainforge {

// "convert FILE.xml [options]": the conversion run from the command line.
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace chainforge
