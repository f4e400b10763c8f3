// TValveEvents: the valve events window. One row per entry of the reverse arm position set
// and per normal and maximum position either side of mid gear, giving for each end of the
// cylinder its admission, lead, greatest openings, cut-off, release and compression, with
// the MEP of each end's indicator card, and the mid-gear laps, clearances, leads and valve
// travel below; under them the "By notch" and "Checks" tabs (NotchEventsPanel.h). Worked out afresh
// each time it opens, on ReDraw and when the indicator settings change; copied as tab-separated
// text and saved as CSV.
#pragma once

#include <QDialog>
#include <optional>

#include "ProgramContext.h"
#include "ValveEventsTable.h"

class QAction;
class QLabel;
class QMenuBar;
class QTableWidget;

class QBoxLayout;

namespace tarvell {

class EventsComparisonView;
class KeyColumnsTable;
class NotchEventsPanel;
class TIndicatorSettings;

class TValveEvents : public QDialog {
    Q_OBJECT

  public:
    explicit TValveEvents(ProgramContext& context);

    QMenuBar* MainMenu1 = nullptr;
    QAction *ReDraw = nullptr, *CopyTable = nullptr, *SaveCsv = nullptr, *CloseEvents = nullptr,
            *IndicatorSettings = nullptr;
    // Compare: with another design's file, with the design as last saved, or no more.
    QAction *CompareWithFile = nullptr, *CompareWithSaved = nullptr, *StopComparing = nullptr;
    EventsComparisonView* Comparison = nullptr;
    TIndicatorSettings* IndicatorSettingsDialog = nullptr;
    KeyColumnsTable* EventsGrid = nullptr;
    QTableWidget* MidGearGrid = nullptr;
    QLabel* Footnote = nullptr;
    NotchEventsPanel* NotchPanel = nullptr;  // the By notch and Checks tabs under the notes

    // Shows the window modally, as the main window's commands do.
    void showModal();

    // Works the events out again from the model and fills the window.
    void FormActivate();
    void ReDrawClick();
    void CopyClick();
    void SaveCsvClick();
    void CloseClick();
    void FormClose();
    // The indicator settings dialog; the MEPs are worked out again with settings it stored.
    void IndicatorSettingsClick();

    // The table as last worked out, and its copied and saved texts.
    const ValveEventsTable& table() const { return table_; }

  signals:
    // The user asked to compare with another design's file, or with the design as last saved
    // (the program's file commands answer them).
    void compareWithFileRequested();
    void compareWithSavedRequested();

  public:
    QString clipboardText() const;
    QByteArray csvBytes() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillEvents();
    void fillMidGear();
    // Shows the comparison in place of the events when one is on, the events otherwise.
    void showComparison();
    // A window showing a comparison grows to show it whole, as far as its screen allows.
    void growForComparison();
    void fitToTable();
    QString dateText() const;

    ProgramContext& context_;
    std::optional<RotationPause> pause_;  // while the window is shown
    ValveEventsTable table_;
    QBoxLayout* below_ = nullptr;
    QWidget* eventsPage_ = nullptr;  // the events, the mid-gear table and the notes
    bool sized_ = false;  // the window is fitted to its table once; later the user's size stays
};

}  // namespace tarvell
