// Reference points and pivot selection (see PivotPicking.h).
#include "PivotPicking.h"

#include <cmath>
#include <limits>

#include "Numbers.h"

namespace tarvell {
namespace {

template <typename Distance>
int nearestPivot(Distance distance) {
    int best = 1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int n = 1; n <= 21; ++n) {
        if (!isPickablePivot(n)) continue;
        const double d = distance(n);
        if (d < bestDistance) {
            best = n;
            bestDistance = d;
        }
    }
    return best;
}

Pivot& referencePoint(PivotSet& pivots, int which) {
    return pivots[which == 2 ? kReferencePoint2 : kReferencePoint1];
}

}  // namespace

bool isPickablePivot(int n) {
    return n >= 1 && n <= 21 && n != kReferencePoint1 && n != kReferencePoint2;
}

int nearestPivotOnScreen(const PivotSet& pivots, int x, int y) {
    // In doubles: far-off pivots of a deep zoom sit near the ends of the int range.
    return nearestPivot([&](int n) {
        const double dx = static_cast<double>(pivots[n].sx) - x;
        const double dy = static_cast<double>(pivots[n].sy) - y;
        return dx * dx + dy * dy;
    });
}

int nearestPivotTo(const PivotSet& pivots, double x, double y) {
    return nearestPivot([&](int n) {
        const double dx = pivots[n].x - x;
        const double dy = pivots[n].y - y;
        const double d = dx * dx + dy * dy;
        return std::isnan(d) ? std::numeric_limits<double>::infinity() : d;
    });
}

bool referencePointsUnplaced(const PivotSet& pivots) {
    const Pivot& a = pivots[kReferencePoint1];
    const Pivot& b = pivots[kReferencePoint2];
    return a.x == 0 && a.y == 0 && b.x == 0 && b.y == 0;
}

void placeReferencePoint(PivotSet& pivots, int which, int pivot) {
    Pivot& r = referencePoint(pivots, which);
    r.x = pivots[pivot].x;
    r.y = pivots[pivot].y;
}

void moveReferencePoint(PivotSet& pivots, int which, double dv, double dh) {
    Pivot& r = referencePoint(pivots, which);
    r.y = toSingle(r.y + dv);
    r.x = toSingle(r.x + dh);
}

ReferenceReadouts referenceReadouts(const PivotSet& pivots) {
    const Pivot& a = pivots[kReferencePoint1];
    const Pivot& b = pivots[kReferencePoint2];
    const double dv = static_cast<double>(a.y) - b.y;
    const double dh = static_cast<double>(a.x) - b.x;
    ReferenceReadouts r;
    r.pt1v = "Pt1V " + formatFixed(a.y, 6, 3);
    r.pt1h = "Pt1H " + formatFixed(a.x, 6, 3);
    r.pt2v = "Pt2V " + formatFixed(b.y, 6, 3);
    r.pt2h = "Pt2H " + formatFixed(b.x, 6, 3);
    r.diffV = formatFixed(dv, 6, 3);
    r.diffH = formatFixed(dh, 6, 3);
    r.distance = "Pt1-Pt2" + formatFixed(std::hypot(dv, dh), 6, 3);
    return r;
}

bool pivotDataSlotChosen(int slotValue) {
    return isPickablePivot(slotValue);
}

bool anyPivotDataSlotChosen(const Model& m) {
    for (int v : m.pivotDataSlots)
        if (pivotDataSlotChosen(v)) return true;
    return false;
}

int choosePivotDataSlot(Model& m, int index, int pivot) {
    const int count = static_cast<int>(m.pivotDataSlots.size());
    if (index < 0 || index >= count) index = 0;
    m.pivotDataSlots[static_cast<std::size_t>(index)] = pivot;
    return (index + 1) % count;
}

PivotDataRow pivotDataRow(const Model& m, int index) {
    const int pivot = m.pivotDataSlots[static_cast<std::size_t>(index)];
    const Pivot& p = m.pivots[isPickablePivot(pivot) ? pivot : 0];
    return {std::to_string(index + 1), formatFixed(p.y, 7, 3), formatFixed(p.x, 7, 3)};
}

}  // namespace tarvell
