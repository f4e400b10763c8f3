// The frame dimensions dialog (see TavFrame.h).
#include "TavFrame.h"

#include <QPushButton>

#include "Numbers.h"

namespace tarvell {

TFrameDi::TFrameDi(ProgramContext& context)
    : DimensionDialog(context, {"Frame Dimensions", QSize(386, 237), frameDimensionTable(),
                                QRect(288, 208, 89, 25),
                                "To Show Graphic Position of Variable, Click Small Button",
                                "To Select Dynamic Variable, Click Dimension in Gray Area"}) {
    setObjectName("TFrameDi");
    ResetFrame = addResetButton("ResetFrame", "ResetFrameDim", QRect(288, 184, 89, 25));
}

void TFrameDi::Edit27Exit() {
    EditExit(*findDimension(27));
}

void TFrameDi::Edit28Exit() {
    EditExit(*findDimension(28));
}

void TFrameDi::storeWhiteRow(const DimensionInfo& row, float value) {
    FrameDimensions& f = model().frame;
    if (row.code == 27) {
        f.RevArmToCentNorm = value;
        if (f.RevArmToCentNorm > f.RevArmToCentMax) {
            f.RevArmToCentNorm = f.RevArmToCentMax;
            clampReverseArmPositions();
        }
        return;
    }
    f.RevArmToCentMax = value;
    if (f.RevArmToCentMax < f.RevArmToCentNorm) {
        f.RevArmToCentMax = f.RevArmToCentNorm;
        clampReverseArmPositions();
    }
    context_.reverseArmTravelChanged();
}

void TFrameDi::clampReverseArmPositions() {
    Model& m = model();
    const float c = m.ReverseArmCentre();
    const float low = toSingle(static_cast<double>(c) - m.frame.RevArmToCentNorm);
    const float high = toSingle(static_cast<double>(c) + m.frame.RevArmToCentNorm);
    for (std::size_t i = 1; i < m.reverseArmPositions.size(); ++i) {
        float& p = m.reverseArmPositions[i];
        if (p == 0) continue;  // an unused entry
        if (p < low) p = low;
        if (p > high) p = high;
    }
}

void TFrameDi::ResetFrameMouseDown() {
    Model& m = model();
    ApplyFrameDefaults(m);
    context_.reverseArmTravelChanged();
    emptySlots();
    FormActivate();
}

void TFrameDi::ResetFrameClick() {
    ResetFrameMouseDown();
    clearUndoStack();
}

}  // namespace tarvell
