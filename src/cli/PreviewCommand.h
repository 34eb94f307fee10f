#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace chainforge {

// "preview FILE.xml [selection options] [picture options]": what convert
// would write, described on standard output and drawn as SVG pictures.
int RunPreviewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace chainforge
