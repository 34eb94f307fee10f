// Names for the files a batch writes: an alignment's or a LandXML file's name
// made into one that Windows and Linux file systems both take, and a list of
// such names kept apart as a file system that ignores letter case sees them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace chainforge {

// name as a file name: < > : " / \ | ? * and control characters become "_",
// trailing dots and blanks go, a name reserved for a device on Windows (CON,
// PRN, AUX, NUL, COM1-9, LPT1-9, alone or before a dot, in any letter case)
// gets a "_" after its device part, and an empty name becomes "_".
std::string SafeFileName(std::string_view name);

// SafeFileName of every name, numbered where two are the same but for letter
// case: the first keeps its name, the next "NAME (2)", then "NAME (3)", in
// the order given, skipping a number whose name is taken.
std::vector<std::string> DistinctFileNames(const std::vector<std::string>& names);

// Whether text matches pattern as a whole: "*" any run of bytes, "?" one
// byte, any other byte itself (in any letter case when noCase is set).
bool MatchesPattern(std::string_view text, std::string_view pattern, bool noCase);

}  // namespace chainforge
