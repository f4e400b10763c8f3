// TValveEvents: the valve events window. One row per entry of the reverse arm position set
// and per normal and maximum position either side of mid gear, giving for each end of the
// cylinder its admission, lead, greatest openings, cut-off, release and compression, with
// the mid-gear laps, clearances, leads and valve travel below. Worked out afresh each time it
// opens and on ReDraw; copied as tab-separated text and saved as CSV.
#pragma once

#include <QDialog>

#include "Program.h"
#include "ValveEventsTable.h"

class QAction;
class QLabel;
class QMenuBar;
class QTableWidget;

namespace tarvell {

class KeyColumnsTable;

class TValveEvents : public QDialog {
    Q_OBJECT

  public:
    explicit TValveEvents(Program& program);

    QMenuBar* MainMenu1 = nullptr;
    QAction *ReDraw = nullptr, *CopyTable = nullptr, *SaveCsv = nullptr, *CloseEvents = nullptr;
    KeyColumnsTable* EventsGrid = nullptr;
    QTableWidget* MidGearGrid = nullptr;
    QLabel* Footnote = nullptr;
    // The commands that open the window, in the main window's DrawGraphs menu and tool bar.
    QAction* ValveEventsItem = nullptr;
    QAction* ToolButton17 = nullptr;

    // Shows the window modally, as the main window's commands do.
    void showModal();

    // Works the events out again from the model and fills the window.
    void FormActivate();
    void ReDrawClick();
    void CopyClick();
    void SaveCsvClick();
    void CloseClick();
    void FormClose();

    // The table as last worked out, and its copied and saved texts.
    const ValveEventsTable& table() const { return table_; }
    QString clipboardText() const;
    QByteArray csvBytes() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillEvents();
    void fillMidGear();
    void fitToTable();
    void addMainWindowCommands();
    QString dateText() const;

    Program& program_;
    ValveEventsTable table_;
    bool sized_ = false;  // the window is fitted to its table once; later the user's size stays
};

}  // namespace tarvell
