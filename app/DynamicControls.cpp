// Dynamic variables and undo on the main window (see DynamicControls.h).
#include "DynamicControls.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <string>

#include "Canvas.h"
#include "DynamicBarControl.h"
#include "DynamicVariables.h"
#include "MainForm.h"
#include "Numbers.h"

namespace tarvell {
namespace {

// The read-outs stand right of the bars, inside the box the panels frame: x 376 to 539, one
// row per bar.
constexpr int kReadoutLeft = 378;
constexpr int kReadoutRight = 536;
constexpr int kFirstBarY = 72;
constexpr int kBarPitch = 12;
// The undo line has a row of its own under the "UnDo" button (280, 127; 40 x 16), below
// the control boxes, where it meets no control; it ends before the valve read-outs' column
// at x 545.
constexpr int kUndoLineX = 280;
constexpr int kUndoLineY = 145;
constexpr int kUndoLineRight = 541;

}  // namespace

DynamicControls::DynamicControls(TMainForm& form) : form_(form) {
    for (int n = 1; n <= 4; ++n) {
        QScrollBar* bar = form.SBDynVar[static_cast<std::size_t>(n)];
        bar->setFocusPolicy(Qt::StrongFocus);
        bars_[static_cast<std::size_t>(n)] =
            new DynamicBarControl(form.context(), bar, n, form.SBRevArm);
    }
    QObject::connect(&form.context(), &ProgramContext::dynamicVariablesShownChanged, &form,
                     [this](bool shown) { showDynamicVariables(shown); });
    for (QAction* a : {form.DynamicVariables, form.ToolButton[12]})
        QObject::connect(a, &QAction::triggered, &form, [this] { DynamicVariablesClick(); });
    for (QAction* a : {form.SetUnDo, form.ToolButton[3]})
        QObject::connect(a, &QAction::triggered, &form, [this] { SetUnDoClick(); });
    QObject::connect(form.UnDoDn, &QPushButton::clicked, &form, [this] { UnDoDnClick(); });
    // Ctrl+Z does what the button does, whether the button is shown or not.
    QObject::connect(form.UndoLastChange, &QAction::triggered, &form, [this] {
        if (form_.UnDoDn->isEnabled())
            UnDoDnClick();
        else
            form_.context().refuse("There is no change to undo.");
    });
    // Ctrl+Shift+Z and Ctrl+Y make again what UnDo took back, until the next change.
    QObject::connect(form.RedoLastChange, &QAction::triggered, &form, [this] {
        if (RedoChange(form_.model()))
            form_.context().setUndoButtonsEnabled(true);
        else
            form_.context().refuse("There is no undone change to redo.");
    });
}

void DynamicControls::DynamicVariablesClick() {
    form_.context().setDynamicVariablesShown(!form_.model().DynamicVariablesShown);
}

void DynamicControls::SetUnDoClick() {
    Model& m = form_.model();
    m.UndoEnabled = !m.UndoEnabled;
    form_.UnDoDn->setVisible(m.UndoEnabled);
    form_.ToolButton[3]->setToolTip(m.UndoEnabled ? "Turn Off UnDo" : "Turn On UnDo");
}

void DynamicControls::UnDoDnClick() {
    UndoLastChange(form_.context());
}

void DynamicControls::showDynamicVariables(bool shown) {
    for (int n = 1; n <= 4; ++n) form_.SBDynVar[static_cast<std::size_t>(n)]->setVisible(shown);
    for (int n = 7; n <= 9; ++n) form_.Panel[static_cast<std::size_t>(n)]->setVisible(shown);
    form_.ToolButton[12]->setToolTip(shown ? "Turn Off Dynamic Variables"
                                           : "Turn On Dynamic Variables");
}

void DynamicControls::hideDynamicVariables() {
    form_.context().setDynamicVariablesShown(false);
}

void DynamicControls::hideUndo() {
    form_.model().UndoEnabled = false;
    form_.UnDoDn->hide();
    form_.ToolButton[3]->setToolTip("Turn On UnDo");
}

void DynamicControls::drawUndoLine(Canvas& canvas) {
    Model& m = form_.model();
    const int x = roundToInt(kUndoLineX * static_cast<double>(m.TextScaleX));
    const int y = roundToInt(kUndoLineY * static_cast<double>(m.TextScaleY));
    const int room = roundToInt(kUndoLineRight * static_cast<double>(m.TextScaleX)) - x;
    // The line as the model builds it. Its trailing blanks only pad it, so the band behind
    // it ends with its last character; a line too long for the row loses its end.
    std::string shown = RebuildUndoLine(m);
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    while (!shown.empty() && canvas.textWidth(shown) > room) shown.pop_back();
    // On a white band, so the mechanism passing under it does not run through the text.
    canvas.setBrush(false, colours::white);
    canvas.textOut(x, y, shown);
    canvas.setBrush(true);
}

void DynamicControls::drawReadouts(Canvas& canvas) {
    const Model& m = form_.model();
    if (!m.DynamicVariablesShown) return;
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    const int left = roundToInt(kReadoutLeft * fx);
    const int right = roundToInt(kReadoutRight * fx);
    for (int n = 1; n <= 4; ++n) {
        const DynamicSlot& s = m.dynamicSlots[static_cast<std::size_t>(n)];
        const int y = roundToInt((kFirstBarY - 1 + kBarPitch * (n - 1)) * fy);
        // The value right-aligned at the box's edge; the name before it, shortened if a long
        // name would run into the value.
        const std::string value = formatFixed(s.value, 0, 3);
        const int valueX = right - canvas.textWidth(value);
        std::string name = s.name;
        while (!name.empty() && left + canvas.textWidth(name + " ") > valueX) name.pop_back();
        canvas.textOut(left, y, name);
        canvas.textOut(valueX, y, value);
    }
}

}  // namespace tarvell
