// TCylDimen: the "Cylinder Dimensions" dialog, where the 22 cylinder, port and valve
// dimensions are read and changed. It works like the frame dialog; every row is gray, and
// the cylinder centre line and valve stem rows also move the valve stem line.
#pragma once

#include "DimensionDialog.h"

namespace tarvell {

class TCylDimen : public DimensionDialog {
    Q_OBJECT

  public:
    explicit TCylDimen(ProgramContext& context);

    QPushButton* Reset1 = nullptr;

    // The default cylinder dimensions, empty dynamic-variable slots and the fields filled
    // again; the click also clears the undo stack. The reverse arm range is left alone.
    void Reset1MouseDown();
    void ResetCylClick();

  protected:
    void storeWhiteRow(const DimensionInfo&, float) override {}  // no white rows here
    void resetMouseDown() override { Reset1MouseDown(); }
    void resetClick() override { ResetCylClick(); }
};

}  // namespace tarvell
