// The drawing operations through QPainter: aliased, solid pens, copy mode. The frame image of
// the main window and the diagram images are drawn on a QImage, with pixels written straight
// into it; exports draw the same pictures on any other paint device (an SVG generator, a
// printer, a QPicture) as vectors, texts kept as text.
//
// On an image every line, ellipse and arc is drawn from the same geometry that marks where it
// lies (see markOn): one-pixel lines at the image's own resolution pixel by pixel, with the
// end pixel left undrawn; ellipses and arcs as fine polygons, only where they cross the
// picture, however large they are.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <array>
#include <vector>

#include "Canvas.h"
#include "DirtyBands.h"

class QPaintDevice;

namespace tarvell {

class QtCanvas : public Canvas {
  public:
    // Draws on `image` (32-bit; it must outlive the canvas); `background` is what refresh
    // clears to. A non-empty `visible` limits drawing and clearing to the part of the image
    // that is shown, which is all a window ever needs.
    explicit QtCanvas(QImage& image, Rgb background = colours::white, QRect visible = {});
    // Draws on any other device over a picture of `size` pixels, through a painter of its own.
    QtCanvas(QPaintDevice& device, QSize size, Rgb background = colours::white);
    // Draws through a painter already open on a device, in picture pixels under whatever
    // transform and clip the caller gave it (a printed page scales the picture to fit).
    QtCanvas(QPainter& painter, QSize size, Rgb background = colours::white);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void setPen(Rgb colour, int width) override;
    void setPenColour(Rgb colour) override;
    void setPenWidth(int width) override;
    Rgb penColour() const override { return pen_; }
    int penWidth() const override { return width_; }
    void setBrush(bool clear, Rgb colour = colours::white) override;
    void setFont(const FontSpec& font) override;
    FontSpec font() const override { return font_; }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
    void setPixel(int x, int y, Rgb colour) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawImage(int x, int y, const Canvas& source) override;
    void refresh() override;
    int textWidth(std::string_view text) const override;

    // Copies an image with its top-left corner at (x, y).
    void drawImage(int x, int y, const QImage& source);
    // Sets `count` pixels (x, y pairs) to one colour; they are marked as their bounding box.
    void setPixels(const std::array<int, 2>* points, std::size_t count, Rgb colour);

    // On an image: every drawing marks where it may change pixels (picture pixels, in the
    // sink's bands) on `sink`, which may be null; with drawing off it marks and draws nothing.
    void markOn(SpanSink* sink) { sink_ = sink; }
    void setDrawing(bool on) { drawing_ = on; }
    // Texts are marked by their laid-out width rather than a quick bound a little wider.
    void setExactTextMarks(bool on) { exactTexts_ = on; }
    // Clears only the marked parts to the background.
    void clearWhere(const DirtyBands& where);

    // The image drawn on, or null when the canvas draws on another device.
    const QImage* image() const { return image_; }
    // The face every drawn text uses: the toolkit's default sans-serif face.
    static QFont textFont(const FontSpec& font);

  private:
    void begin();
    void applyPen();
    // Clears a rectangle (picture pixels) to the background.
    void clearRect(const QRect& r);
    // Lines on an image: the part of the segment near the picture, marked and drawn.
    void strokeSegment(double x0, double y0, double x1, double y1);
    // One-pixel lines at the image's resolution: each pixel from the start up to, not
    // including, the end, in pixel coordinates.
    void pixelLine(double x0, double y0, double x1, double y1);
    // The outline of the ellipse about (cx, cy) with radii rx, ry from parameter t0 on through
    // `span` radians (counter-clockwise on the screen), as a polygon.
    void outline(double cx, double cy, double rx, double ry, double t0, double span);
    void strokePolyline(const std::vector<QPointF>& points, bool closed);
    // A small whole ellipse drawn by the painter: the same polygon, drawn once on a stamp kept
    // for every ellipse alike (its size, pen and place within a pixel) and copied.
    void stampEllipse(double cx, double cy, double rx, double ry, double step);
    // Pixel lines (one pixel wide at the image's own resolution) rather than the painter's.
    bool pixelPen() const { return width_ == 1 && ratio_ == 1.0; }
    // How far beyond its geometry a stroke may reach: half its width and a pixel for rounding.
    double markMargin() const { return width_ / 2 + 1; }
    // At least the width the text takes, without laying it out.
    int textWidthBound(const QString& text) const;
    // The width the text takes, remembered for the texts met lately.
    int laidOutWidth(const QString& text) const;

    QImage* image_ = nullptr;
    QPainter ownPainter_;
    QPainter& painter_;
    bool ownsPainter_ = false;
    QRect area_;  // the picture: the visible part of an image, or the size given
    Rgb background_;
    Rgb pen_ = colours::black;
    int width_ = 1;
    bool penApplied_ = false;
    bool brushClear_ = true;
    Rgb brush_ = colours::white;
    FontSpec font_;
    bool fontSet_ = false;
    QFont qfont_;     // as measured: laid out exactly as on the window's image
    QFont drawFont_;  // as drawn: the same pixel size at the device's resolution
    QFontMetrics metrics_{QFont()};
    const std::array<int, 128>* advances_ = nullptr;  // of the ASCII characters, in qfont_
    double fontScale_ = 1.0;
    double ratio_ = 1.0;  // image pixels per picture pixel
    int x_ = 0, y_ = 0;
    uchar* bits_ = nullptr;  // the image's pixels
    qsizetype bytesPerLine_ = 0;
    SpanSink* sink_ = nullptr;
    bool drawing_ = true;
    bool exactTexts_ = false;
};

}  // namespace tarvell
