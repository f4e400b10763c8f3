// Running a dialog modal to the program's own windows while the instruction windows stay
// usable beside it: a user follows the setting-up steps in the help while a dimension dialog
// is open. The dialog becomes modal to the window family of its owner (the main window and
// the windows that belong to it); the help windows belong to none, so they are not blocked.
#pragma once

class QDialog;
class QWidget;

namespace tarvell {

// Shows `dialog` modal over `owner`'s window and returns its result, as QDialog::exec does;
// a dialog without a parent is lent to the owner's window while it is shown. Without an owner it is modal to the whole program.
int execModal(QDialog& dialog, QWidget* owner);

}  // namespace tarvell
