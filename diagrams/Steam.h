// TSteamDia: the steam diagram window, the port events of each end along its stroke for
// each entry of the reverse arm position set.
#pragma once

#include "DiagramWindow.h"

namespace tarvell {

class TSteamDia : public DiagramWindow {
    Q_OBJECT

  public:
    TSteamDia(ProgramContext& context, TSetRevArm& positions);

    QPushButton* CloseStm = nullptr;
    std::array<QScrollBar*, 5> SBDynVarST{};  // SBDynVarST1 ... SBDynVarST4
    QPushButton* UnDoDnSt = nullptr;
    QAction *SetRevArmPos = nullptr, *ReDraw = nullptr, *UnDoSteam = nullptr, *DynVari = nullptr;

  protected:
    DiagramOutcome drawDiagram(Canvas& canvas) override;
};

}  // namespace tarvell
