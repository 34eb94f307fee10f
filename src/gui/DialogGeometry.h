// Places controls given in dialog units, measured against the dialog's font.
#pragma once

#include <QRect>
#include <QWidget>

namespace chainforge {

// x, y, width and height in dialog units, each converted on its own.
QRect MapDialogRect(const QWidget& dialog, int x, int y, int width, int height);

// Sizes the window to the owner's screen and moves it beside the owner, as
// PlaceBeside places it; call before the window shows.
void PlaceBesideOwner(QWidget& window, const QWidget& owner);

}  // namespace chainforge
