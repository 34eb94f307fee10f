// Putting each element on a line of its own. The section readers read a
// line at a time, so a file written without line breaks between its tags
// (valid XML, and what some exporters write) is given them first: a line
// feed goes in wherever a tag is followed, on the same line and with nothing
// but blanks or tabs between, by another tag. Text content, attribute values
// (">" inside quotes included), comments, CDATA and processing instructions
// are left as they are; so is an element opened and closed with nothing
// between, as in "<Feature></Feature>".
#pragma once

#include <cstdint>
#include <string_view>

namespace chainforge {

// How many line feeds CopyWithTagLines puts in; 0 for a file whose tags each
// start a line already, which is the common case and told quickly.
std::uint64_t MissingTagLineBreaks(std::string_view bytes);

// Copies bytes to out with those line feeds put in; out has room for
// bytes.size() + MissingTagLineBreaks(bytes) bytes.
void CopyWithTagLines(std::string_view bytes, char* out);

}  // namespace chainforge
