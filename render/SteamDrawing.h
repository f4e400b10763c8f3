// The steam diagram's picture: for each entry of the reverse arm position set, a band for
// each end of the cylinder across its stroke, coloured by the port's event (admission,
// expansion, exhaust, compression) with the outward stroke in the upper half of the band and
// the return stroke in the lower, and the end's cut-off beside it.
#pragma once

#include "Canvas.h"
#include "DiagramParts.h"

namespace tarvell {

// Geometry of the bands: per cent of stroke from the end's dead centre, left to right.
inline constexpr int kSteamZeroX = 150;
inline constexpr int kSteamHundredX = 550;
inline constexpr int kSteamFirstBandY = 92;
inline constexpr int kSteamBandHeight = 13;
inline constexpr int kSteamEntryPitch = 32;
int steamPercentX(double percent);
// Top of the front (end 0) or rear (end 1) band of entry k.
int steamBandTop(int k, int end);

// The colour of a port event, as the main window's steam display shows it.
Rgb steamEventColour(PortEvent e);

// Draws the picture without clearing first, sweeping the solver on a copy of the model.
DiagramOutcome drawSteamDiagram(Canvas& c, const Model& m, const Underlay* under = nullptr);

}  // namespace tarvell
