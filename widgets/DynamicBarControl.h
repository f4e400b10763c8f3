// One dynamic-variable scroll bar and its slot. Each change of the bar nudges the slot's
// dimension by the bar's step rule and sets the bar back to the middle; each finished scroll
// (an arrow or page click, holding one down, a thumb drag, a key or a wheel step) becomes one
// undo entry. The main window attaches one to each of its four bars, and each diagram window
// to each of its own, so every bar keeps the same undo rule.
#pragma once

#include <QObject>
#include <QPointer>

#include "DynamicVariables.h"

class QScrollBar;
class QWidget;

namespace tarvell {

class ProgramContext;

class DynamicBarControl : public QObject {
    Q_OBJECT

  public:
    // `slot` is 1-4; after a finished scroll the focus moves to `focusAfterScroll`, so the
    // next use of the bar takes a new start value; a step made with a key leaves the focus
    // on the bar, so the next key steps it again. The bar's focus policy is the owner's.
    DynamicBarControl(ProgramContext& context, QScrollBar* bar, int slot,
                      QWidget* focusAfterScroll);

    // SBDynVarNChange: the bar's position changed (by the user or from code).
    void Change();
    // SBDynVarNEnter: the slot's value when the bar takes the focus or a scroll begins.
    void Enter();
    // SBDynVarNScroll at the end of a scroll: the whole scroll as one undo entry.
    void ScrollEnd();

    const DynamicBar& state() const { return state_; }

  signals:
    // A change of the bar changed the slot's dimension.
    void dimensionChanged();
    // A scroll ended (its undo entry, if any, recorded).
    void scrollFinished();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void beginScroll();
    void finishScroll();
    void actionTriggered();

    ProgramContext& context_;
    QScrollBar* bar_;
    int slot_;
    QPointer<QWidget> focusAfterScroll_;
    DynamicBar state_;
    bool mouseDown_ = false;       // a mouse button is held on the bar: the scroll ends at release
    bool scrolling_ = false;       // a scroll has begun and not yet ended
    bool changed_ = false;         // the scroll has changed a dimension
    bool endAfterChange_ = false;  // a single step (key, wheel, code): ends with its change
    bool keyDown_ = false;         // a key is being pressed on the bar
    bool stepByKey_ = false;       // the scroll under way was begun by a key
};

// The main window's UnDoDnClick, also what the diagrams' "UnDo" buttons do: takes back the
// most recent change; every "UnDo" button is disabled once nothing is left to undo.
void UndoLastChange(ProgramContext& context);

}  // namespace tarvell
