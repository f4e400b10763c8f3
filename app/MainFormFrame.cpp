// The rotation loop and the frame it draws (see MainForm.h).
#include <QAction>
#include <QRegion>
#include <QStatusBar>

#include "Calc.h"
#include "CylinderDrawing.h"
#include "DeviceImage.h"
#include "DynamicControls.h"
#include "FrameReadouts.h"
#include "FrameView.h"
#include "GraphicPosition.h"
#include "MainForm.h"
#include "MechanismDrawing.h"
#include "Overlay.h"
#include "QtCanvas.h"
#include "ReferencePoints.h"
#include "SteamDisplay.h"
#include "TextScale.h"
#include "View.h"

namespace tarvell {

namespace {
constexpr int kRepaintBandRows = 32;
constexpr int kRepaintJoinGap = 64;
const QString kMainTitle = "Tarvell Outside Admission            ";
}  // namespace

// --- The rotation loop ------------------------------------------------------------------

void TMainForm::Timer1Timer() {
    Model& m = model();
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
    UpdatePortEvents(m);
    updateCutoffReadouts(m);
    ScreenTransform(m);
    cylinder_ = computeCylinderOutline(m, m.view.current);
    solvedAngle_ = m.gear.DriverAngle;  // the read-out goes with the picture, not the next tick

    float angle = m.gear.DriverAngle;
    angle =
        m.gear.direction == Direction::Fwd ? angle + m.gear.ActiveStep : angle - m.gear.ActiveStep;
    if (angle > 360.1f) angle -= 360.0f;
    if (angle < 0.0f) angle += 360.0f;
    m.gear.DriverAngle = angle;

    DrawMainFrame();
}

void TMainForm::DrawMainFrame() {
    Model& m = model();
    // Only where the last frame drew is there anything to clear, and only there and where
    // this one draws is there anything to repaint.
    if (matchDeviceRatio(frame_, *view_)) lastDrawn_.clear();  // the screen's resolution
    DirtyBands drawn;
    {
        QtCanvas canvas(frame_, colours::white, view_->rect());
        canvas.trackDrawing(&drawn, &lastDrawn_);
        startFrame(canvas);
        if (m.SteamDisplay)
            steam_->draw(canvas, m, cylinder_, context_.sound(), screenDataOn_,
                         graphicPosition_->active());
        else
            steam_->followExhaust(m);  // so turning the display on finds no stale beat
        updateTitles();
        drawMechanism(canvas, FrameUse::Tick);
        if (screenDataOn_) drawReadouts(canvas, FrameUse::Tick);
        if (m.HighlightCode > 0) graphicPosition_->drawFrame(canvas);
    }
    // Repainted in coarse bands: fewer, larger rectangles cost the window system less.
    DirtyBands repaint = drawn.coarsened(kRepaintBandRows, kRepaintJoinGap);
    lastDrawn_.forEachRect([&repaint](const QRect& r) { repaint.addRect(r); });
    QRegion changed = repaint.region();
    lastDrawn_ = std::move(drawn);
    // Repaint the picture around the controls only: repainting under them would make every
    // control redraw itself on every tick.
    for (QObject* child : view_->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible())
            changed -= QRegion(w->geometry());
    view_->update(changed);
}

void TMainForm::drawStillFrame(Canvas& canvas) {
    drawStill(canvas, FrameUse::Still);
}

void TMainForm::drawExportFrame(Canvas& canvas) {
    drawStill(canvas, FrameUse::Export);
}

// The same steps in the same order as a tick's frame, without what only a tick does.
void TMainForm::drawStill(Canvas& canvas, FrameUse use) {
    Model& m = model();
    startFrame(canvas);
    if (m.SteamDisplay) steam_->drawStill(canvas, m, cylinder_, screenDataOn_);
    drawMechanism(canvas, use);
    if (screenDataOn_) drawReadouts(canvas, use);
    if (m.HighlightCode > 0) graphicPosition_->drawStill(canvas);
}

void TMainForm::startFrame(Canvas& canvas) {
    canvas.refresh();
    canvas.setPen(colours::black, model().LineWidth);
    canvas.setBrush(true);
    canvas.setFont(FontSpec{textPoints(model(), 8), false, colours::black});
}

void TMainForm::drawMechanism(Canvas& canvas, FrameUse use) {
    Model& m = model();
    drawCircles(canvas, m);
    drawCylinder(canvas, cylinder_);
    drawFixedMarksAndLinkArc(canvas, m);
    drawLinks(canvas, m);
    overlay_->draw(canvas);
    if (screenDataOn_ && m.UndoEnabled && use != FrameUse::Export)
        dynamicControls_->drawUndoLine(canvas);
}

void TMainForm::updateTitles() {
    setWindowTitle(context_.titleFor(kMainTitle, context_.designModified()));
    for (const ProgramContext::TitledWindow& w : context_.titledWindows())
        if (w.window) w.window->setWindowTitle(context_.titleFor(w.titleText));
}

void TMainForm::drawReadouts(Canvas& canvas, FrameUse use) {
    const Model& m = model();
    // The reference crosses are lines: they go first, so no line runs through a text. Every
    // text stands on a white band of its own height, the mechanism hidden behind it.
    referencePoints_->drawReferenceMarks(canvas);
    canvas.setBrush(false, colours::white);
    if (use != FrameUse::Export) drawViewBarLabels(canvas, m);
    drawGearReadouts(canvas, m, solvedAngle_);
    if (use == FrameUse::Tick) reportError();
    referencePoints_->drawPivotData(canvas);
    // The prompts ask for mouse clicks on the window: nothing a picture can answer.
    if (use != FrameUse::Export) referencePoints_->drawPrompts(canvas);
    drawCutoffReadouts(canvas, m);
    referencePoints_->drawReferenceReadouts(canvas);
    // The slots' read-outs stand beside their bars, which an export leaves out.
    if (use != FrameUse::Export) dynamicControls_->drawReadouts(canvas);
    canvas.setBrush(true);
}

void TMainForm::reportError() {
    SolverState& s = model().solver;
    if (!s.ErrorFlag) return;
    ++s.ErrorTickCount;
    // Said in the status line as well, for a user without sound.
    if (s.ErrorTickCount == 1)
        statusBar()->showMessage(
            "The gear cannot take this position: a joint of the linkage was forced (the red "
            "mark).",
            4000);
    if (s.ErrorTickCount <= 9) {
        Error->setVisible(true);
    } else if (s.ErrorTickCount == 10) {
        Error->setVisible(false);
        context_.sound().playFile("Error.wav");
    }
    if (s.ErrorTickCount > 20) {
        s.ErrorTickCount = 0;
        s.ErrorFlag = false;
    }
}

}  // namespace tarvell
