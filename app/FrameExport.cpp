// The main window's drawing exports (see FrameExport.h).
#include "FrameExport.h"

#include <QAction>
#include <QDate>

#include "FrameView.h"
#include "MainForm.h"
#include "Numbers.h"
#include "QtCanvas.h"
#include "ValveEvents.h"

namespace tarvell {

FrameExport::FrameExport(TMainForm& form)
    : form_(form),
      exporter_(form.context(), &form,
                PictureExporter::Source{"drawing", "drawing", [this] { return pictureImage(); },
                                        [this] { return pictureSize(); },
                                        [this](Canvas& c) { drawPicture(c); }}) {
    QObject::connect(form.ExportPng, &QAction::triggered, &form, [this] { exporter_.savePng(); });
    QObject::connect(form.ExportSvg, &QAction::triggered, &form, [this] { exporter_.saveSvg(); });
    QObject::connect(form.CopyDrawing, &QAction::triggered, &form,
                     [this] { exporter_.copyPicture(); });
    QObject::connect(form.PrintDrawing, &QAction::triggered, &form, [this] { exporter_.print(); });
}

QSize FrameExport::pictureSize() const {
    // A window never shown (an export from the command line) has drawn no frame: the picture
    // has its own size then.
    if (form_.frameImage().isNull())
        return QSize(roundToInt(kClientWidth * static_cast<double>(form_.model().TextScaleX)),
                     roundToInt(kClientHeight * static_cast<double>(form_.model().TextScaleY)));
    return form_.client()->size().boundedTo(form_.frameImage().deviceIndependentSize().toSize());
}

QImage FrameExport::pictureImage() const {
    const qreal ratio = form_.frameImage().devicePixelRatio();
    QImage image(pictureSize() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    {
        QtCanvas canvas(image);
        drawPicture(canvas);
    }
    return image;
}

void FrameExport::drawPicture(Canvas& canvas) const {
    form_.drawExportFrame(canvas);
    // At the foot on the left, as far in as the read-outs; the 8-point line is 13 pixels high.
    drawPictureCaption(canvas, 8, pictureSize().height() - 13 - 4, caption());
}

std::string FrameExport::caption() const {
    const Model& m = form_.model();
    const float position = m.gear.ReverseArmPosition;
    return pictureCaption(m.DataSetName, QDate::currentDate()) + "   Reverse arm " +
           formatFixed(position, 0, 3) + " (" +
           std::string(positionTagText(positionTag(m, position))) + ")";
}

}  // namespace tarvell
