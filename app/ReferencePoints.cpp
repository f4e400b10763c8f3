// Reference points, pivot selection and pivot data (see ReferencePoints.h).
#include "ReferencePoints.h"

#include <QAction>

#include "MainForm.h"

namespace tarvell {

ReferencePoints::ReferencePoints(TMainForm& form) : form_(form) {
    // Not wired yet.
    for (QAction* a : {form.RefPoints, form.ToolButton[11], form.SetPivotData, form.ToolButton[24]})
        a->setEnabled(false);
}

void ReferencePoints::drawPivotData(Canvas&) {}
void ReferencePoints::drawPrompts(Canvas&) {}
void ReferencePoints::drawReferencePoints(Canvas&) {}
void ReferencePoints::mousePress(QMouseEvent*) {}
void ReferencePoints::turnOff() {
    form_.referencePointsShown = false;
    form_.pivotDataShown = false;
}

}  // namespace tarvell
