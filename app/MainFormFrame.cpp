// The rotation loop and the frame it draws (see MainForm.h).
#include <QAction>
#include <QRegion>
#include <QScrollBar>
#include <QStatusBar>
#include <cmath>

#include "Calc.h"
#include "CylinderDrawing.h"
#include "DrawingList.h"
#include "DynamicControls.h"
#include "FrameReadouts.h"
#include "FrameView.h"
#include "GraphicPosition.h"
#include "MainForm.h"
#include "MechanismDrawing.h"
#include "Numbers.h"
#include "OffsetCanvas.h"
#include "Overlay.h"
#include "QtCanvas.h"
#include "ReferencePoints.h"
#include "SteamDisplay.h"
#include "TextScale.h"
#include "View.h"

namespace tarvell {

namespace {
// The window repaints what changed with nearby parts of a band joined: fewer, larger
// rectangles cost the window system less. (The bands keep their rows, so that a change just
// below the tool bar does not repaint the tool bar.)
constexpr int kRepaintJoinGap = 40;
const QString kMainTitle = "Tarvell Outside Admission            ";
}  // namespace

// --- The rotation loop ------------------------------------------------------------------

void TMainForm::solveStill() {
    Model& m = model();
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
    UpdatePortEvents(m);
    updateCutoffReadouts(m);
    ScreenTransform(m);
    cylinder_ = computeCylinderOutline(m, m.view.current);
    solvedAngle_ = m.gear.DriverAngle;  // the read-out goes with the picture, not the next tick
}

void TMainForm::Timer1Timer() {
    Model& m = model();
    solveStill();

    float angle = m.gear.DriverAngle;
    angle =
        m.gear.direction == Direction::Fwd ? angle + m.gear.ActiveStep : angle - m.gear.ActiveStep;
    if (angle > 360.1f) angle -= 360.0f;
    if (angle < 0.0f) angle += 360.0f;
    m.gear.DriverAngle = angle;

    DrawMainFrame();
}

void TMainForm::DrawMainFrame() {
    // The frame is drawn as a list of operations first: when it is the frame shown already
    // (the gear standing still, nothing changed) nothing is drawn or repainted, and otherwise
    // only where the two differ.
    if (picture_.image().isNull() || picture_.size() != view_->size())
        picture_.fit(view_->size(), view_->devicePixelRatioF());
    frame_->clear();
    drawFrame(*frame_, FrameUse::Tick);
    showFrame(*frame_);
}

void TMainForm::showFrame(DrawingList& frame) {
    const DirtyBands& changed = picture_.take(frame);
    if (changed.empty()) return;
    QRegion region = changed.region(kRepaintJoinGap);
    // Not under the controls that cover their whole rectangle: repainting there would make
    // them redraw themselves. (At a fractional interface size a pixel of their edge is kept,
    // which the control may leave half painted; the transparent tool bar and the buttons'
    // rounded corners show the picture.)
    const qreal ratio = picture_.image().devicePixelRatio();
    const int edge = ratio == std::floor(ratio) ? 0 : 1;
    for (QObject* child : view_->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible() && coversItself(w))
            region -= QRegion(w->geometry().adjusted(edge, edge, -edge, -edge));
    view_->update(region);
}

bool TMainForm::coversItself(const QWidget* w) {
    return w->autoFillBackground() || w->testAttribute(Qt::WA_OpaquePaintEvent) ||
           qobject_cast<const QScrollBar*>(w);
}

void TMainForm::pictureResized() {
    // The picture fills the new size at once, the mechanism about the view's centre. (A new
    // resolution comes this way too: the window moved to another screen.)
    if (!frameExport_) return;  // still being made: the first tick draws it
    picture_.fit(view_->size(), view_->devicePixelRatioF());
    picture_.invalidate();
    frame_->clear();
    drawFrame(*frame_, FrameUse::Still);
    showFrame(*frame_);
}

QPoint TMainForm::pictureOffset() const {
    // Centred in a client made larger than its first size (632 x 380, grown with the large
    // font's controls); never moved up or left.
    const Model& m = model();
    const QSize s = view_->size();
    const int w = roundToInt(kClientWidth * static_cast<double>(m.TextScaleX));
    const int h = roundToInt(kClientHeight * static_cast<double>(m.TextScaleY));
    return QPoint(std::max(0, (s.width() - w) / 2), std::max(0, (s.height() - h) / 2));
}

void TMainForm::drawStillFrame(Canvas& canvas) {
    drawFrame(canvas, FrameUse::Still);
}

void TMainForm::drawExportFrame(Canvas& canvas) {
    drawFrame(canvas, FrameUse::Export);
}

// A tick's frame, or the same again without what only a tick does: the steam display's
// pixels of the last frame, no sounds, no titles, no error report, the graphic-position
// display without counting a frame. The mechanism and what is drawn on it stand where the
// picture stands in the client; the read-outs stay beside their controls.
void TMainForm::drawFrame(Canvas& canvas, FrameUse use) {
    Model& m = model();
    const QPoint at = pictureOffset();
    OffsetCanvas picture(canvas, at.x(), at.y());
    startFrame(canvas);
    if (m.SteamDisplay) {
        if (use == FrameUse::Tick) {
            for (std::uint32_t volume :
                 steam_->draw(picture, m, cylinder_, screenDataOn_, graphicPosition_->active())) {
                context_.sound().setVolume(volume);
                context_.sound().playFile("Exhaust.wav");
            }
        } else {
            steam_->drawStill(picture, m, cylinder_, screenDataOn_);
        }
    } else if (use == FrameUse::Tick) {
        steam_->followExhaust(m);  // so turning the display on finds no stale beat
    }
    if (use == FrameUse::Tick) updateTitles();
    drawMechanism(canvas, picture, use);
    if (screenDataOn_) drawReadouts(canvas, picture, use);
    if (m.HighlightCode > 0) {
        if (use == FrameUse::Tick)
            graphicPosition_->drawFrame(picture);
        else
            graphicPosition_->drawStill(picture);
    }
}

void TMainForm::startFrame(Canvas& canvas) {
    canvas.refresh();
    canvas.setPen(colours::black, model().LineWidth);
    canvas.setBrush(true);
    canvas.setFont(FontSpec{textPoints(model(), 8), false, colours::black});
}

void TMainForm::drawMechanism(Canvas& canvas, Canvas& picture, FrameUse use) {
    Model& m = model();
    drawCircles(picture, m, solvedAngle_);
    drawCylinder(picture, cylinder_);
    drawFixedMarksAndLinkArc(picture, m);
    drawLinks(picture, m);
    overlay_->draw(picture);
    if (screenDataOn_ && m.UndoEnabled && use != FrameUse::Export)
        dynamicControls_->drawUndoLine(canvas);
}

void TMainForm::updateTitles() {
    setWindowTitle(context_.titleFor(kMainTitle, context_.designModified()));
    for (const ProgramContext::TitledWindow& w : context_.titledWindows())
        if (w.window) w.window->setWindowTitle(context_.titleFor(w.titleText));
}

void TMainForm::drawReadouts(Canvas& canvas, Canvas& picture, FrameUse use) {
    const Model& m = model();
    // The reference crosses are lines: they go first, so no line runs through a text. Every
    // text stands on a white band of its own height, the mechanism hidden behind it.
    referencePoints_->drawReferenceMarks(picture);
    canvas.setBrush(false, colours::white);
    if (use != FrameUse::Export) drawViewBarLabels(canvas, m);
    drawGearReadouts(canvas, m, solvedAngle_);
    if (use == FrameUse::Tick) reportError();
    referencePoints_->drawPivotData(canvas, picture);
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
