// Pan, zoom and the view presets (see ViewControls.h).
#include "ViewControls.h"

#include "MainForm.h"

namespace tarvell {

ViewControls::ViewControls(TMainForm& form) : form_(form) {}

void ViewControls::NormVHZClick() {
    Model& m = form_.model();
    m.view.saved = m.view.current;
    m.view.current = m.view.normal;
}

void ViewControls::SetPanZoomClick() {}

}  // namespace tarvell
