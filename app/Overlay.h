// The lines and circles overlay drawn over the mechanism: every complete item in its colour,
// placed by its reference frame with the pivots of this tick.
#pragma once

namespace tarvell {

class Canvas;
class TMainForm;
struct Rgb;

class Overlay {
  public:
    explicit Overlay(TMainForm& form);

    // Draws every complete item in its colour; the pen is left as it was.
    void draw(Canvas& canvas);

  private:
    TMainForm& form_;
};

// The drawing colour of an overlay colour index (0-5: black, red, green, yellow, blue, gray).
Rgb overlayColour(int index);

}  // namespace tarvell
