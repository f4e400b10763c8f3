// TPortAreasDia: the Port Areas diagram window, the steam opening and the exhaust passage of
// each end of the cylinder through a turn for each entry of the reverse arm position set,
// against driver angle or (PistonAxis checked) the piston's per cent of stroke.
#pragma once

#include "DiagramWindow.h"

namespace tarvell {

class TPortAreasDia : public DiagramWindow {
    Q_OBJECT

  public:
    TPortAreasDia(ProgramContext& context, TSetRevArm& positions);

    QPushButton* ClosePA = nullptr;
    std::array<QScrollBar*, 5> SBDynVarPA{};  // SBDynVarPA1 ... SBDynVarPA4
    QPushButton* UnDoDnPA = nullptr;
    QAction *SetRevArmPos = nullptr, *ReDraw = nullptr, *UnDoPA = nullptr, *DynVari = nullptr,
            *PistonAxis = nullptr;

    bool againstPiston() const;

  protected:
    DiagramOutcome drawDiagram(Canvas& canvas) override;
};

}  // namespace tarvell
