#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace chainforge {

// "convert-all FILE.xml... --out-dir DIR [options]": every alignment of every
// file, each to a chain file of its own, and each file's points to a point
// file, the files converted side by side.
int RunConvertAllCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);

}  // namespace chainforge
