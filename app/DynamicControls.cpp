// Dynamic variables and undo on the main window (see DynamicControls.h).
#include "DynamicControls.h"

#include <QAction>

#include "MainForm.h"

namespace tarvell {

DynamicControls::DynamicControls(TMainForm& form) : form_(form) {
    // Not wired yet.
    for (QAction* a :
         {form.DynamicVariables, form.ToolButton[12], form.SetUnDo, form.ToolButton[3]})
        a->setEnabled(false);
}

void DynamicControls::drawUndoLine(Canvas&) {}
void DynamicControls::drawReadouts(Canvas&) {}
void DynamicControls::hideDynamicVariables() {
    form_.model().DynamicVariablesShown = false;
}

}  // namespace tarvell
