// TOvalDia: the oval diagram window, valve displacement against piston position for each
// entry of the reverse arm position set.
#pragma once

#include "DiagramWindow.h"

namespace tarvell {

class TOvalDia : public DiagramWindow {
    Q_OBJECT

  public:
    TOvalDia(ProgramContext& context, TSetRevArm& positions);

    QPushButton* CloseOval = nullptr;
    std::array<QScrollBar*, 5> SBDynVarO{};  // SBDynVarO1 ... SBDynVarO4
    QPushButton* UnDoDnO = nullptr;
    QAction *SetRevArmPos1 = nullptr, *ReDraw1 = nullptr, *UnDoOval = nullptr, *DynVar = nullptr;

  protected:
    DiagramOutcome drawDiagram(Canvas& canvas) override;
};

}  // namespace tarvell
