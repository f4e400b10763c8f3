// The "Tarvell Special Instructions" window (see TavSpIns.h).
#include "TavSpIns.h"

#include <QAction>

#include "MainForm.h"

namespace tarvell {

TTavSpInst::TTavSpInst(Program& program)
    : InstructionWindow(program, "TTavSpInst", "Tarvell Special Instructions", "TavSpIns.doc") {
    connect(program.mainForm->SpecInstr, &QAction::triggered, this, [this] { SpecInstrClick(); });
}

void TTavSpInst::SpecInstrClick() {
    exec();
}

}  // namespace tarvell
