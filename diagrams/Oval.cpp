// The oval diagram window (see Oval.h).
#include "Oval.h"

#include <QAction>

#include "OvalDrawing.h"

namespace tarvell {

TOvalDia::TOvalDia(ProgramContext& context, TSetRevArm& positions)
    : DiagramWindow(context, positions,
                    {"TOvalDia", "Tarvell Outside Admission      Oval Diagram    ", QSize(632, 426),
                     "CloseOval", QPoint(408, 8), "SBDynVarO", "UnDoDnO", true, true}) {
    CloseOval = closeButton_;
    SBDynVarO = bars_;
    UnDoDnO = undoButton_;
    SetRevArmPos1 = addMenuItem("SetRevArmPos1", "&SetRevArmPos");
    ReDraw1 = addMenuItem("ReDraw1", "&ReDraw");
    UnDoOval = addMenuItem("UnDoOval", "&UnDo");
    DynVar = addMenuItem("DynVar", "&DynamicVari");
    connect(SetRevArmPos1, &QAction::triggered, this, [this] { SetRevArmPosClick(); });
    connect(ReDraw1, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(UnDoOval, &QAction::triggered, this, [this] { UnDoMenuClick(); });
    connect(DynVar, &QAction::triggered, this, [this] { DynamicVariClick(); });
}

DiagramOutcome TOvalDia::drawDiagram(Canvas& canvas) {
    return drawOvalDiagram(canvas, model());
}

}  // namespace tarvell
