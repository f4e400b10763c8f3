// The graphic-position display: a small button of a dimension dialog asks for one dimension
// (Model::HighlightCode); the main window closes the dialog, shows that dimension as a
// flashing red and black line with its caption at a view chosen for it, for 1000 frames with
// an hourglass, then restores the view exactly and opens the dialog again.
#pragma once

#include <QDialog>
#include <QPointer>

#include "Vari.h"

namespace tarvell {

class Canvas;
class TMainForm;

class GraphicPosition {
  public:
    explicit GraphicPosition(TMainForm& form);
    ~GraphicPosition();
    GraphicPosition(const GraphicPosition&) = delete;
    GraphicPosition& operator=(const GraphicPosition&) = delete;

    // The frame's last drawing step, run while a request is active.
    void drawFrame(Canvas& canvas);
    // The last frame's picture again (for an export), counting nothing and changing no view.
    void drawStill(Canvas& canvas);
    bool active() const;

    // The two dimension dialogs a request closes and opens again when it ends.
    void setDimensionDialogs(QDialog* frame, QDialog* cylinder) {
        frameDimensions_ = frame;
        cylinderDimensions_ = cylinder;
    }

    // Frames shown so far for the current request, and the 0-5 flash count.
    int tickCount() const { return tickCount_; }

  private:
    void closeDialog(int code);
    void drawDimension(Canvas& canvas, int code, const View& v);
    void drawFrameDimension(Canvas& c, int code, const View& v);
    void drawCylinderDimension(Canvas& c, int code, const View& v);
    void drawCaption(Canvas& canvas, int code);
    void finish();
    void reopenDialog(bool frameDialog);
    void setWaitCursor(bool on);

    TMainForm& form_;
    int tickCount_ = 0;
    int flashCount_ = 0;
    bool frameDialog_ = true;  // which dialog to open again at the end: frame or cylinder
    View savedView_;           // the view before the request, restored at the end
    bool waitCursor_ = false;
    QPointer<QDialog> frameDimensions_, cylinderDimensions_;
};

}  // namespace tarvell
