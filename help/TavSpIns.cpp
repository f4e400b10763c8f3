// The "Tarvell Special Instructions" window (see TavSpIns.h).
#include "TavSpIns.h"

namespace tarvell {

TTavSpInst::TTavSpInst(ProgramContext& context)
    : InstructionWindow(context, "TTavSpInst", "Tarvell Special Instructions", "TavSpIns.doc") {}

void TTavSpInst::SpecInstrClick() {
    bringForward();
}

}  // namespace tarvell
