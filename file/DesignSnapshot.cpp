// The design's snapshot (see DesignSnapshot.h).
#include "DesignSnapshot.h"

#include <bit>

#include "DataFileLayout.h"

namespace tarvell {
namespace {

// Values the file keeps that are no part of the design: what the program works out for itself,
// and how the user happens to be looking at it (where the reverse arm stands, the view).
bool notTheDesign(const FieldSlot& slot) {
    switch (slot.kind) {
        case FieldKind::PivotX:
        case FieldKind::PivotY:
        case FieldKind::LastPlotted:
        case FieldKind::Zero:
        case FieldKind::ReverseArmPosition:
        case FieldKind::ViewScale:
        case FieldKind::ViewOffsetX:
        case FieldKind::ViewOffsetY:
            return true;
        default:
            return false;
    }
}

}  // namespace

DesignSnapshot designSnapshot(const Model& m) {
    DesignSnapshot s;
    const auto& layout = dataFileLayout();
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (!notTheDesign(layout[i]))
            s.bits[i] = std::bit_cast<std::uint32_t>(readField(m, layout[i]));
    return s;
}

}  // namespace tarvell
