// The cylinder dimensions dialog (see CylinOut.h).
#include "CylinOut.h"

#include <QPushButton>

namespace tarvell {

TCylDimen::TCylDimen(ProgramContext& context)
    : DimensionDialog(context, {"Cylinder Dimensions", QSize(386, 230), cylinderDimensionTable(),
                                QRect(294, 192, 90, 25),
                                "To Show Graphic Position of Variable, Click Small Button",
                                "To Select a Dynamic Variable, Click Dimension in Gray Area"}) {
    setObjectName("TCylDimen");
    Reset1 = addResetButton("Reset1", "ResetCylDim", QRect(294, 168, 90, 25));
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
