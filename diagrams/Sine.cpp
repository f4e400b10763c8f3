// The sine diagram window (see Sine.h).
#include "Sine.h"

#include <QAction>

#include "SineDrawing.h"

namespace tarvell {

TSineDia::TSineDia(ProgramContext& context, TSetRevArm& positions)
    : DiagramWindow(context, positions,
                    {"TSineDia", "Tarvell Outside Admission      Sine Diagram    ", QSize(632, 414),
                     "CloseSin", QPoint(408, 8), "SBDynVarS", "UnDoDnS", true, true}) {
    setMaximumSize(640, 479);
    CloseSin = closeButton_;
    SBDynVarS = bars_;
    UnDoDnS = undoButton_;
    SetRevArmPos = addMenuItem("SetRevArmPos", "&SetRevArmPos");
    ReDraw = addMenuItem("ReDraw", "&ReDraw");
    UnDoSine = addMenuItem("UnDoSine", "&UnDo");
    DynVari = addMenuItem("DynVari", "&DymamicVariables");
    connect(SetRevArmPos, &QAction::triggered, this, [this] { SetRevArmPosClick(); });
    connect(ReDraw, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(UnDoSine, &QAction::triggered, this, [this] { UnDoMenuClick(); });
    connect(DynVari, &QAction::triggered, this, [this] { DynamicVariClick(); });
    followComparison();
}

DiagramOutcome TSineDia::drawDiagram(Canvas& canvas) {
    const std::optional<Underlay> under = comparisonUnderlay();
    return drawSineDiagram(canvas, model(), under ? &*under : nullptr);
}

}  // namespace tarvell
