// Holding the program's valve events to a ReferenceScan, with the bounds the solver sets: the
// valve-rod search leaves a ripple on every opening, so where an opening stays within two
// ripples of zero the scan and the program may see its edge change at different places in
// that stretch, and an edge that never gets further than that from zero at its greatest or
// least may open for one and not for the other.
#pragma once

#include <optional>

#include "ReferenceValveEvents.h"
#include "ValveEvents.h"

namespace tarvell::test {

// Expects `fast` (valveEvents, or valveEventsRunning with `forced`) to agree with the scan:
// the tag and running direction; each edge's statuses, unless the edge is marginal (above);
// each event's angle within the scan's stretch about its change, give or take the program's
// bisection, and its per cent of the stroke what the piston gives at that angle; the lead
// exactly; the greatest openings and the valve travel within the ripple; and whether any
// solve failed or raised a guard.
void expectEventsAgree(const Model& m, const PositionEvents& fast, const ReferenceScan& scan,
                       std::optional<bool> forced);

}  // namespace tarvell::test
