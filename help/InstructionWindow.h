// The frame shared by the two instruction windows: a read-only memo showing a text file that
// is read once, when the window is created at start-up, with a find bar under it. The window
// is modeless, so the text stays open beside the main window while the user follows it; it
// opens beside that window the first time and where the user left it after that, and keeps
// its size and place between runs.
#pragma once

#include <QDialog>
#include <QPointer>

#include "ProgramContext.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvell {

class InstructionWindow : public QDialog {
    Q_OBJECT

  public:
    InstructionWindow(ProgramContext& context, const char* objectName, const QString& caption,
                      const QString& fileName);
    ~InstructionWindow() override;

    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label1 = nullptr;
    // The find bar: Ctrl+F goes to the box; Enter or F3 finds the next match, Shift with them
    // the previous one, round the end of the text; every match is highlighted.
    QLineEdit* FindBox = nullptr;
    QPushButton* FindNext = nullptr;
    QPushButton* FindPrevious = nullptr;
    QLabel* FindNote = nullptr;  // "3 of 12", "Not found"

    // Loads the file named by the memo's hint; a failure shows the error message and
    // leaves the memo's text as it was.
    void FormCreate();

    // The window the help opens beside (the main window).
    void setReferenceWindow(QWidget* window) { reference_ = window; }
    // Shows the window without holding up the others, or brings it forward when it is shown.
    void bringForward();

    // Selects the next (or previous) match of the find box's text after (before) the current
    // one, round the end of the text; false when there is none.
    bool findNext();
    bool findPrevious();

  protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    ProgramContext& context_;

  private:
    void createFindBar();
    // The first show of a run: the remembered place, or else beside the reference window.
    void place();
    void rememberPlace() const;
    QString settingsKey() const;
    bool find(bool forward, bool fromCurrentStart);
    // Highlights every match (the `current` one apart) and says which one is selected.
    void highlightMatches(int current, bool wrapped);

    QPointer<QWidget> reference_;
    bool placed_ = false;
};

}  // namespace tarvell
