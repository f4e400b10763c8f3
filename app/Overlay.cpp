// The lines and circles overlay (see Overlay.h).
#include "Overlay.h"

#include <QAction>

#include "Canvas.h"
#include "MainForm.h"
#include "OverlayGeometry.h"
#include "View.h"

namespace tarvell {
namespace {

// Pixels beyond this distance from the picture are cut off before drawing, so a deep zoom
// never hands the painter coordinates it cannot handle.
constexpr double kReach = 20000.0;
constexpr double kLargestCircle = 200000.0;  // radius in pixels

// Liang-Barsky: cuts the segment to the square [-kReach, kReach]; false when none is left.
bool clipToReach(double& x1, double& y1, double& x2, double& y2) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x1 + kReach, kReach - x1, y1 + kReach, kReach - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

}  // namespace

Rgb overlayColour(int index) {
    switch (index) {
        case 1:
            return colours::red;
        case 2:
            return colours::green;
        case 3:
            return colours::yellow;
        case 4:
            return colours::blue;
        case 5:
            return colours::gray;
        default:
            return colours::black;
    }
}

Overlay::Overlay(TMainForm& form) : form_(form) {
    // The lines dialog opens once the reference points are shown (ReferencePoints).
    for (QAction* a : {form.DrawLines1, form.ToolButton[23]}) a->setEnabled(false);
}

void Overlay::draw(Canvas& canvas) {
    const Model& m = form_.model();
    const View& v = m.view.current;
    const Rgb pen = canvas.penColour();
    for (const OverlayItem& item : m.overlay) {
        const std::optional<OverlayFigure> fig = overlayFigure(m.pivots, item);
        if (!fig) continue;
        canvas.setPenColour(overlayColour(item.colour));
        if (fig->circle) {
            const double cx = fig->x1 * v.scale + v.ox, cy = -fig->y1 * v.scale + v.oy;
            const double r = fig->radius * v.scale;
            // A circle far from the picture, or too large to draw quickly, is left out.
            if (!(r < kLargestCircle) || cx + r < -kReach || cx - r > kReach || cy + r < -kReach ||
                cy - r > kReach)
                continue;
            canvas.ellipse(screenX(v, fig->x1 - fig->radius), screenY(v, fig->y1 + fig->radius),
                           screenX(v, fig->x1 + fig->radius), screenY(v, fig->y1 - fig->radius));
        } else {
            double x1 = fig->x1 * v.scale + v.ox, y1 = -fig->y1 * v.scale + v.oy;
            double x2 = fig->x2 * v.scale + v.ox, y2 = -fig->y2 * v.scale + v.oy;
            if (!clipToReach(x1, y1, x2, y2)) continue;
            canvas.moveTo(roundToInt(x1), roundToInt(y1));
            canvas.lineTo(roundToInt(x2), roundToInt(y2));
        }
    }
    canvas.setPenColour(pen);
}

}  // namespace tarvell
