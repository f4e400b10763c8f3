// World to screen: pixels of the main window's frame image from world coordinates (X toward
// the cylinder, Y up), rounding to the nearest pixel with ties to even.
#pragma once

#include "Numbers.h"
#include "Vari.h"

namespace tarvell {

inline int screenX(const View& v, double x) {
    return roundToInt(x * v.scale + v.ox);
}
inline int screenY(const View& v, double y) {
    return roundToInt(-y * v.scale + v.oy);
}

// Screen coordinates of pivots 0-21 with the current view (22-26 are not converted).
void ScreenTransform(Model& m);

}  // namespace tarvell
