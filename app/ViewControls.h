// Pan, zoom and the view presets of the main window: the three step scroll bars, Norm, the
// preset buttons and the command that shows the bars while the screen data are off.
#pragma once

#include "View.h"

class QScrollBar;

namespace tarvell {

class TMainForm;

class ViewControls {
  public:
    explicit ViewControls(TMainForm& form);

    void SBPanVertChange();
    void SBPanHorzChange();
    void SBZoomChange();
    void NormVHZClick();
    void Preset0Click();
    // Preset1Click ... Preset6Click.
    void PresetClick(int n);
    void SetPanZoomClick();

    // A view change made elsewhere (centring on a reference point): Norm can undo it.
    void viewMoved();

  private:
    // One change of a step bar: the step it gives in bar positions; the bar goes back to 0.
    int stepFrom(QScrollBar* bar, StepBar& history);

    TMainForm& form_;
    StepBar panVert_, panHorz_, zoom_;
};

}  // namespace tarvell
