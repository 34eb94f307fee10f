// Output files are text files with CR LF line ends whatever the platform.
#pragma once

#include <string>
#include <string_view>

namespace chainforge {

// Appends text with every line feed written as carriage return and line feed.
void AppendTextMode(std::string& out, std::string_view text);

// Appends text and a line end, both as AppendTextMode writes them.
void AppendTextModeLine(std::string& out, std::string_view text);

}  // namespace chainforge
