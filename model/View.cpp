// World to screen (see View.h).
#include "View.h"

namespace tarvell {

void ScreenTransform(Model& m) {
    const View& v = m.view.current;
    for (int n = 0; n <= 21; ++n) {
        Pivot& p = m.pivots[n];
        p.sx = screenX(v, p.x);
        p.sy = screenY(v, p.y);
    }
}

}  // namespace tarvell
