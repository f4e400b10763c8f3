// Exporting a window's picture (see PictureExport.h).
#include "PictureExport.h"

#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <algorithm>

#include "ProgramContext.h"
#include "QtCanvas.h"
#include "SaveText.h"

namespace tarvell {

std::string pictureCaption(const std::string& dataSetName, const QDate& day) {
    std::string name = QString::fromStdString(dataSetName).simplified().toStdString();
    if (name.empty()) name = "Unnamed data set";
    return name + "   " + day.toString(Qt::ISODate).toStdString();
}

void drawPictureCaption(Canvas& canvas, int x, int y, std::string_view caption) {
    canvas.setFont(FontSpec{8, false, colours::black});
    canvas.setBrush(false, colours::white);
    canvas.textOut(x, y, caption);
    canvas.setBrush(true);
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray svgBytes(QSize size, const QString& title, const QString& description,
                    const DrawPicture& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    // At the images' resolution a viewer shows the drawing at the window's size.
    svg.setResolution(QImage(1, 1, QImage::Format_RGB32).logicalDpiY());
    svg.setTitle(title);
    svg.setDescription(description);
    {
        QtCanvas canvas(svg, size);
        draw(canvas);
    }
    return bytes;
}

void renderPicture(QPainter& painter, const QRectF& target, QSize size, const DrawPicture& draw) {
    if (size.isEmpty() || target.isEmpty()) return;
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    const QSizeF drawn = QSizeF(size) * scale;
    painter.save();
    painter.translate(target.center() - QPointF(drawn.width(), drawn.height()) / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), size));
    {
        QtCanvas canvas(painter, size);
        draw(canvas);
    }
    painter.restore();
}

bool printPicture(QPrinter& printer, QSize size, const DrawPicture& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    renderPicture(painter, QRectF(painter.viewport()), size, draw);
    return painter.end();
}

PictureExporter::PictureExporter(ProgramContext& context, QWidget* parent, Source source)
    : context_(context), parent_(parent), source_(std::move(source)) {}

bool PictureExporter::savePng() {
    const QByteArray bytes = pngBytes(source_.image());
    if (bytes.isEmpty()) {
        context_.showErrorMessage("The picture could not be made into a PNG image.");
        return false;
    }
    return !saveExport(context_, parent_, "Save " + source_.title + " as PNG",
                       source_.fileName + ".png", "PNG Image (*.png)", "png", bytes)
                .isEmpty();
}

bool PictureExporter::saveSvg() {
    const QString description = "Data set " + QString::fromStdString(context_.model().DataSetName);
    const QByteArray bytes = svgBytes(source_.size(), source_.title, description, source_.draw);
    return !saveExport(context_, parent_, "Save " + source_.title + " as SVG",
                       source_.fileName + ".svg", "SVG Drawing (*.svg)", "svg", bytes)
                .isEmpty();
}

bool PictureExporter::copyPicture() {
    const QImage image = source_.image();
    if (image.isNull()) return false;
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

bool PictureExporter::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(source_.title);
    // Most of the program's pictures are wider than high.
    const QSize size = source_.size();
    printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
    bool chosen = false;
    if (context_.options().setUpPrinter) {
        chosen = context_.options().setUpPrinter(printer);
    } else {
        QPrintDialog dialog(&printer, parent_);
        dialog.setWindowTitle("Print " + source_.title);
        chosen = dialog.exec() == QDialog::Accepted;
    }
    if (!chosen) return false;
    if (!printPicture(printer, size, source_.draw)) {
        context_.showErrorMessage("Printing the " + source_.title +
                                  " failed: the printer could not be opened.");
        return false;
    }
    return true;
}

}  // namespace tarvell
