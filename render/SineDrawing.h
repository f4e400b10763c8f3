// The sine diagram's picture: valve displacement against driver angle over one and a half
// turns for each entry of the reverse arm position set, with the port lines and, for a
// mid-gear entry, the lap table.
#pragma once

#include "Canvas.h"
#include "DiagramParts.h"

namespace tarvell {

// Draws the picture without clearing first (the shared read-outs are the window's), sweeping
// the solver on a copy of the model. With an underlay, the other design's curves are drawn
// pale under this one's.
DiagramOutcome drawSineDiagram(Canvas& c, const Model& m, const Underlay* under = nullptr);

}  // namespace tarvell
