// Arrow keys on a horizontal scroll bar: Left steps toward the left end and Right toward the
// right end, as the bar's arrow buttons do. (The toolkit's scroll bars swap the two.)
#pragma once

class QScrollBar;

namespace tarvell {

// Install before any other event filter of the bar that watches its key presses, so those
// filters see the press first.
void steerArrowKeys(QScrollBar* bar);

}  // namespace tarvell
