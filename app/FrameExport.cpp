// The main window's drawing exports (see FrameExport.h).
#include "FrameExport.h"

#include <QAction>

#include "MainForm.h"

namespace tarvell {

FrameExport::FrameExport(TMainForm& form)
    : form_(form),
      exporter_(form.context(), &form,
                PictureExporter::Source{"drawing", "drawing", [this] { return visibleImage(); },
                                        [this] { return pictureSize(); },
                                        [this](Canvas& c) { form_.drawStillFrame(c); }}) {
    QObject::connect(form.ExportPng, &QAction::triggered, &form, [this] { exporter_.savePng(); });
    QObject::connect(form.ExportSvg, &QAction::triggered, &form, [this] { exporter_.saveSvg(); });
    QObject::connect(form.CopyDrawing, &QAction::triggered, &form,
                     [this] { exporter_.copyPicture(); });
    QObject::connect(form.PrintDrawing, &QAction::triggered, &form, [this] { exporter_.print(); });
}

QSize FrameExport::pictureSize() const {
    return form_.client()->size().boundedTo(form_.frameImage().deviceIndependentSize().toSize());
}

QImage FrameExport::visibleImage() const {
    // The frame at the screen's resolution: its device pixels under the client area.
    const QImage& frame = form_.frameImage();
    const qreal r = frame.devicePixelRatio();
    QImage image = frame.copy(QRect(QPoint(0, 0), pictureSize() * r));
    image.setDevicePixelRatio(r);
    return image;
}

}  // namespace tarvell
