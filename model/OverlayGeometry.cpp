// The lines and circles overlay (see OverlayGeometry.h).
#include "OverlayGeometry.h"

#include <cmath>

#include "Numbers.h"
#include "PivotPicking.h"

namespace tarvell {
namespace {

bool validPivot(int n) {
    return n >= 0 && n < PivotSet::kCount;
}

bool finite(float v) {
    return std::isfinite(v);
}

// Frame with its origin at (ox, oy) and its axis toward (tx, ty).
OverlayFrame frameToward(double ox, double oy, double tx, double ty) {
    OverlayFrame f;
    f.ox = ox;
    f.oy = oy;
    const double dx = tx - ox, dy = ty - oy;
    const double len = std::hypot(dx, dy);
    if (std::isfinite(len) && len > 1e-9) {
        f.c = dx / len;
        f.s = dy / len;
    }
    return f;
}

const Pivot& ref(const PivotSet& pivots, int which) {
    return pivots[which == 2 ? kReferencePoint2 : kReferencePoint1];
}

// The item's points as world points with the frame it has now.
void worldPoints(const OverlayItem& item, const OverlayFrame& f, double& x1, double& y1, double& x2,
                 double& y2) {
    f.toWorld(item.p1x, item.p1y, x1, y1);
    if (item.type == kCircleItem) {
        x2 = item.p2x;  // the radius, the same in every frame
        y2 = item.p2y;
    } else {
        f.toWorld(item.p2x, item.p2y, x2, y2);
    }
}

void setLocalPoints(OverlayItem& item, const OverlayFrame& f, double x1, double y1, double x2,
                    double y2) {
    double h = 0, v = 0;
    f.toLocal(x1, y1, h, v);
    item.p1x = toSingle(h);
    item.p1y = toSingle(v);
    if (item.type == kCircleItem) {
        item.p2x = toSingle(x2);
        item.p2y = -1;
    } else {
        f.toLocal(x2, y2, h, v);
        item.p2x = toSingle(h);
        item.p2y = toSingle(v);
    }
}

}  // namespace

OverlayFrame overlayFrame(const PivotSet& pivots, int refMode, int pivot1, int pivot2) {
    if (refMode < kPivot1Reference || refMode > kPivot1ToPivot2Reference || !validPivot(pivot1))
        return OverlayFrame{};
    const Pivot& a = pivots[pivot1];
    switch (refMode) {
        case kPivot1Reference: {
            OverlayFrame f;
            f.ox = a.x;
            f.oy = a.y;
            return f;
        }
        case kPivot1ToOriginReference:
            return frameToward(a.x, a.y, 0.0, 0.0);
        default:
            if (!validPivot(pivot2)) return frameToward(a.x, a.y, a.x, a.y);
            return frameToward(a.x, a.y, pivots[pivot2].x, pivots[pivot2].y);
    }
}

OverlayFrame overlayFrame(const PivotSet& pivots, const OverlayItem& item) {
    return overlayFrame(pivots, item.refMode, item.pivot1, item.pivot2);
}

bool overlayItemComplete(const OverlayItem& item) {
    if (item.type != kLineItem && item.type != kCircleItem) return false;
    if (item.colour < 0 || item.colour >= static_cast<int>(kOverlayColourNames.size()))
        return false;
    if (item.refMode < kWorldReference || item.refMode > kPivot1ToPivot2Reference) return false;
    if (item.refMode >= kPivot1Reference && !validPivot(item.pivot1)) return false;
    if (item.refMode == kPivot1ToPivot2Reference && !validPivot(item.pivot2)) return false;
    if (!finite(item.p1x) || !finite(item.p1y) || !finite(item.p2x)) return false;
    if (item.type == kCircleItem) return item.p2x > 0;
    return finite(item.p2y);
}

std::optional<OverlayFigure> overlayFigure(const PivotSet& pivots, const OverlayItem& item) {
    if (!overlayItemComplete(item)) return std::nullopt;
    OverlayFigure fig;
    fig.circle = item.type == kCircleItem;
    worldPoints(item, overlayFrame(pivots, item), fig.x1, fig.y1, fig.x2, fig.y2);
    if (fig.circle) {
        fig.radius = item.p2x;
        fig.x2 = fig.x1;
        fig.y2 = fig.y1;
    }
    if (!std::isfinite(fig.x1) || !std::isfinite(fig.y1) || !std::isfinite(fig.x2) ||
        !std::isfinite(fig.y2))
        return std::nullopt;
    return fig;
}

bool overlayItemStarted(const OverlayItem& item) {
    return item.type == kLineItem || item.type == kCircleItem;
}

void startOverlayItem(OverlayItem& item, const PivotSet& pivots) {
    item = OverlayItem{};
    item.type = kLineItem;
    item.colour = 0;
    item.refMode = kWorldReference;
    overlayPointsFromReferencePoints(item, pivots);
}

void setOverlayType(OverlayItem& item, int type) {
    if (type != kLineItem && type != kCircleItem) return;
    if (type == item.type) return;
    if (type == kCircleItem) {
        const double r = std::hypot(static_cast<double>(item.p2x) - item.p1x,
                                    static_cast<double>(item.p2y) - item.p1y);
        item.p2x = toSingle(r);
        item.p2y = -1;
    } else {
        const double r = item.p2x;
        item.p2x = toSingle(item.p1x + r);
        item.p2y = item.p1y;
    }
    item.type = type;
}

void setOverlayReference(OverlayItem& item, const PivotSet& pivots, int refMode) {
    if (refMode < kWorldReference || refMode > kPivot1ToPivot2Reference) return;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    worldPoints(item, overlayFrame(pivots, item), x1, y1, x2, y2);

    item.refMode = refMode;
    item.pivot1 = item.pivot2 = -1;
    item.ref1x = item.ref1y = item.ref2x = item.ref2y = -1;
    if (refMode >= kPivot1Reference) {
        const Pivot& r1 = ref(pivots, 1);
        item.pivot1 = nearestPivotTo(pivots, r1.x, r1.y);
        item.ref1x = pivots[item.pivot1].x;
        item.ref1y = pivots[item.pivot1].y;
    }
    if (refMode == kPivot1ToPivot2Reference) {
        const Pivot& r2 = ref(pivots, 2);
        item.pivot2 = nearestPivotTo(pivots, r2.x, r2.y);
        item.ref2x = pivots[item.pivot2].x;
        item.ref2y = pivots[item.pivot2].y;
    }
    setLocalPoints(item, overlayFrame(pivots, item), x1, y1, x2, y2);
}

void overlayPointsFromReferencePoints(OverlayItem& item, const PivotSet& pivots) {
    const Pivot& a = ref(pivots, 1);
    const Pivot& b = ref(pivots, 2);
    const double r = std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
    if (item.type == kCircleItem)
        setLocalPoints(item, overlayFrame(pivots, item), a.x, a.y, r, -1);
    else
        setLocalPoints(item, overlayFrame(pivots, item), a.x, a.y, b.x, b.y);
}

}  // namespace tarvell
