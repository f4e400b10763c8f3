// The indicator diagram window (see IndicatorWindow.h).
#include "IndicatorWindow.h"

#include <QAction>

#include "IndicatorDrawing.h"
#include "IndicatorSettingsDialog.h"
#include "IndicatorSettingsStore.h"
#include "ModalDialog.h"

namespace tarvell {

TIndicatorDia::TIndicatorDia(ProgramContext& context, TSetRevArm& positions)
    : DiagramWindow(
          context, positions,
          {"TIndicatorDia", "Tarvell Outside Admission      Indicator Diagram    ", QSize(632, 414),
           "CloseInd", QPoint(408, 8), "SBDynVarI", "UnDoDnI", true, false}) {
    CloseInd = closeButton_;
    SBDynVarI = bars_;
    UnDoDnI = undoButton_;
    SetRevArmPos = addMenuItem("SetRevArmPos", "&SetRevArmPos");
    ReDraw = addMenuItem("ReDraw", "&ReDraw");
    UnDoInd = addMenuItem("UnDoInd", "&UnDo");
    DynVari = addMenuItem("DynVari", "&DynamicVari");
    Settings = addMenuItem("Settings", "Se&ttings...");
    SettingsDialog = new TIndicatorSettings(context, this);
    connect(SetRevArmPos, &QAction::triggered, this, [this] { SetRevArmPosClick(); });
    connect(ReDraw, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(UnDoInd, &QAction::triggered, this, [this] { UnDoMenuClick(); });
    connect(DynVari, &QAction::triggered, this, [this] { DynamicVariClick(); });
    connect(Settings, &QAction::triggered, this, [this] { SettingsClick(); });
}

void TIndicatorDia::SettingsClick() {
    if (execModal(*SettingsDialog, this) == QDialog::Accepted) clearAndDraw();
}

DiagramOutcome TIndicatorDia::drawDiagram(Canvas& canvas) {
    return drawIndicatorDiagram(canvas, model(), loadCardSpeed());
}

}  // namespace tarvell
