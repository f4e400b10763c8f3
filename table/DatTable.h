// TDataTable: the pivot data table window. Each time it opens it lists, for the current
// reverse arm position and step, where the six chosen pivots stand at every step of one turn
// of the driver; the text can be selected, cut, copied and pasted.
#pragma once

#include <QDialog>
#include <optional>

#include "ProgramContext.h"

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace tarvell {

class TDataTable : public QDialog {
    Q_OBJECT

  public:
    explicit TDataTable(ProgramContext& context);

    QPlainTextEdit* DataMemo = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Blank = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Past1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* SaveCsv = nullptr;  // the table's rows as CSV for a spreadsheet

    // Rebuilds the table from the model (run each time the window opens).
    void FormActivate();
    void Edit1Click();
    void Cut1Click();
    void Copy1Click();
    void Past1Click();
    void SelectAll1Click();
    void Close1Click();
    // Asks where to save the CSV and writes it; returns the path, empty when cancelled or
    // failed (the failure is reported).
    QString SaveCsvClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    ProgramContext& context_;
    std::optional<RotationPause> pause_;  // while the window is shown
};

}  // namespace tarvell
