// The steam phase colours (see SteamColours.h).
#include "SteamColours.h"

namespace tarvell {

Rgb steamPhaseColour(PortEvent e, Rgb none) {
    switch (e) {
        case PortEvent::Admission:
            return colours::red;
        case PortEvent::Expansion:
            return colours::fuchsia;
        case PortEvent::Exhaust:
            return colours::blue;
        case PortEvent::Compression:
            return colours::green;
        case PortEvent::None:
            break;
    }
    return none;
}

}  // namespace tarvell
