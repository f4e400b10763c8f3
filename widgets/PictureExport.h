// Exporting a picture a window shows: saved as PNG (the window's image) or as SVG (the
// drawing run again over an SVG generator, so lines, arcs and texts stay vectors), copied to
// the clipboard, or printed on one page scaled to fit.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QDate;
class QPainter;
class QPrinter;
class QWidget;

namespace tarvell {

class Canvas;
class ProgramContext;

// Draws the whole picture on a canvas of the picture's size, clearing it first. It must
// leave the program's state as it found it: it runs for every export.
using DrawPicture = std::function<void(Canvas&)>;

// The line an exported picture carries, naming what it shows: the data set and the day it
// was made ("Nominal   2024-05-01").
std::string pictureCaption(const std::string& dataSetName, const QDate& day);

// Draws a caption with its top-left corner at (x, y), in the read-outs' font on a white band.
// The brush is left clear.
void drawPictureCaption(Canvas& canvas, int x, int y, std::string_view caption);

// The image as PNG bytes.
QByteArray pngBytes(const QImage& image);

// The picture as an SVG document of `size` pixels.
QByteArray svgBytes(QSize size, const QString& title, const QString& description,
                    const DrawPicture& draw);

// Draws the picture into `target` (in the painter's coordinates), as large as fits while
// keeping its shape, centred, and clipped to its own area.
void renderPicture(QPainter& painter, const QRectF& target, QSize size, const DrawPicture& draw);

// Prints the picture on one page of the printer; false when the printer cannot be opened.
bool printPicture(QPrinter& printer, QSize size, const DrawPicture& draw);

// The four export commands of one window.
class PictureExporter {
  public:
    struct Source {
        QString fileName;               // suggested name, without suffix
        QString title;                  // what the picture is, for the dialogs and the SVG's title
        std::function<QImage()> image;  // the picture as the window shows it
        std::function<QSize()> size;    // the size the vectors are drawn at
        DrawPicture draw;
    };

    PictureExporter(ProgramContext& context, QWidget* parent, Source source);

    // Each returns whether the export was made (false when cancelled or failed; a failure is
    // reported through the program's error message).
    bool savePng();
    bool saveSvg();
    bool copyPicture();
    bool print();

  private:
    ProgramContext& context_;
    QWidget* parent_;
    Source source_;
};

}  // namespace tarvell
