// The main window's drawing exported from its File menu: saved as PNG (the visible part of
// the last frame) or SVG (the frame drawn again as vectors), copied to the clipboard, or
// printed.
#pragma once

#include <QImage>
#include <QSize>

#include "PictureExport.h"

namespace tarvell {

class TMainForm;

class FrameExport {
  public:
    explicit FrameExport(TMainForm& form);
    FrameExport(const FrameExport&) = delete;
    FrameExport& operator=(const FrameExport&) = delete;

    // The drawing as the window shows it: the frame under the client area.
    QImage visibleImage() const;
    // The size the drawing is exported at: the client area's.
    QSize pictureSize() const;

    PictureExporter& exporter() { return exporter_; }

  private:
    TMainForm& form_;
    PictureExporter exporter_;
};

}  // namespace tarvell
