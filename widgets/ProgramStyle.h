// The program's look: Qt's Fusion style, with a focus mark on scroll bars (Fusion draws
// none), since the keyboard drives the gear through its bars and a user must see which one
// the arrow keys move.
#pragma once

class QStyle;

namespace tarvell {

// A new style for QApplication::setStyle, which takes it over.
QStyle* createProgramStyle();

}  // namespace tarvell
