// The design's snapshot (see DesignSnapshot.h).
#include "DesignSnapshot.h"

#include <bit>

#include "DataFileLayout.h"

namespace tarvell {
namespace {

bool worksOutForItself(const FieldSlot& slot) {
    return slot.kind == FieldKind::PivotX || slot.kind == FieldKind::PivotY ||
           slot.kind == FieldKind::LastPlotted || slot.kind == FieldKind::Zero;
}

}  // namespace

DesignSnapshot designSnapshot(const Model& m) {
    DesignSnapshot s;
    const auto& layout = dataFileLayout();
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (!worksOutForItself(layout[i]))
            s.bits[i] = std::bit_cast<std::uint32_t>(readField(m, layout[i]));
    return s;
}

}  // namespace tarvell
