// The working design as the data file keeps it, for telling whether it has changed since it
// was last opened or saved: every value the file stores except those the program works out
// for itself, the solved pivots (they move as the gear turns and are solved afresh from the
// dimensions) and the position a diagram plotted last (bookkeeping, not design), and except
// the reverse arm's position and the current view: they are saved with the design, but
// looking at forward gear or zooming in changes nothing to keep. Values are compared bit for
// bit, so a value that is not a number still equals itself.
#pragma once

#include <array>
#include <cstdint>

#include "DataFile.h"

namespace tarvell {

struct DesignSnapshot {
    std::array<std::uint32_t, kFieldCount> bits{};
    bool operator==(const DesignSnapshot&) const = default;
};

DesignSnapshot designSnapshot(const Model& m);

}  // namespace tarvell
