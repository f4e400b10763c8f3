// The port events window (see PortEvents.h).
#include "PortEvents.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tarvell {

TPortDia::TPortDia(ProgramContext& context, TSetRevArm& positions)
    : DiagramWindow(
          context, positions,
          {"TPortDia", "Tarvell Outside Admission      Port Open/Closed    ", QSize(632, 414),
           "ClosePort", QPoint(447, 2), "SBDynVarP", "UnDoDnP", false, false}) {
    ClosePort = closeButton_;
    SBDynVarP = bars_;
    UnDoDnP = undoButton_;
    SetUp = menu()->addMenu("&SetUp");
    SetUp->setObjectName("SetUp");
    ForwardGraph1 = addMenuItem("ForwardGraph1", "&ForwardGraph", SetUp);
    ReverseGraph1 = addMenuItem("ReverseGraph1", "&ReverseGraph", SetUp);
    BothGraphs1 = addMenuItem("BothGraphs1", "&BothGraphs", SetUp);
    ReDraw1 = addMenuItem("ReDraw1", "&ReDraw");
    UnDoPorts = addMenuItem("UnDoPorts", "&UnDo");
    DynamicVari1 = addMenuItem("DynamicVari1", "&DynamicVari");
    connect(ForwardGraph1, &QAction::triggered, this, [this] { ForwardGraph1Click(); });
    connect(ReverseGraph1, &QAction::triggered, this, [this] { ReverseGraph1Click(); });
    connect(BothGraphs1, &QAction::triggered, this, [this] { BothGraphs1Click(); });
    connect(ReDraw1, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(UnDoPorts, &QAction::triggered, this, [this] { UnDoMenuClick(); });
    connect(DynamicVari1, &QAction::triggered, this, [this] { DynamicVariClick(); });
}

void TPortDia::FourEventsClick() {
    mode_ = PortGraphMode::Forward;
    showModal();
}

void TPortDia::ForwardGraph1Click() {
    mode_ = PortGraphMode::Forward;
    clearAndDraw();
}

void TPortDia::ReverseGraph1Click() {
    mode_ = PortGraphMode::Reverse;
    clearAndDraw();
}

void TPortDia::BothGraphs1Click() {
    mode_ = PortGraphMode::Both;
    clearAndDraw();
}

DiagramOutcome TPortDia::drawDiagram(Canvas& canvas) {
    return drawPortDiagram(canvas, model(), mode_);
}

}  // namespace tarvell
