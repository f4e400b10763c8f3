// TInst: the "Instructions" window, showing the text of "instruct.doc".
#pragma once

#include "InstructionWindow.h"

namespace tarvell {

class TInst : public InstructionWindow {
    Q_OBJECT

  public:
    explicit TInst(ProgramContext& context);
    void InstructionsClick();
};

}  // namespace tarvell
