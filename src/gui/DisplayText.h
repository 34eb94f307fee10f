// Names and paths are bytes as the file or the file system gave them; these
// turn them into text for the screen and back without losing a byte.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace chainforge {

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252: names in
// older LandXML files were written in the Windows code page.
QString DisplayText(std::string_view bytes);

// A path typed or chosen by the user as the core takes it: UTF-8 bytes (Qt 6
// takes local 8-bit text as UTF-8 on Unix, but as the ANSI code page on Windows).
std::string PathBytes(const QString& path);

}  // namespace chainforge
