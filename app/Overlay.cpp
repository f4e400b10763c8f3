// The lines and circles overlay (see Overlay.h).
#include "Overlay.h"

#include <QAction>

#include "MainForm.h"

namespace tarvell {

Overlay::Overlay(TMainForm& form) : form_(form) {
    // Not wired yet.
    for (QAction* a : {form.DrawLines1, form.ToolButton[23]}) a->setEnabled(false);
}

void Overlay::draw(Canvas&) {}

}  // namespace tarvell
