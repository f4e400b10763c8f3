// The frame shared by the two instruction windows: a read-only memo showing a text file that
// is read once, when the window is created at start-up.
#pragma once

#include <QDialog>

#include "ProgramContext.h"

class QLabel;
class QPlainTextEdit;

namespace tarvell {

class InstructionWindow : public QDialog {
    Q_OBJECT

  public:
    InstructionWindow(ProgramContext& context, const char* objectName, const QString& caption,
                      const QString& fileName);

    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label1 = nullptr;

    // Loads the file named by the memo's hint; a failure shows the error message and
    // leaves the memo's text as it was.
    void FormCreate();

  protected:
    ProgramContext& context_;
};

}  // namespace tarvell
