// The lines and circles overlay: what each item's choices mean, where a complete item lies
// in the world for the present pivot positions, and the edits the lines dialog makes. No Qt.
//
// An item's points are given in its reference frame:
//   "0,0"       world coordinates, origin at the driver centre;
//   "Pivot1"    origin at the first reference pivot, world directions: the item moves with
//               the pivot without turning;
//   "Piv1/0,0"  origin at the first reference pivot, the horizontal axis pointing from it
//               toward the driver centre: the item moves and turns with that line;
//   "Piv1/Piv2" origin at the first reference pivot, the horizontal axis pointing from it
//               toward the second reference pivot: the item moves and turns with that line.
// The vertical axis is always a quarter turn counter-clockwise from the horizontal one. The
// reference pivots are the pivots nearest the two reference points when the reference is
// chosen.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "Vari.h"

namespace tarvell {

inline constexpr int kLineItem = 0;
inline constexpr int kCircleItem = 1;
inline constexpr std::array<std::string_view, 2> kOverlayTypeNames{"Line", "Circle"};
inline constexpr std::array<std::string_view, 6> kOverlayColourNames{"Black",  "Red",  "Green",
                                                                     "Yellow", "Blue", "Gray"};
inline constexpr std::array<std::string_view, 4> kOverlayReferenceNames{"0,0", "Pivot1", "Piv1/0,0",
                                                                        "Piv1/Piv2"};
inline constexpr int kWorldReference = 0;
inline constexpr int kPivot1Reference = 1;
inline constexpr int kPivot1ToOriginReference = 2;
inline constexpr int kPivot1ToPivot2Reference = 3;

// A reference frame in the world: local (h, v) lies at origin + h * axis + v * (axis turned a
// quarter counter-clockwise).
struct OverlayFrame {
    double ox = 0, oy = 0;
    double c = 1, s = 0;  // cosine and sine of the horizontal axis' direction

    void toWorld(double h, double v, double& x, double& y) const {
        x = ox + c * h - s * v;
        y = oy + s * h + c * v;
    }
    void toLocal(double x, double y, double& h, double& v) const {
        const double dx = x - ox, dy = y - oy;
        h = c * dx + s * dy;
        v = -s * dx + c * dy;
    }
};

// The frame of a reference mode with the present pivot positions. A direction that cannot be
// found (the two ends together) is taken as the world's; an unset mode gives the world frame.
OverlayFrame overlayFrame(const PivotSet& pivots, int refMode, int pivot1, int pivot2);
OverlayFrame overlayFrame(const PivotSet& pivots, const OverlayItem& item);

// Every choice made, the reference pivots its mode needs present, its numbers finite and,
// for a circle, a radius above 0.
bool overlayItemComplete(const OverlayItem& item);

// A complete item placed in the world: a line from (x1, y1) to (x2, y2), or a circle about
// (x1, y1) with the radius.
struct OverlayFigure {
    bool circle = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double radius = 0;
};
std::optional<OverlayFigure> overlayFigure(const PivotSet& pivots, const OverlayItem& item);

// --- Edits of the lines dialog; `pivots` holds the present positions and the reference
// points (19, 20). ---

// Whether the item has been started (its type chosen).
bool overlayItemStarted(const OverlayItem& item);

// Starts an unset item: a black line in world coordinates from reference point 1 to
// reference point 2.
void startOverlayItem(OverlayItem& item, const PivotSet& pivots);

// Line or circle. A line becomes the circle about its first point through its second; a
// circle becomes the line from its centre along its frame's horizontal axis, one radius long.
void setOverlayType(OverlayItem& item, int type);

// A new reference: ties the item to the pivots nearest the reference points (noting where
// they stand) and re-expresses its points in the new frame, so it stays where it is now.
void setOverlayReference(OverlayItem& item, const PivotSet& pivots, int refMode);

// The item's points from the reference points, in its frame: a line from point 1 to point
// 2; a circle about point 1 through point 2.
void overlayPointsFromReferencePoints(OverlayItem& item, const PivotSet& pivots);

}  // namespace tarvell
