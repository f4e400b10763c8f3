// The cylinder dimensions dialog (see CylinOut.h).
#include "CylinOut.h"

#include <QAction>
#include <QPushButton>

#include "MainForm.h"

namespace tarvell {

TCylDimen::TCylDimen(Program& program)
    : DimensionDialog(program, {"Cylinder Dimensions", QSize(386, 230), cylinderDimensionTable(),
                                QRect(294, 192, 90, 25),
                                "To Show Graphic Position of Variable, Click Small Button",
                                "To Select a Dynamic Variable, Click Dimension in Gray Area"}) {
    setObjectName("TCylDimen");
    Reset1 = addResetButton("Reset1", "ResetCylDim", QRect(294, 168, 90, 25));
    connect(Reset1, &QPushButton::clicked, this, [this] { ResetCylClick(); });

    // The main window's CylDimClick: the menu item and the tool button open this dialog.
    TMainForm& form = *program.mainForm;
    for (QAction* opener : {form.CylDim, form.ToolButton[5]})
        connect(opener, &QAction::triggered, this, [this] { exec(); });
}

void TCylDimen::Reset1MouseDown() {
    ApplyCylinderDefaults(model());  // also the valve stem line from the restored heights
    emptySlots();
    FormActivate();
}

void TCylDimen::ResetCylClick() {
    Reset1MouseDown();
    clearUndoStack();
}

}  // namespace tarvell
