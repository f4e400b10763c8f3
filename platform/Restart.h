// Starting the program afresh in place of the running one (a new interface size takes
// effect only at start): the same executable with new arguments. Does not return unless the
// start fails.
#pragma once

#include <QStringList>

namespace tarvell {

void restartProgram(const QStringList& arguments);

}  // namespace tarvell
