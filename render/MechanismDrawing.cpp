// The mechanism's circles, marks, link arc and links (see MechanismDrawing.h).
#include "MechanismDrawing.h"

#include <cmath>

#include "Canvas.h"
#include "View.h"

namespace tarvell {
namespace {

void cross(Canvas& c, const Pivot& p, int a, int b) {
    c.moveTo(movedBy(p.sx, a), movedBy(p.sy, a));
    c.lineTo(movedBy(p.sx, -b), movedBy(p.sy, -b));
    c.moveTo(movedBy(p.sx, a), movedBy(p.sy, -a));
    c.lineTo(movedBy(p.sx, -b), movedBy(p.sy, b));
}

}  // namespace

void drawWorldCircle(Canvas& canvas, const Model& m, double cx, double cy, double r) {
    const View& v = m.view.current;
    canvas.ellipse(screenX(v, cx - r), screenY(v, cy - r), screenX(v, cx + r), screenY(v, cy + r));
}

void drawCircles(Canvas& canvas, const Model& m, float solvedAngle) {
    const PivotSet& p = m.pivots;
    const View& v = m.view.current;
    const double d = m.frame.DriverDia;
    canvas.setPenColour(colours::black);

    drawWorldCircle(canvas, m, p[1].x, p[1].y, 0.5 * d);  // driver wheel

    // Balance weight: a 140 degree arc of radius 0.35 D about the origin, opposite the crank
    // pin, which stands at screen angle -theta. The direction points are screen vectors.
    const double s = v.scale;
    const double theta = static_cast<double>(solvedAngle) * kPi / 180.0;
    const double a1 = theta - 110.0 * kPi / 180.0;
    const double a2 = theta + 110.0 * kPi / 180.0;
    const double r = 0.35 * d * s;
    canvas.arc(roundToInt(v.ox - r), roundToInt(v.oy + r), roundToInt(v.ox + r),
               roundToInt(v.oy - r), roundToInt(v.ox + d * s * std::cos(a1)),
               roundToInt(v.oy + d * s * std::sin(a1)), roundToInt(v.ox + d * s * std::cos(a2)),
               roundToInt(v.oy + d * s * std::sin(a2)));

    drawWorldCircle(canvas, m, p[1].x, p[1].y, 0.09 * d);  // hub
    drawWorldCircle(canvas, m, p[2].x, p[2].y, 0.05 * d);  // crank pin
    drawWorldCircle(canvas, m, p[3].x, p[3].y, 0.04 * d);  // crosshead pin
    for (int n : {5, 6, 7, 8, 9, 11, 12, 14, 15, 16, 18})
        drawWorldCircle(canvas, m, p[n].x, p[n].y, 0.02 * d);                   // joints
    drawWorldCircle(canvas, m, p[6].x, p[6].y, 0.5 * m.frame.FulcrumDiameter);  // fulcrum boss
}

void drawFixedMarksAndLinkArc(Canvas& canvas, const Model& m) {
    const PivotSet& p = m.pivots;
    const View& v = m.view.current;
    canvas.setPenColour(colours::red);
    cross(canvas, p[21], 1, 2);
    for (int n : {0, 6, 16}) cross(canvas, p[n], 5, 6);

    // The link: a 0.52 rad slot of radius R about the arc centre, between the rays toward
    // two points set off from the trunnion.
    const double R = m.frame.LinkRadius;
    const double sn = std::sin(0.13), cs = std::cos(0.13);
    const double tx = p[9].x + 2 * R * sn * sn;
    const double ty1 = p[9].y + 2 * R * sn * cs;
    const double ty2 = p[9].y - 2 * R * sn * cs;
    canvas.arc(screenX(v, p[21].x - R), screenY(v, p[21].y - R), screenX(v, p[21].x + R),
               screenY(v, p[21].y + R), screenX(v, tx), screenY(v, ty1), screenX(v, tx),
               screenY(v, ty2));
}

void drawLinks(Canvas& canvas, const Model& m) {
    const PivotSet& p = m.pivots;
    auto seg = [&](Rgb colour, int to) {
        canvas.setPenColour(colour);
        canvas.lineTo(p[to].sx, p[to].sy);
    };
    canvas.moveTo(p[3].sx, p[3].sy);
    seg(colours::red, 2);      // main rod
    seg(colours::lime, 7);     // motion con rod
    seg(colours::blue, 6);     // fulcrum lever, lower part
    seg(colours::blue, 9);     // fulcrum lever to the trunnion
    seg(colours::red, 11);     // link rocking arm
    seg(colours::yellow, 12);  // link con rod
    seg(colours::lime, 13);    // motion con rod foot
    canvas.moveTo(p[4].sx, p[4].sy);
    seg(colours::lime, 5);      // valve stem offset
    seg(colours::blue, 8);      // valve rod
    seg(colours::blue, 14);     // valve rod short end
    seg(colours::fuchsia, 15);  // lifting link
    seg(colours::lime, 16);     // lifting arm
    seg(colours::lime, 18);     // reverse arm
    canvas.setPenColour(colours::black);
    canvas.lineTo(p[1].sx, p[18].sy);  // reference line to above the driver centre
}

}  // namespace tarvell
