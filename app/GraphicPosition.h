// The graphic-position display: a dimension shown and labelled on the mechanism for 1000
// frames at a chosen view, then the view restored and its dialog shown again.
#pragma once

namespace tarvell {

class Canvas;
class TMainForm;

class GraphicPosition {
  public:
    explicit GraphicPosition(TMainForm& form);

    // The frame's last drawing step, run while a request is active.
    void drawFrame(Canvas& canvas);
    bool active() const;

  private:
    TMainForm& form_;
};

}  // namespace tarvell
