// The fonts of the program's windows: "Times New Roman" bold 13 pixels for the main
// window's controls and "MS Sans Serif" 11 pixels for the dialogs, with metric-compatible
// free faces where those are not installed.
#pragma once

#include <QFont>

namespace tarvell {

QFont mainControlFont();
QFont dialogFont(int pixelSize = 11);

}  // namespace tarvell
