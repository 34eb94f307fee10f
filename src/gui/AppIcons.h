// The program's pictures, built into the executable.
#pragma once

#include <QIcon>

namespace chainforge {

// The name of the desktop entry and of the installed icon, so that the
// desktop can match a running window to both.
inline constexpr const char* kDesktopFileId = "example.marlowick.Chainforge";

QIcon ApplicationIcon();
QIcon FolderIcon();

}  // namespace chainforge
