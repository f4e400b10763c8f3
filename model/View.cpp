// World to screen and the view controls' arithmetic (see View.h).
#include "View.h"

#include <cmath>
#include <cstdlib>

namespace tarvell {

void ScreenTransform(Model& m) {
    const View& v = m.view.current;
    for (int n = 0; n <= 21; ++n) {
        Pivot& p = m.pivots[n];
        p.sx = screenX(v, p.x);
        p.sy = screenY(v, p.y);
    }
}

int stepBarChange(StepBar& bar, int p) {
    int step = 0;
    // A drag: the step follows the thumb's distance from the middle, in the direction it
    // is moving relative to the position before last.
    if (p > 0 && bar.prev2 < p) step = p;
    if (p < 0 && bar.prev2 < p) step = -p;
    if (p < 0 && p < bar.prev2) step = p;
    if (p > 0 && p < bar.prev2) step = -p;
    // An arrow or page click from rest.
    const long jump = std::labs(static_cast<long>(p) - bar.prev1);
    if (jump == 1 || jump == 10) step = p;
    bar.prev2 = bar.prev1;
    bar.prev1 = p;
    return step;
}

void panVertical(ViewState& v, float d) {
    v.current.oy = toSingle(static_cast<double>(v.current.oy) - d);
    v.zoomRef = v.current;
}

void panHorizontal(ViewState& v, float d) {
    v.current.ox = toSingle(static_cast<double>(v.current.ox) + d);
    v.zoomRef = v.current;
}

void zoomStep(ViewState& v, float d) {
    v.zoomRef = v.current;
    const double sr = v.zoomRef.scale;
    const float s = toSingle(sr + sr * d * 0.01);
    // A view without a usable scale (from a data file) cannot be zoomed about a point: its
    // offsets stay and only the scale is brought into range.
    const double ratio = std::isfinite(sr) && sr > 0 ? s / sr : 1.0;
    v.current.ox = toSingle((v.zoomRef.ox - kZoomCentreX) * ratio + kZoomCentreX);
    v.current.oy = toSingle((v.zoomRef.oy - kZoomCentreY) * ratio + kZoomCentreY);
    float limited = s;
    if (!(limited >= kMinScale)) limited = kMinScale;  // NaN too
    if (limited > kMaxScale) limited = kMaxScale;
    v.current.scale = limited;
}

void returnToNormalView(ViewState& v) {
    v.saved = v.current;
    v.current = v.normal;
}

bool usableView(const View& view) {
    return std::isfinite(view.scale) && view.scale > 0 && std::isfinite(view.ox) &&
           std::isfinite(view.oy);
}

void capturePreset(ViewState& v) {
    v.presets[0] = v.current;
}

bool choosePreset(ViewState& v, int n, bool storeMode) {
    if (n < 1 || n >= static_cast<int>(v.presets.size())) return false;
    View& slot = v.presets[static_cast<std::size_t>(n)];
    if (storeMode) slot = v.presets[0];
    if (!usableView(slot)) return false;
    v.current = slot;
    return true;
}

void centreViewOn(ViewState& v, double x, double y) {
    const double s = v.current.scale;
    v.current.ox = toSingle(kZoomCentreX - x * s);
    v.current.oy = toSingle(kZoomCentreY + y * s);
    v.zoomRef = v.current;
}

}  // namespace tarvell
