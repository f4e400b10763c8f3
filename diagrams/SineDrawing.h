// The sine diagram's picture: valve displacement against driver angle over one and a half
// turns for each entry of the reverse arm position set, with the port lines and, for a
// mid-gear entry, the lap table.
#pragma once

#include "Canvas.h"
#include "Vari.h"

namespace tarvell {

// Draws the picture without clearing first (the shared read-outs are the window's). Sweeps
// the solver and puts DriverAngle and ReverseArmPosition back.
void drawSineDiagram(Canvas& c, Model& m);

}  // namespace tarvell
