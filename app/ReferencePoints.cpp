// Reference points, pivot selection and pivot data (see ReferencePoints.h).
#include "ReferencePoints.h"

#include <QAction>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <array>
#include <optional>
#include <string_view>

#include "Canvas.h"
#include "MainForm.h"
#include "PivotPicking.h"
#include "ViewControls.h"

namespace tarvell {
namespace {

// Where the read-outs go (before text scaling).
constexpr int kRefReadoutX = 8;
constexpr int kRefReadoutHorzX = 82;
constexpr int kRefReadoutY = 126;
constexpr int kPivotDataX = 170;
constexpr int kPivotDataY = 142;
constexpr int kPromptX = 200;
constexpr int kPromptY = 336;
constexpr int kLineHeight = 12;

// Marks of points far outside the picture (a deep zoom) are left out.
bool nearPicture(const Pivot& p) {
    constexpr int kReach = 100000;
    return p.sx > -kReach && p.sx < kReach && p.sy > -kReach && p.sy < kReach;
}

// A reference point's number stands in one of the four corners beside its cross, first up
// and to the right; kLabelHeight is a line of the read-outs' font with room to spare.
constexpr int kLabelCorners = 4;
constexpr int kLabelGap = 3;
constexpr int kLabelHeight = 14;

struct LabelCell {
    int left, top, right, bottom;
};

LabelCell labelCell(const Canvas& canvas, const Pivot& p, std::string_view label, int corner) {
    const int width = canvas.textWidth(label);
    const int left = corner % 2 == 0 ? p.sx + kLabelGap : p.sx - kLabelGap - width;
    const int top = corner < 2 ? p.sy - kLabelHeight : p.sy + kLabelGap;
    return {left, top, left + width, top + kLabelHeight};
}

bool overlap(const LabelCell& a, const LabelCell& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A bar click moves a reference point by 0.001 per bar position.
constexpr double kRefStepPerPosition = 0.001;

}  // namespace

ReferencePoints::ReferencePoints(TMainForm& form) : form_(form) {
    auto onClick = [&form](QPushButton* button, auto handler) {
        QObject::connect(button, &QPushButton::clicked, &form, handler);
    };
    auto onTrigger = [&form](QAction* action, auto handler) {
        QObject::connect(action, &QAction::triggered, &form, handler);
    };
    auto onChange = [&form](QScrollBar* bar, auto handler) {
        QObject::connect(bar, &QScrollBar::valueChanged, &form, handler);
    };
    onTrigger(form.RefPoints, [this] { RefPointsClick(); });
    onTrigger(form.ToolButton[11], [this] { RefPointsClick(); });
    onTrigger(form.SetPivotData, [this] { SetPivotDataClick(); });
    onTrigger(form.ToolButton[24], [this] { SetPivotDataClick(); });
    onChange(form.SBRef1Vert, [this] { SBRef1VertChange(); });
    onChange(form.SBRef1Horz, [this] { SBRef1HorzChange(); });
    onChange(form.SBRef2Vert, [this] { SBRef2VertChange(); });
    onChange(form.SBRef2Horz, [this] { SBRef2HorzChange(); });
    onClick(form.RefPt1, [this] { RefPt1Click(); });
    onClick(form.RefPt2, [this] { RefPt2Click(); });
    onClick(form.RefPt1Zero, [this] { RefPt1ZeroClick(); });
    onClick(form.RefPt2Zero, [this] { RefPt2ZeroClick(); });
}

// --- Commands ---------------------------------------------------------------------------

void ReferencePoints::RefPointsClick() {
    showReferencePoints(!form_.referencePointsShown);
}

void ReferencePoints::SetPivotDataClick() {
    showPivotData(!form_.pivotDataShown);
}

void ReferencePoints::showReferencePoints(bool on) {
    if (!on && form_.pivotDataShown) showPivotData(false);
    form_.referencePointsShown = on;
    for (QWidget* w : std::initializer_list<QWidget*>{
             form_.RefPt1, form_.RefPt1Zero, form_.SBRef1Vert, form_.SBRef1Horz, form_.RefPt2,
             form_.RefPt2Zero, form_.SBRef2Vert, form_.SBRef2Horz, form_.Panel[5], form_.Panel[6],
             form_.Panel[11]})
        w->setVisible(on);
    form_.ToolButton[11]->setToolTip(on ? "Turn Off Reference Points" : "Turn On Reference Points");
    // The overlay's items are tied to the pivots nearest the reference points.
    form_.DrawLines1->setEnabled(on);
    form_.ToolButton[23]->setEnabled(on);
}

void ReferencePoints::showPivotData(bool on) {
    if (on && !form_.referencePointsShown) showReferencePoints(true);
    form_.pivotDataShown = on;
    form_.DataTableBut->setVisible(on);
    form_.ToolButton[24]->setToolTip(on ? "Turn Off Pivot Data" : "Turn On Pivot Data");
    if (!on) {
        form_.model().pivotDataSlots.fill(0);
        nextSlot_ = 0;
    }
}

void ReferencePoints::turnOff() {
    showPivotData(false);
    showReferencePoints(false);
}

void ReferencePoints::screenDataChanged(bool on) {
    if (!on) turnOff();
    for (QAction* a :
         {form_.RefPoints, form_.ToolButton[11], form_.SetPivotData, form_.ToolButton[24]})
        a->setEnabled(on);
}

// --- Reference point controls -----------------------------------------------------------

void ReferencePoints::barChange(QScrollBar* bar, StepBar& history, int point, bool vertical) {
    const int p = bar->value();
    const int step = stepBarChange(history, p);
    if (step != 0) {
        const double d = step * kRefStepPerPosition;
        moveReferencePoint(form_.model().pivots, point, vertical ? d : 0.0, vertical ? 0.0 : d);
    }
    if (p != 0) bar->setValue(0);  // back to rest, which gives no step
}

void ReferencePoints::SBRef1VertChange() {
    barChange(form_.SBRef1Vert, ref1Vert_, 1, true);
}
void ReferencePoints::SBRef1HorzChange() {
    barChange(form_.SBRef1Horz, ref1Horz_, 1, false);
}
void ReferencePoints::SBRef2VertChange() {
    barChange(form_.SBRef2Vert, ref2Vert_, 2, true);
}
void ReferencePoints::SBRef2HorzChange() {
    barChange(form_.SBRef2Horz, ref2Horz_, 2, false);
}

void ReferencePoints::centreOn(int pivot) {
    Model& m = form_.model();
    centreViewOn(m.view, m.pivots[pivot].x, m.pivots[pivot].y);
    form_.viewControls().viewMoved();
}

void ReferencePoints::RefPt1Click() {
    centreOn(kReferencePoint1);
}
void ReferencePoints::RefPt2Click() {
    centreOn(kReferencePoint2);
}

void ReferencePoints::RefPt1ZeroClick() {
    Pivot& p = form_.model().pivots[kReferencePoint1];
    p.x = p.y = 0;
}
void ReferencePoints::RefPt2ZeroClick() {
    Pivot& p = form_.model().pivots[kReferencePoint2];
    p.x = p.y = 0;
}

// --- Pivot selection --------------------------------------------------------------------

void ReferencePoints::mousePress(QMouseEvent* event) {
    if (!form_.screenDataOn() || !form_.referencePointsShown) return;
    const Qt::MouseButton button = event->button();
    const bool left = button == Qt::LeftButton;
    const bool right = button == Qt::RightButton;
    if (form_.pivotDataShown ? !left : !(left || right)) return;
    if (form_.running()) {
        form_.context().refuse(
            "Stop the motion first: pivots are picked with the gear standing still.");
        return;
    }
    Model& m = form_.model();
    // The pivots' screen points are the picture's, wherever it stands in the client.
    const QPoint at = event->position().toPoint() - form_.pictureOffset();
    const int pivot = nearestPivotOnScreen(m.pivots, at.x(), at.y());
    if (form_.pivotDataShown)
        nextSlot_ = choosePivotDataSlot(m, nextSlot_, pivot);
    else
        placeReferencePoint(m.pivots, left ? 1 : 2, pivot);
}

// --- Read-outs --------------------------------------------------------------------------

void ReferencePoints::drawPivotData(Canvas& canvas, Canvas& picture) {
    if (!form_.pivotDataShown) return;
    const Model& m = form_.model();
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    const int x = roundToInt(kPivotDataX * fx);
    const std::string heading = "No.  Vert     Horz";
    const int vertRight = x + canvas.textWidth("No.  Vert");
    const int horzRight = x + canvas.textWidth(heading);
    canvas.textOut(x, roundToInt(kPivotDataY * fy), "    Pivot Data");
    canvas.textOut(x, roundToInt((kPivotDataY + kLineHeight) * fy), heading);

    const FontSpec normal = canvas.font();
    FontSpec red = normal;
    red.colour = colours::red;
    int row = 2;
    std::array<int, PivotSet::kCount> labelsAtPivot{};
    for (int k = 0; k < static_cast<int>(m.pivotDataSlots.size()); ++k) {
        const int pivot = m.pivotDataSlots[static_cast<std::size_t>(k)];
        if (!pivotDataSlotChosen(pivot)) continue;
        const PivotDataRow r = pivotDataRow(m, k);
        const int y = roundToInt((kPivotDataY + row * kLineHeight) * fy);
        canvas.setFont(red);
        canvas.textOut(x, y, r.number);
        // The slot's number beside its pivot; numbers of one pivot stand side by side.
        const Pivot& p = m.pivots[pivot];
        int& before = labelsAtPivot[static_cast<std::size_t>(pivot)];
        if (nearPicture(p)) picture.textOut(p.sx + 4 + 8 * before, p.sy + 1, r.number);
        ++before;
        canvas.setFont(normal);
        canvas.textOut(vertRight - canvas.textWidth(r.vert), y, r.vert);
        canvas.textOut(horzRight - canvas.textWidth(r.horz), y, r.horz);
        ++row;
    }
}

void ReferencePoints::drawPrompts(Canvas& canvas) {
    if (!form_.referencePointsShown) return;
    const Model& m = form_.model();
    std::array<const char*, 3> lines{};
    if (form_.pivotDataShown) {
        if (anyPivotDataSlotChosen(m)) return;
        lines = {"STOP MOTION AND SELECT PIVOT 1", "USE LEFT MOUSE BUTTON",
                 "MOVE MOTION IF NECESSARY TO CLEAR PIVOT"};
    } else {
        if (!referencePointsUnplaced(m.pivots)) return;
        lines = {"STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2",
                 "USE LEFT MOUSE BUTTON FIRST THEN RIGHT",
                 "MOVE MOTION IF NECESSARY TO CLEAR PIVOTS"};
    }
    const FontSpec normal = canvas.font();
    canvas.setFont(FontSpec{normal.points, true, colours::red});
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    for (int k = 0; k < 3; ++k)
        canvas.textOut(roundToInt(kPromptX * fx), roundToInt((kPromptY + k * kLineHeight) * fy),
                       lines[static_cast<std::size_t>(k)]);
    canvas.setFont(normal);
}

void ReferencePoints::drawReferenceMarks(Canvas& canvas) {
    if (!form_.referencePointsShown) return;
    const Model& m = form_.model();
    const Rgb pen = canvas.penColour();
    canvas.setPenColour(colours::black);
    const std::array<const Pivot*, 2> points = {&m.pivots[kReferencePoint1],
                                                &m.pivots[kReferencePoint2]};
    for (const Pivot* p : points) {
        if (!nearPicture(*p)) continue;
        canvas.moveTo(p->sx - 10, p->sy);
        canvas.lineTo(p->sx + 11, p->sy);
        canvas.moveTo(p->sx, p->sy - 10);
        canvas.lineTo(p->sx, p->sy + 11);
    }
    canvas.setPenColour(pen);

    // Each number on a white band up and right of its cross; where that would meet the
    // first point's number (the two points on one pivot, or nearly), the second takes the
    // first corner of its own cross that is clear of it.
    canvas.setBrush(false, colours::white);
    std::optional<LabelCell> first;
    if (nearPicture(*points[0])) {
        first = labelCell(canvas, *points[0], "1", 0);
        canvas.textOut(first->left, first->top, "1");
    }
    if (nearPicture(*points[1])) {
        LabelCell second = labelCell(canvas, *points[1], "2", 0);
        for (int corner = 1; first && overlap(*first, second) && corner < kLabelCorners; ++corner)
            second = labelCell(canvas, *points[1], "2", corner);
        canvas.textOut(second.left, second.top, "2");
    }
    canvas.setBrush(true);
}

void ReferencePoints::drawReferenceReadouts(Canvas& canvas) {
    if (!form_.referencePointsShown) return;
    const Model& m = form_.model();
    const ReferenceReadouts r = referenceReadouts(m.pivots);
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    auto text = [&](int x, int row, const std::string& s) {
        canvas.textOut(roundToInt(x * fx), roundToInt((kRefReadoutY + row * kLineHeight) * fy), s);
    };
    text(kRefReadoutX, 0, r.pt1v);
    text(kRefReadoutHorzX, 0, r.pt1h);
    text(kRefReadoutX, 1, r.pt2v);
    text(kRefReadoutHorzX, 1, r.pt2h);
    // The differences stand under the numbers they come from.
    const int vertRight = roundToInt(kRefReadoutX * fx) + canvas.textWidth(r.pt1v);
    const int horzRight = roundToInt(kRefReadoutHorzX * fx) + canvas.textWidth(r.pt1h);
    const int y = roundToInt((kRefReadoutY + 2 * kLineHeight) * fy);
    canvas.textOut(vertRight - canvas.textWidth(r.diffV), y, r.diffV);
    canvas.textOut(horzRight - canvas.textWidth(r.diffH), y, r.diffH);
    text(kRefReadoutX, 3, r.distance);
}

}  // namespace tarvell
