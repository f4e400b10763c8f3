// The port events diagram's picture: where each port cuts off, releases and compresses, in
// per cent of its stroke, as the reverse arm moves from mid gear to its greatest travel;
// the front port on the left, the rear port on the right, each with marks at the normal and
// the maximum travel.
#pragma once

#include "Canvas.h"
#include "DiagramParts.h"

namespace tarvell {

enum class PortGraphMode { Forward, Reverse, Both };

// Geometry of the two panels: reverse arm distance 0 to RevArmToCentMax across, per cent of
// stroke 0 (bottom) to 100 (top).
inline constexpr int kPortPanelLeft[2] = {50, 360};  // front, rear
inline constexpr int kPortPanelWidth = 240;
inline constexpr int kPortPanelTop = 95;      // 100 %
inline constexpr int kPortPanelBottom = 355;  // 0 %
int portPercentY(double percent);
int portDistanceX(int panel, double distance, double reach);

// Positions sampled on each side.
inline constexpr int kPortIntervals = 40;

// Draws the picture for the mode without clearing first: in mode Both the forward graph and
// then the reverse graph over it in a dashed line. Sweeps the solver on a copy of the model.
DiagramOutcome drawPortDiagram(Canvas& c, const Model& m, PortGraphMode mode);

}  // namespace tarvell
