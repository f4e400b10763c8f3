// The lines and circles overlay drawn over the mechanism.
#pragma once

namespace tarvell {

class Canvas;
class TMainForm;

class Overlay {
  public:
    explicit Overlay(TMainForm& form);

    // Draws every complete item in its colour.
    void draw(Canvas& canvas);

  private:
    TMainForm& form_;
};

}  // namespace tarvell
