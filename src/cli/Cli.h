// chainforge-cli: the conversion from the command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace chainforge {

// Runs the command line given by args (without the program name); returns
// the exit status: 0 done, 1 done with an error message, 2 usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace chainforge
