// TSineDia: the sine diagram window, valve displacement against driver angle for each
// entry of the reverse arm position set.
#pragma once

#include "DiagramWindow.h"

namespace tarvell {

class TSineDia : public DiagramWindow {
    Q_OBJECT

  public:
    TSineDia(ProgramContext& context, TSetRevArm& positions);

    QPushButton* CloseSin = nullptr;
    std::array<QScrollBar*, 5> SBDynVarS{};  // SBDynVarS1 ... SBDynVarS4
    QPushButton* UnDoDnS = nullptr;
    QAction *SetRevArmPos = nullptr, *ReDraw = nullptr, *UnDoSine = nullptr, *DynVari = nullptr;

  protected:
    DiagramOutcome drawDiagram(Canvas& canvas) override;
};

}  // namespace tarvell
