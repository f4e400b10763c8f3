// Dynamic variables and undo on the main window (see DynamicControls.h).
#include "DynamicControls.h"

#include "MainForm.h"

namespace tarvell {

DynamicControls::DynamicControls(TMainForm& form) : form_(form) {}

void DynamicControls::drawUndoLine(Canvas&) {}
void DynamicControls::drawReadouts(Canvas&) {}
void DynamicControls::hideDynamicVariables() {
    form_.model().DynamicVariablesShown = false;
}

}  // namespace tarvell
