// TPortDia: the port events window, cut-off, release and compression of each port against
// the reverse arm's travel from mid gear, for the forward side, the reverse side or both.
#pragma once

#include "DiagramWindow.h"
#include "PortDrawing.h"

class QMenu;

namespace tarvell {

class TPortDia : public DiagramWindow {
    Q_OBJECT

  public:
    TPortDia(ProgramContext& context, TSetRevArm& positions);

    QPushButton* ClosePort = nullptr;
    std::array<QScrollBar*, 5> SBDynVarP{};  // SBDynVarP1 ... SBDynVarP4
    QPushButton* UnDoDnP = nullptr;
    QMenu* SetUp = nullptr;
    QAction *ForwardGraph1 = nullptr, *ReverseGraph1 = nullptr, *BothGraphs1 = nullptr;
    QAction *ReDraw1 = nullptr, *UnDoPorts = nullptr, *DynamicVari1 = nullptr;

    PortGraphMode mode() const { return mode_; }

    void ForwardGraph1Click();
    void ReverseGraph1Click();
    void BothGraphs1Click();
    // The main window's command: forward mode, then the window.
    void FourEventsClick();

  protected:
    DiagramOutcome drawDiagram(Canvas& canvas) override;

  private:
    PortGraphMode mode_ = PortGraphMode::Forward;
};

}  // namespace tarvell
