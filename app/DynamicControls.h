// The main window's dynamic-variable scroll bars, its UnDo button and their read-outs.
#pragma once

namespace tarvell {

class Canvas;
class TMainForm;

class DynamicControls {
  public:
    explicit DynamicControls(TMainForm& form);

    void drawUndoLine(Canvas& canvas);
    void drawReadouts(Canvas& canvas);
    // Dynamic variables off, their scroll bars and panels hidden (reset-all).
    void hideDynamicVariables();

  private:
    TMainForm& form_;
};

}  // namespace tarvell
