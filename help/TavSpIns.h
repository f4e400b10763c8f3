// TTavSpInst: the "Tarvell Special Instructions" window, showing the text of "TavSpIns.doc"
// (setting up a new gear from its drawings).
#pragma once

#include "InstructionWindow.h"

namespace tarvell {

class TTavSpInst : public InstructionWindow {
    Q_OBJECT

  public:
    explicit TTavSpInst(ProgramContext& context);
    void SpecInstrClick();
};

}  // namespace tarvell
