// The lines and circles overlay (see Overlay.h).
#include "Overlay.h"

#include "MainForm.h"

namespace tarvell {

Overlay::Overlay(TMainForm& form) : form_(form) {}

void Overlay::draw(Canvas&) {}

}  // namespace tarvell
