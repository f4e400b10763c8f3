// TIndicatorDia: the indicator diagram window, the idealised card of each cylinder end for
// each entry of the reverse arm position set, with its settings dialog; with a speed in the
// settings, the card at that speed drawn over each (IndicatorDrawing.h).
#pragma once

#include "DiagramWindow.h"

namespace tarvell {

class TIndicatorSettings;

class TIndicatorDia : public DiagramWindow {
    Q_OBJECT

  public:
    TIndicatorDia(ProgramContext& context, TSetRevArm& positions);

    QPushButton* CloseInd = nullptr;
    std::array<QScrollBar*, 5> SBDynVarI{};  // SBDynVarI1 ... SBDynVarI4
    QPushButton* UnDoDnI = nullptr;
    QAction *SetRevArmPos = nullptr, *ReDraw = nullptr, *UnDoInd = nullptr, *DynVari = nullptr,
            *Settings = nullptr;
    TIndicatorSettings* SettingsDialog = nullptr;

    // Opens the settings dialog; the diagram is drawn again with settings it stored.
    void SettingsClick();

  protected:
    DiagramOutcome drawDiagram(Canvas& canvas) override;
};

}  // namespace tarvell
