// The main window's drawing exported from its File menu: saved as PNG or SVG, copied to the
// clipboard, or printed. Each is the last frame drawn afresh as a picture of the mechanism:
// what belongs to the window's controls is left out, and a caption at its foot names the data
// set, the day and the reverse arm's position.
#pragma once

#include <QImage>
#include <QSize>
#include <string>

#include "PictureExport.h"

namespace tarvell {

class Canvas;
class TMainForm;

class FrameExport {
  public:
    explicit FrameExport(TMainForm& form);
    FrameExport(const FrameExport&) = delete;
    FrameExport& operator=(const FrameExport&) = delete;

    // The exported drawing as an image at the frame's resolution.
    QImage pictureImage() const;
    // The size the drawing is exported at: the client area's.
    QSize pictureSize() const;
    // The exported drawing on any canvas of the picture's size.
    void drawPicture(Canvas& canvas) const;
    // "<data set>   <date>   Reverse arm 11.633 (Fwd)".
    std::string caption() const;

    PictureExporter& exporter() { return exporter_; }

  private:
    TMainForm& form_;
    PictureExporter exporter_;
};

}  // namespace tarvell
