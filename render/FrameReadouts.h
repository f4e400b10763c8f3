// The frame's own read-outs, drawn through the Canvas only: the labels of the pan and zoom
// bars, the gear's position, step and piston, the link's angle and the valve's openings; and the
// cut-offs of the last turn while the driver steps. (The reference points, pivot data and
// dynamic variables draw their read-outs themselves.) Positions are scaled by the large-font
// factors.
#pragma once

namespace tarvell {

class Canvas;
struct Model;

// "Pan Vert", "Pan Horz" and "Zoom" beside their bars: the screen's, never an export's.
void drawViewBarLabels(Canvas& canvas, const Model& m);
// `shownAngle` is the driver angle the frame was solved at: the model's DriverAngle has
// already moved on to the next tick's.
void drawGearReadouts(Canvas& canvas, const Model& m, float shownAngle);
void drawCutoffReadouts(Canvas& canvas, const Model& m);

}  // namespace tarvell
