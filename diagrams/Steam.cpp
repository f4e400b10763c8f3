// The steam diagram window (see Steam.h).
#include "Steam.h"

#include <QAction>

#include "SteamDrawing.h"

namespace tarvell {

// The window opens in its normal state: a modal window that opened minimised would leave
// the program looking hung, its main window blocked behind an icon.
TSteamDia::TSteamDia(ProgramContext& context, TSetRevArm& positions)
    : DiagramWindow(
          context, positions,
          {"TSteamDia", "Tarvell Outside Admission      Steam Diagram    ", QSize(632, 414),
           "CloseStm", QPoint(408, 8), "SBDynVarST", "UnDoDnSt", true, false}) {
    CloseStm = closeButton_;
    SBDynVarST = bars_;
    UnDoDnSt = undoButton_;
    SetRevArmPos = addMenuItem("SetRevArmPos", "&SetRevArmPos");
    ReDraw = addMenuItem("ReDraw", "&ReDraw");
    UnDoSteam = addMenuItem("UnDoSteam", "&UnDo");
    DynVari = addMenuItem("DynVari", "&DynamicVari");
    connect(SetRevArmPos, &QAction::triggered, this, [this] { SetRevArmPosClick(); });
    connect(ReDraw, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(UnDoSteam, &QAction::triggered, this, [this] { UnDoMenuClick(); });
    connect(DynVari, &QAction::triggered, this, [this] { DynamicVariClick(); });
    followComparison();
}

DiagramOutcome TSteamDia::drawDiagram(Canvas& canvas) {
    const std::optional<Underlay> under = comparisonUnderlay();
    return drawSteamDiagram(canvas, model(), under ? &*under : nullptr);
}

}  // namespace tarvell
