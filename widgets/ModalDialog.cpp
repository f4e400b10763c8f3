// Dialogs modal to the program's windows, not to the help (see ModalDialog.h).
#include "ModalDialog.h"

#include <QDialog>
#include <QPointer>

namespace tarvell {

int execModal(QDialog& dialog, QWidget* owner) {
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (!ownerWindow || ownerWindow == &dialog || dialog.parentWidget()) {
        dialog.setWindowModality(dialog.parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
        return dialog.exec();
    }
    // Qt keeps a window modal to a family only when it has a parent in it, so the dialog
    // takes the owner's window as its parent while it is shown, and lets go afterwards: the
    // dialog stays owned by whoever made it, whichever window it was last shown over.
    const Qt::WindowFlags flags = dialog.windowFlags();
    dialog.setParent(ownerWindow, flags);
    dialog.setWindowModality(Qt::WindowModal);
    const QPointer<QDialog> alive(&dialog);
    const int result = dialog.exec();
    if (alive) dialog.setParent(nullptr, flags);
    return result;
}

}  // namespace tarvell
