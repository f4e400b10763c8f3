// Large-font mode for the windows laid out in fixed pixel positions: the texts grow by the
// mode's factors, so every control is placed and sized by them too and each text stays beside
// its control. The normal layout of a window is remembered the first time it is scaled, so
// going back restores it exactly.
#pragma once

class QWidget;

namespace tarvell {

struct Model;

// Places and sizes every child of `root` (not other windows) by fx across and fy down from its
// normal layout, and sets its font fy times its normal size. A child whose place a layout
// decides keeps the layout's place, with its fixed size (if it has one) scaled.
void scaleLayout(QWidget* root, double fx, double fy);

// A drawn text's font size in large-font mode: `points` grown with the texts' height factor.
int textPoints(const Model& m, int points);

}  // namespace tarvell
