// What the frame and cylinder dimension dialogs have in common, driven by the rows of the
// dimension table: a small graphic-position button, a label and a borderless number field per
// row, two instruction lines, Close and a reset button. Leaving a gray field stores its value,
// records an undo entry when it was typed into and makes the dimension the most recent dynamic
// variable; the main window's timer keeps running, so the gear changes on the next tick.
#pragma once

#include <QDialog>
#include <array>
#include <span>

#include "Data.h"
#include "ProgramContext.h"

class QLabel;
class QPushButton;

namespace tarvell {

class NumberField;

class DimensionDialog : public QDialog {
    Q_OBJECT

  public:
    // Controls by their number: EditN and ButtonN (the row's dialog number), 1-28.
    std::array<NumberField*, 29> Edit{};
    std::array<QPushButton*, 29> Button{};
    QPushButton* Close1 = nullptr;

    // Labels placed, fields filled from the current values (each time the dialog opens).
    void FormActivate();
    // A field left: stores its value (the row's exit handler).
    void EditExit(const DimensionInfo& row);
    // A small button: asks the main window to show the row's dimension on the drawing.
    void ButtonClick(const DimensionInfo& row);
    // Mid gear recomputed, the reverse arm back to mid gear, cut-off read-outs cleared, closed.
    void Close1Click();
    // Esc and the close box: as Close.
    void reject() override;

  protected:
    struct Layout {
        QString caption;
        QSize client;
        std::span<const DimensionInfo> rows;
        QRect close;
        QString instruction1, instruction2;
    };
    DimensionDialog(ProgramContext& context, const Layout& layout);

    Model& model() { return context_.model(); }
    // The value a white row (normal or maximum reverse arm travel) takes when it is left.
    virtual void storeWhiteRow(const DimensionInfo& row, float value) = 0;
    // The reset button: resetMouseDown runs as soon as a mouse button goes down on it and
    // resetClick at its click. With unsaved changes the user is asked first; the question
    // takes the press, so the whole reset then runs at once.
    QPushButton* addResetButton(const QString& name, const QString& caption, const QRect& place);
    virtual void resetMouseDown() = 0;
    virtual void resetClick() = 0;
    // Five empty dynamic-variable slots (after a reset).
    void emptySlots();
    // Undo stack cleared and every "UnDo" button disabled (after a reset).
    void clearUndoStack();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    ProgramContext& context_;

  private:
    const DimensionInfo* rowOf(QObject* field) const;
    // Mid gear from the dimensions as they now stand, the arm taken onto its bar.
    void recomputeMidGear();
    void placeLabels();
    void applyTextScale();

    Layout layout_;
    std::array<QString, 29> filledText_{};  // each field's text as last filled
    std::array<QLabel*, 29> label_{};
    std::array<QLabel*, 29> label2_{};
    QLabel* instruction1_ = nullptr;
    QLabel* instruction2_ = nullptr;
    QPushButton* reset_ = nullptr;
    bool resetPressed_ = false;  // the press has reset already; the click finishes it
    bool quiet_ = false;         // focus moved by the dialog itself: no field exit
};

}  // namespace tarvell
