// TFrameDi: the "Frame Dimensions" dialog, where the 27 linkage dimensions are read and
// changed. Gray rows take part in undo and dynamic variables; the two white rows, the normal
// and maximum travel of the reverse arm, keep each other consistent and set the reverse arm
// scroll bar's range.
#pragma once

#include "DimensionDialog.h"

namespace tarvell {

class TFrameDi : public DimensionDialog {
    Q_OBJECT

  public:
    explicit TFrameDi(ProgramContext& context);

    QPushButton* ResetFrame = nullptr;

    void Edit27Exit();
    void Edit28Exit();
    // The default frame dimensions, the reverse arm range, empty dynamic-variable slots and
    // the fields filled again; the click also clears the undo stack.
    void ResetFrameMouseDown();
    void ResetFrameClick();

  protected:
    void storeWhiteRow(const DimensionInfo& row, float value) override;
    void resetMouseDown() override { ResetFrameMouseDown(); }
    void resetClick() override { ResetFrameClick(); }

  private:
    // Used reverse arm positions kept within the normal travel either side of mid gear.
    void clampReverseArmPositions();
};

}  // namespace tarvell
