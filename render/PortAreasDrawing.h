// The Port Areas diagram's picture: for each end of the cylinder, the steam port's opening
// (upward) and the exhaust passage (downward) through a turn, against driver angle or the
// piston's per cent of stroke, for each entry of the reverse arm position set, with the steam
// ports' widths drawn: an opening reaching its width line is the whole port, an exhaust
// passage short of it is choked.
#pragma once

#include "Canvas.h"
#include "DiagramParts.h"

namespace tarvell {

// The plot's frame, in pixels at text scale 1.
inline constexpr int kAreasLeft = 60, kAreasRight = 480;
inline constexpr int kAreasFrontZeroY = 112, kAreasRearZeroY = 298;
inline constexpr int kAreasHalfHeight = 80;  // the widest steam port reaches 70 px of it

// Draws the picture without clearing first, from a copy of the model; `againstPiston` puts
// the piston's per cent of stroke (from the front dead centre) along the bottom instead of
// driver angle.
DiagramOutcome drawPortAreasDiagram(Canvas& c, const Model& m, bool againstPiston);

}  // namespace tarvell
