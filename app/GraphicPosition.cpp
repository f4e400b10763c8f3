// The graphic-position display (see GraphicPosition.h).
#include "GraphicPosition.h"

#include "MainForm.h"

namespace tarvell {

GraphicPosition::GraphicPosition(TMainForm& form) : form_(form) {}

void GraphicPosition::drawFrame(Canvas&) {}

bool GraphicPosition::active() const {
    return form_.model().HighlightCode > 0;
}

}  // namespace tarvell
