// The valve events by the first, slow method (every whole degree of the turn, then bisection
// and golden section), for tests that compare the fast search with it.
#pragma once

#include "ValveEvents.h"

namespace tarvell::test {

// As valveEvents and valveEventsRunning, by the degree scan.
PositionEvents referenceValveEvents(const Model& m, float position);
PositionEvents referenceValveEventsRunning(const Model& m, float position, bool forward);

}  // namespace tarvell::test
