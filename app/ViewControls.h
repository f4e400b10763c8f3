// Pan, zoom and the view presets of the main window: the three step scroll bars, Norm and
// the preset buttons.
#pragma once

namespace tarvell {

class TMainForm;

class ViewControls {
  public:
    explicit ViewControls(TMainForm& form);

    void NormVHZClick();
    void SetPanZoomClick();

  private:
    TMainForm& form_;
};

}  // namespace tarvell
