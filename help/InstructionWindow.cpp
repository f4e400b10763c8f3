// The instruction windows' shared frame (see InstructionWindow.h).
#include "InstructionWindow.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "Fonts.h"
#include "InstructionFile.h"

namespace tarvell {

namespace {
constexpr int kClientWidth = 427;
constexpr int kClientHeight = 273;
}  // namespace

InstructionWindow::InstructionWindow(ProgramContext& context, const char* objectName,
                                     const QString& caption, const QString& fileName)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      context_(context) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(dialogFont(12));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));  // button face
    setPalette(pal);

    // The label lies under the memo: it only records which file was loaded.
    Label1 = new QLabel("Label1", this);
    Label1->setObjectName("Label1");
    Label1->move(8, 8);

    Memo1 = new QPlainTextEdit("Memo1", this);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(0, 0, kClientWidth, kClientHeight);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setToolTip(fileName);

    FormCreate();
}

void InstructionWindow::FormCreate() {
    const QString fileName = Memo1->toolTip();
    const InstructionText loaded = loadInstructionText(fileName);
    if (loaded.loaded) {
        Memo1->setPlainText(loaded.text);
        Label1->setText(fileName);
    } else {
        context_.showErrorMessage(loaded.error);
    }
}

}  // namespace tarvell
