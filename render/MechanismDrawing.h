// The mechanism on the main window's frame: driver, joints and fulcrum circles, the
// balance weight arc, the fixed-pivot marks, the curved link and the coloured links.
#pragma once

namespace tarvell {

class Canvas;
struct Model;

// Black circles of the driver, hub, crank pin, crosshead pin, joints and fulcrum boss, and
// the balance weight arc opposite the crank pin. `solvedAngle` is the driver angle the pivots
// were solved at (the model's DriverAngle has already moved on to the next tick's).
void drawCircles(Canvas& canvas, const Model& m, float solvedAngle);

// Red crosses on the link arc centre and the three fixed pivots, and the link's arc.
void drawFixedMarksAndLinkArc(Canvas& canvas, const Model& m);

// The links as coloured segments between pivot screen points; the pen ends black.
void drawLinks(Canvas& canvas, const Model& m);

// A screen coordinate moved by d pixels, held within the int range (a pivot far off, at a
// deep zoom or with a huge dimension, stands at its very end).
inline int movedBy(int v, int d) {
    const long long m = static_cast<long long>(v) + d;
    return m > 2147483647LL ? 2147483647 : m < -2147483647LL ? -2147483647 : static_cast<int>(m);
}

// A circle of world radius r about world point (cx, cy), drawn with the current view.
void drawWorldCircle(Canvas& canvas, const Model& m, double cx, double cy, double r);

}  // namespace tarvell
