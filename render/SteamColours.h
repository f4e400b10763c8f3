// The colours of the steam phases, the same wherever steam is shown: the main window's steam
// display and the steam diagram.
#pragma once

#include "Colour.h"
#include "Vari.h"

namespace tarvell {

// Red admission, fuchsia expansion, blue exhaust, green compression; `none` before any event.
Rgb steamPhaseColour(PortEvent e, Rgb none = colours::gray);

}  // namespace tarvell
