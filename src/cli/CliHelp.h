// The texts chainforge-cli prints for --help, whole and for each command.
#pragma once

#include <string>
#include <string_view>

namespace chainforge {

// The usage lines of every command.
std::string UsageText();

// The whole program's help, after the usage lines.
std::string HelpText();

// One command's usage and options, for "chainforge-cli COMMAND --help";
// empty for a command that does not exist.
std::string CommandHelpText(std::string_view command);

// True for the arguments that ask a command for its help.
inline bool IsHelpOption(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace chainforge
