// The "Instructions" window (see Instruct.h).
#include "Instruct.h"

#include <QAction>

#include "MainForm.h"

namespace tarvell {

TInst::TInst(Program& program)
    : InstructionWindow(program, "TInst", "Instructions", "instruct.doc") {
    connect(program.mainForm->Instructions, &QAction::triggered, this,
            [this] { InstructionsClick(); });
}

void TInst::InstructionsClick() {
    exec();
}

}  // namespace tarvell
