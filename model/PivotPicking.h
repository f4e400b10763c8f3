// Reference points (pivots 19 and 20) and pivot selection: the pivot nearest a click or a
// world point, the six pivot data slots, and the texts of the reference point and pivot data
// read-outs. No Qt.
#pragma once

#include <array>
#include <string>

#include "Vari.h"

namespace tarvell {

inline constexpr int kReferencePoint1 = 19;
inline constexpr int kReferencePoint2 = 20;

// Pivots a user can pick: 1-21 except the reference points themselves.
bool isPickablePivot(int n);

// The pickable pivot whose screen point is nearest pixel (x, y); the lower number on a tie.
int nearestPivotOnScreen(const PivotSet& pivots, int x, int y);

// The pickable pivot nearest world point (x, y); the lower number on a tie.
int nearestPivotTo(const PivotSet& pivots, double x, double y);

// Both reference points still at the origin: they have not been placed.
bool referencePointsUnplaced(const PivotSet& pivots);

// Reference point 1 or 2 moved onto a pivot's present position.
void placeReferencePoint(PivotSet& pivots, int which, int pivot);

// A reference point moved by dv vertically and dh horizontally.
void moveReferencePoint(PivotSet& pivots, int which, double dv, double dh);

// The reference point read-outs: coordinates, their differences (point 1 minus point 2) and
// the distance between the points, each width 6 with 3 decimals.
struct ReferenceReadouts {
    std::string pt1v, pt1h, pt2v, pt2h;  // "Pt1V " + value, ...
    std::string diffV, diffH;            // values only, written under their columns
    std::string distance;                // "Pt1-Pt2" + value
};
ReferenceReadouts referenceReadouts(const PivotSet& pivots);

// Pivot data slots: a slot is chosen when it holds a pickable pivot (0, the driver centre,
// marks a slot never chosen).
bool pivotDataSlotChosen(int slotValue);
bool anyPivotDataSlotChosen(const Model& m);

// Puts a pivot into slot `index` (0-5) and returns the index of the slot to fill next: the
// slots are filled in turn, the first again after the sixth.
int choosePivotDataSlot(Model& m, int index, int pivot);

// One read-out row of a chosen slot: its number, then the pivot's Y and X (width 7, 3
// decimals).
struct PivotDataRow {
    std::string number, vert, horz;
};
PivotDataRow pivotDataRow(const Model& m, int index);

}  // namespace tarvell
