// The graphic-position display (see GraphicPosition.h).
#include "GraphicPosition.h"

#include <QApplication>
#include <QCursor>
#include <QMetaObject>
#include <algorithm>
#include <cmath>
#include <optional>

#include "Canvas.h"
#include "MainForm.h"
#include "MechanismDrawing.h"
#include "ModalDialog.h"
#include "Numbers.h"
#include "TextScale.h"
#include "View.h"

namespace tarvell {
namespace {

constexpr int kFrames = 1000;

// The view a code is shown at: scale k (at the normal graphic zoom) and the offsets, where
// no offset keeps the current one.
struct HighlightView {
    double k;
    std::optional<float> ox, oy;
};

std::optional<HighlightView> highlightViewFor(int code) {
    if (code == 1 || code == 2) return HighlightView{30, 290, 212};
    if (code == 3) return HighlightView{20, {}, {}};  // zoom only
    if (code >= 4 && code <= 6) return HighlightView{62, 120, 212};
    if (code >= 7 && code <= 10) return HighlightView{65, -100, 300};
    if (code >= 11 && code <= 16) return HighlightView{33, -100, 320};
    if (code == 17) return HighlightView{33, 100, 300};
    if (code >= 18 && code <= 21) return HighlightView{33, 100, 350};
    if ((code >= 22 && code <= 25) || code == 27 || code == 28) return HighlightView{28, 200, 300};
    if (code == 101) return HighlightView{20.5, {}, {}};  // zoom only
    if (code >= 102 && code <= 105) return HighlightView{55, -900, 250};
    if (code == 106) return HighlightView{40, -500, 260};
    if (code >= 107 && code <= 121) return HighlightView{55, -900, 295};
    if (code == 122) return HighlightView{55, -800, 295};
    return std::nullopt;  // no such dimension: nothing is drawn
}

// The dimensions shown as the link between two pivots.
struct PivotJoin {
    int code, a, b;
};
constexpr PivotJoin kPivotJoins[] = {
    {3, 2, 3},    {4, 2, 7},    {5, 12, 13},  {6, 13, 7},   {7, 6, 10},   {8, 10, 9},
    {9, 7, 6},    {11, 8, 5},   {12, 8, 14},  {13, 4, 5},   {14, 9, 21},  {15, 9, 11},
    {17, 11, 12}, {18, 16, 17}, {19, 17, 18}, {20, 15, 16}, {21, 14, 15},
};

const PivotJoin* pivotJoinFor(int code) {
    for (const PivotJoin& j : kPivotJoins)
        if (j.code == code) return &j;
    return nullptr;
}

// The graphic zoom G divides the scale: keep it within the range its dialog allows, whatever
// path set it.
double graphicZoom(const Model& m) {
    const float g = m.view.graphicZoom;
    return std::isfinite(g) ? std::clamp(g, 0.5f, 2000.0f) : 7.5f;
}

void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

void line(Canvas& c, const ScreenPoint& a, const ScreenPoint& b) {
    line(c, a.x, a.y, b.x, b.y);
}

// The integer midpoint, the quotient rounded towards zero.
int mid(int a, int b) {
    return (a + b) / 2;
}

// The view of the current one changed as the code asks.
View highlightedView(const Model& m, const HighlightView& hv) {
    View v = m.view.current;
    v.scale = toSingle(hv.k / graphicZoom(m) * 7.5);
    if (hv.ox) v.ox = *hv.ox;
    if (hv.oy) v.oy = *hv.oy;
    return v;
}

void drawHourglass(Canvas& c) {
    c.setPen(colours::black, 2);
    c.polyline({{20, 100}, {44, 100}, {44, 104}, {20, 104}, {20, 100}});
    c.polyline({{22, 100}, {22, 112}, {30, 120}, {30, 122}, {22, 130}, {22, 142}});
    c.polyline({{42, 100}, {42, 112}, {34, 120}, {34, 122}, {42, 130}, {42, 142}});
    c.polyline({{20, 142}, {44, 142}, {44, 138}, {20, 138}, {20, 142}});
    c.setPenWidth(1);
    line(c, 24, 136, 32, 127);
    line(c, 39, 136, 31, 127);
    c.polyline({{31, 117}, {26, 111}, {37, 111}, {31, 118}});
}

}  // namespace

GraphicPosition::GraphicPosition(TMainForm& form) : form_(form) {}

GraphicPosition::~GraphicPosition() {
    setWaitCursor(false);
}

bool GraphicPosition::active() const {
    return form_.model().HighlightCode > 0;
}

void GraphicPosition::drawFrame(Canvas& canvas) {
    Model& m = form_.model();
    const int code = m.HighlightCode;
    if (code <= 0) return;
    closeDialog(code);
    drawHourglass(canvas);
    if (tickCount_ == 0) {
        savedView_ = m.view.current;
        m.view.saved = m.view.current;
        setWaitCursor(true);
    }

    canvas.setPenWidth(3);
    FontSpec font = canvas.font();
    font.points = 14;
    font.bold = false;
    font.colour = colours::black;
    canvas.setFont(font);
    ++tickCount_;
    ++flashCount_;
    canvas.setPenColour(flashCount_ < 4 ? colours::red : colours::black);

    if (const auto hv = highlightViewFor(code)) {
        const View v = highlightedView(m, *hv);
        m.view.current = v;
        drawDimension(canvas, code, v);
        drawCaption(canvas, code);
    }

    if (flashCount_ > 5) flashCount_ = 0;  // three red frames, three black
    if (tickCount_ > kFrames) finish();
    if (tickCount_ == 0) {
        font.points = textPoints(m, 8);
        canvas.setFont(font);
        setWaitCursor(false);
    }
}

void GraphicPosition::drawStill(Canvas& canvas) {
    const Model& m = form_.model();
    const int code = m.HighlightCode;
    if (code <= 0) return;
    drawHourglass(canvas);
    canvas.setPenWidth(3);
    FontSpec font = canvas.font();
    font.points = 14;
    font.bold = false;
    font.colour = colours::black;
    canvas.setFont(font);
    // The last frame's colour: red for the first three of every six (and before the first).
    canvas.setPenColour(tickCount_ == 0 || (flashCount_ >= 1 && flashCount_ <= 3) ? colours::red
                                                                                  : colours::black);
    if (const auto hv = highlightViewFor(code)) {
        drawDimension(canvas, code, highlightedView(m, *hv));
        drawCaption(canvas, code);
    }
}

void GraphicPosition::drawCaption(Canvas& canvas, int code) {
    const Model& m = form_.model();
    const std::string_view caption = findDimension(code)->caption;
    // On a white band: the zoomed mechanism often runs under it.
    canvas.setBrush(false, colours::white);
    canvas.textOut(roundToInt(30.0 * m.TextScaleX), roundToInt(75.0 * m.TextScaleY), caption);
    canvas.setBrush(true);
}

void GraphicPosition::closeDialog(int code) {
    frameDialog_ = code <= 99;
    QDialog* dialog = frameDialog_ ? frameDimensions_ : cylinderDimensions_;
    // Without the Close button's steps; a dialog already closed stays closed.
    if (dialog && dialog->isVisible()) dialog->reject();
}

void GraphicPosition::finish() {
    Model& m = form_.model();
    tickCount_ = 0;
    flashCount_ = 0;
    m.HighlightCode = 0;
    m.view.current = savedView_;
    // The dialog opens again once this tick is over: its modal loop must not run inside the
    // timer's handler, which would hold the timer up.
    const bool frame = frameDialog_;
    QMetaObject::invokeMethod(
        &form_, [this, frame] { reopenDialog(frame); }, Qt::QueuedConnection);
}

void GraphicPosition::reopenDialog(bool frameDialog) {
    QDialog* dialog = frameDialog ? frameDimensions_ : cylinderDimensions_;
    if (dialog && !dialog->isVisible()) execModal(*dialog, &form_);
}

void GraphicPosition::setWaitCursor(bool on) {
    if (on == waitCursor_) return;
    waitCursor_ = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void GraphicPosition::drawDimension(Canvas& c, int code, const View& v) {
    const PivotSet& p = form_.model().pivots;
    if (const PivotJoin* j = pivotJoinFor(code)) {
        line(c, ScreenPoint{p[j->a].sx, p[j->a].sy}, ScreenPoint{p[j->b].sx, p[j->b].sy});
        return;
    }
    if (code > 100)
        drawCylinderDimension(c, code, v);
    else
        drawFrameDimension(c, code, v);
}

// The linkage's dimensions not drawn from one pivot to another.
void GraphicPosition::drawFrameDimension(Canvas& c, int code, const View& v) {
    const Model& m = form_.model();
    const PivotSet& p = m.pivots;
    const double x1 = p[1].x, y1 = p[1].y;
    switch (code) {
        case 1: {
            const double d = m.frame.DriverDia;
            line(c, p[1].sx, screenY(v, y1 - d / 2), p[1].sx, screenY(v, y1 + d / 2));
            break;
        }
        case 2:
            line(c, p[2].sx, p[2].sy, screenX(v, 2 * x1 - p[2].x), screenY(v, 2 * y1 - p[2].y));
            break;
        case 10: {
            const double fd = m.frame.FulcrumDiameter;
            const double y6 = p[6].y;
            line(c, p[6].sx, screenY(v, y6 - fd / 2), p[6].sx, screenY(v, y6 + fd / 2));
            break;
        }
        case 16:
            c.polyline({{p[11].sx, p[11].sy}, {p[9].sx, p[9].sy}, {p[21].sx, p[21].sy}});
            break;
        case 22:
            line(c, p[16].sx, p[1].sy, p[16].sx, p[16].sy);
            break;
        case 23:
            line(c, p[1].sx, p[16].sy, p[16].sx, p[16].sy);
            break;
        case 24:
            line(c, p[6].sx, p[1].sy, p[6].sx, p[6].sy);
            break;
        case 25:
            line(c, p[1].sx, p[6].sy, p[6].sx, p[6].sy);
            break;
        case 27:
        case 28: {
            // The travel either side of mid gear, the two halves in opposite colours.
            const double centre = m.ReverseArmCentre();
            const double travel = code == 27 ? m.frame.RevArmToCentNorm : m.frame.RevArmToCentMax;
            const int y = movedBy(p[18].sy, 5);
            auto flip = [&c] {
                c.setPenColour(c.penColour() == colours::red ? colours::black : colours::red);
            };
            c.moveTo(screenX(v, centre - travel), y);
            c.lineTo(screenX(v, centre), y);
            flip();
            c.lineTo(screenX(v, centre + travel), y);
            flip();
            break;
        }
        default:
            break;
    }
}

// The cylinder's, ports' and valve's dimensions, along the outline drawn for them.
void GraphicPosition::drawCylinderDimension(Canvas& c, int code, const View& v) {
    const Model& m = form_.model();
    const PivotSet& p = m.pivots;
    const CylinderOutline& o = form_.cylinderOutline();
    const auto& cyl = o.cylinder;
    const auto& port = o.port;
    const auto& valve = o.valve;
    const double x1 = p[1].x;
    const double cylCtr = m.cyl.CylCtrToDriverCtr();
    switch (code) {
        case 101:
            line(c, p[1].sx, p[1].sy, screenX(v, x1 + cylCtr), p[1].sy);
            break;
        case 102: {
            const int x = screenX(v, x1 + cylCtr);
            line(c, x, p[1].sy, x, p[3].sy);
            break;
        }
        case 103:
            line(c, cyl[4], cyl[5]);
            break;
        case 104:
            line(c, cyl[5], cyl[6]);
            break;
        case 105:
            line(c, cyl[4], port[3]);
            break;
        case 106:
            line(c, p[3].sx, p[3].sy,
                 screenX(v, static_cast<double>(p[3].x) + m.cyl.PistonCtrToCrosshead()), p[3].sy);
            break;
        case 107:
            line(c, o.piston[0], o.piston[3]);
            break;
        case 108:
            line(c, cyl[1].x + 5, cyl[1].y, cyl[1].x + 5, p[3].sy);
            break;
        case 109:
            line(c, cyl[1].x, p[4].sy, cyl[1].x, p[3].sy);
            break;
        case 110:
            line(c, port[0].x, port[0].y, port[7].x, port[0].y);
            break;
        case 111:
            line(c, port[0], port[1]);
            break;
        case 112:
            line(c, port[6], port[7]);
            break;
        case 113:
            line(c, cyl[2], port[1]);
            break;
        case 114:
            line(c, cyl[9], port[6]);
            break;
        case 115:
            line(c, cyl[0], cyl[1]);
            break;
        case 116:
            line(c, cyl[1], cyl[10]);
            break;
        case 117:
            line(c, valve[0], valve[7]);
            break;
        case 118:
            line(c, valve[0].x, valve[0].y, mid(valve[1].x, valve[0].x), valve[0].y);
            break;
        case 119:
            line(c, valve[1].x, valve[1].y, mid(valve[1].x, valve[0].x), valve[1].y);
            break;
        case 120:
            line(c, valve[6].x, valve[6].y, mid(valve[3].x, valve[6].x), valve[6].y);
            break;
        case 121:
            line(c, valve[3].x, valve[3].y, mid(valve[3].x, valve[6].x), valve[3].y);
            break;
        case 122:
            line(c, p[4].sx, p[4].sy, mid(valve[3].x, valve[6].x), p[4].sy);
            break;
        default:
            break;
    }
}

}  // namespace tarvell
