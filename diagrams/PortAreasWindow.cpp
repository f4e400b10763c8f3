// The Port Areas diagram window (see PortAreasWindow.h).
#include "PortAreasWindow.h"

#include <QAction>

#include "PortAreasDrawing.h"

namespace tarvell {

TPortAreasDia::TPortAreasDia(ProgramContext& context, TSetRevArm& positions)
    : DiagramWindow(
          context, positions,
          {"TPortAreasDia", "Tarvell Outside Admission      Port Areas    ", QSize(632, 414),
           "ClosePA", QPoint(408, 8), "SBDynVarPA", "UnDoDnPA", true, false}) {
    ClosePA = closeButton_;
    SBDynVarPA = bars_;
    UnDoDnPA = undoButton_;
    SetRevArmPos = addMenuItem("SetRevArmPos", "&SetRevArmPos");
    ReDraw = addMenuItem("ReDraw", "&ReDraw");
    UnDoPA = addMenuItem("UnDoPA", "&UnDo");
    DynVari = addMenuItem("DynVari", "&DynamicVari");
    PistonAxis = addMenuItem("PistonAxis", "&Piston Position");
    PistonAxis->setCheckable(true);
    PistonAxis->setToolTip("Draw the openings against the piston's place instead of driver angle");
    connect(SetRevArmPos, &QAction::triggered, this, [this] { SetRevArmPosClick(); });
    connect(ReDraw, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(UnDoPA, &QAction::triggered, this, [this] { UnDoMenuClick(); });
    connect(DynVari, &QAction::triggered, this, [this] { DynamicVariClick(); });
    // A menu bar shows no check mark: the caption names the axis a click switches to.
    connect(PistonAxis, &QAction::toggled, this, [this](bool onPiston) {
        PistonAxis->setText(onPiston ? "&Driver Angle" : "&Piston Position");
        ReDrawClick();
    });
}

bool TPortAreasDia::againstPiston() const {
    return PistonAxis->isChecked();
}

DiagramOutcome TPortAreasDia::drawDiagram(Canvas& canvas) {
    return drawPortAreasDiagram(canvas, model(), againstPiston());
}

}  // namespace tarvell
