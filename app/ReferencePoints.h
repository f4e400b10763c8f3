// Reference points (pivots 19 and 20), pivot selection with the mouse and the pivot data
// read-outs of the main window.
//
// With the reference points shown (and pivot data off), a click while the motion is stopped
// puts a reference point on the nearest pivot: the left button point 1, the right button
// point 2. With pivot data on, each left click puts the nearest pivot into the next of the six
// pivot data slots, the first again after the sixth; turning pivot data off empties them.
#pragma once

#include "View.h"

class QMouseEvent;
class QScrollBar;

namespace tarvell {

class Canvas;
class TMainForm;

class ReferencePoints {
  public:
    explicit ReferencePoints(TMainForm& form);

    // Commands and controls.
    void RefPointsClick();
    void SetPivotDataClick();
    void SBRef1VertChange();
    void SBRef1HorzChange();
    void SBRef2VertChange();
    void SBRef2HorzChange();
    void RefPt1Click();
    void RefPt2Click();
    void RefPt1ZeroClick();
    void RefPt2ZeroClick();

    // Shows or hides the reference points with their controls (pivot data goes with them).
    void showReferencePoints(bool on);
    void showPivotData(bool on);

    // The reference points' crosses and their numbers, drawn before the frame's texts.
    void drawReferenceMarks(Canvas& canvas);
    // Frame read-outs, in the frame's order. The pivot data's table goes on `canvas`, each
    // slot's number beside its pivot on `picture` (where the mechanism is drawn).
    void drawPivotData(Canvas& canvas, Canvas& picture);
    void drawPrompts(Canvas& canvas);
    void drawReferenceReadouts(Canvas& canvas);

    // The screen data read-outs were turned on or off: off clears the reference points and
    // pivot data displays, and their commands wait until the read-outs are back.
    void screenDataChanged(bool on);
    // Reference points and pivot data off.
    void turnOff();

    // A mouse press on the main window's picture.
    void mousePress(QMouseEvent* event);

    // The slot the next pivot pick fills (0-5).
    int nextPivotDataSlot() const { return nextSlot_; }

  private:
    void barChange(QScrollBar* bar, StepBar& history, int point, bool vertical);
    void centreOn(int pivot);

    TMainForm& form_;
    StepBar ref1Vert_, ref1Horz_, ref2Vert_, ref2Horz_;
    int nextSlot_ = 0;
};

}  // namespace tarvell
