// The drawing operations through QPainter: aliased, solid pens, copy mode. The frame image of
// the main window and the diagram images are drawn on a QImage, with pixels written straight
// into it; exports draw the same pictures on any other paint device (an SVG generator, a
// printer, a QPicture) as vectors, texts kept as text.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>

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

    // On an image drawn afresh each frame: `drawn` collects where this frame draws, and
    // refresh clears only where `cleared` says the last frame drew (the rest is white
    // already). Either may be null.
    void trackDrawing(DirtyBands* drawn, const DirtyBands* cleared) {
        drawn_ = drawn;
        cleared_ = cleared;
    }

    // The image drawn on, or null when the canvas draws on another device.
    const QImage* image() const { return image_; }
    // The face every drawn text uses: the toolkit's default sans-serif face.
    static QFont textFont(const FontSpec& font);

  private:
    void begin();
    void applyPen();
    // Clears a rectangle (picture pixels) to the background.
    void clearRect(const QRect& r);
    // Notes a drawing's bounds (picture pixels), with a margin for pens and antialiasing.
    void touched(QRect r, int margin);

    QImage* image_ = nullptr;
    QPainter ownPainter_;
    QPainter& painter_;
    bool ownsPainter_ = false;
    QRect area_;  // the picture: the visible part of an image, or the size given
    Rgb background_;
    Rgb pen_ = colours::black;
    int width_ = 1;
    bool brushClear_ = true;
    Rgb brush_ = colours::white;
    FontSpec font_;
    QFont qfont_;     // as measured: laid out exactly as on the window's image
    QFont drawFont_;  // as drawn: the same pixel size at the device's resolution
    double fontScale_ = 1.0;
    double ratio_ = 1.0;  // image pixels per picture pixel
    int ascent_ = 0;
    int x_ = 0, y_ = 0;
    uchar* bits_ = nullptr;  // the image's pixels
    DirtyBands* drawn_ = nullptr;
    const DirtyBands* cleared_ = nullptr;
    qsizetype bytesPerLine_ = 0;
};

}  // namespace tarvell
