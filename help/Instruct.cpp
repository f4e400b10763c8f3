// The "Instructions" window (see Instruct.h).
#include "Instruct.h"

namespace tarvell {

TInst::TInst(ProgramContext& context)
    : InstructionWindow(context, "TInst", "Instructions", "instruct.doc") {}

void TInst::InstructionsClick() {
    bringForward();
}

}  // namespace tarvell
