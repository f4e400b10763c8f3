// Putting a window entirely on the screen that holds the main window: at a position given
// from the top-left of the screen's available area (what the desktop's panels leave), no
// larger than that area, and with its title bar inside it.
#pragma once

#include <QPoint>

class QWidget;

namespace tarvell {

// `offset` is the window's frame's top-left from the available area's; `anchor` (the main
// window) names the screen, the primary one when there is none.
void placeOnScreen(QWidget* window, QPoint offset, const QWidget* anchor);

}  // namespace tarvell
