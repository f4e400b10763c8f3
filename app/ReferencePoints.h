// Reference points (pivots 19 and 20), pivot selection with the mouse and the pivot data
// read-outs of the main window.
#pragma once

class QMouseEvent;

namespace tarvell {

class Canvas;
class TMainForm;

class ReferencePoints {
  public:
    explicit ReferencePoints(TMainForm& form);

    // Frame read-outs, in the frame's order.
    void drawPivotData(Canvas& canvas);
    void drawPrompts(Canvas& canvas);
    void drawReferencePoints(Canvas& canvas);

    // Reference points and pivot data off (the screen data read-outs were turned off).
    void turnOff();

    // A mouse press on the main window's picture.
    void mousePress(QMouseEvent* event);

  private:
    TMainForm& form_;
};

}  // namespace tarvell
