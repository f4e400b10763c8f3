// One turn of the driver as the pivot data table and the report tool take it: from 0 in
// steps of `step` (accumulated in single precision) while the angle is not above 360.
#pragma once

#include "Vari.h"

namespace tarvell {

// Calls visit(model) after setting DriverAngle for each angle of the turn; DriverAngle is
// left at the first angle above 360. Steps below 0.01 are taken as 0.01 so the turn ends.
template <class Visit>
void sweepDriverTurn(Model& m, float step, Visit&& visit) {
    if (!(step >= 0.01f)) step = 0.01f;
    m.gear.DriverAngle = 0;
    while (!(m.gear.DriverAngle > 360.0f)) {
        visit(m);
        m.gear.DriverAngle = m.gear.DriverAngle + step;
    }
}

}  // namespace tarvell
