// The oval diagram's picture: valve displacement against piston position over a full turn,
// one closed loop per entry of the reverse arm position set, the front end of the stroke to
// the right, with the port lines and the valve's centre line.
#pragma once

#include "Canvas.h"
#include "DiagramParts.h"

namespace tarvell {

// Geometry of the piston axis: 0 % (front dead centre) at the right.
inline constexpr int kOvalFrontX = 580;
inline constexpr int kOvalRearX = 180;
int ovalPistonX(double percent);

// Draws the picture without clearing first, sweeping the solver on a copy of the model.
DiagramOutcome drawOvalDiagram(Canvas& c, const Model& m);

}  // namespace tarvell
