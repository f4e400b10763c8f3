// World to screen: pixels of the main window's frame image from world coordinates (X toward
// the cylinder, Y up), rounding to the nearest pixel with ties to even. Also the arithmetic
// of the view controls: the step scroll bars, pan, zoom about the picture's centre, the
// normal view and the presets.
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

// The pixel that zooming keeps in place, and the limits of the scale.
inline constexpr double kZoomCentreX = 320.0;
inline constexpr double kZoomCentreY = 240.0;
inline constexpr float kMinScale = 0.5f;
inline constexpr float kMaxScale = 3000.0f;

// The last two positions a step scroll bar reported. A step bar never rests away from 0:
// each change is turned into one step and the bar is put back to 0.
struct StepBar {
    int prev1 = 0;
    int prev2 = 0;
};

// One reported position p of a step bar: the step in bar positions (an arrow click from rest
// gives +-1, a page click +-10, a drag |p| in its direction, the return to 0 gives 0); the
// history moves on. Pan bars move 0.1 pixel per position, the zoom bar 0.1 per cent.
int stepBarChange(StepBar& bar, int p);

// Pan by d pixels (positive: the picture moves up / right); the zoom reference follows.
void panVertical(ViewState& v, float d);
void panHorizontal(ViewState& v, float d);

// Zoom by d per cent about pixel (320, 240). The scale is then kept within [0.5, 3000]; the
// offsets stay those of the unlimited scale.
void zoomStep(ViewState& v, float d);

// Back to the normal view; the view left is kept as the saved view.
void returnToNormalView(ViewState& v);

// A view that can be shown: finite, with a positive scale. Preset slots never stored hold
// zeros and are not.
bool usableView(const View& view);

// "P": the current view into preset slot 0.
void capturePreset(ViewState& v);

// Preset button n (1-6): in store mode slot n first takes slot 0; then the view of slot n
// becomes current. Returns false, changing no view, for a slot that holds no usable view.
bool choosePreset(ViewState& v, int n, bool storeMode);

// Moves the view, keeping its scale, so world point (x, y) lies at pixel (320, 240).
void centreViewOn(ViewState& v, double x, double y);

}  // namespace tarvell
