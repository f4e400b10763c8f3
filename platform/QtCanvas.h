// The drawing operations on a QImage through QPainter: aliased, solid pens, copy mode.
// The frame image of the main window and the diagram images are drawn through it.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>

#include "Canvas.h"

namespace tarvell {

class QtCanvas : public Canvas {
  public:
    // Draws on `image` (which must outlive the canvas); `background` is what refresh clears to.
    // A non-empty `visible` limits drawing and clearing to the part of the image that is
    // shown, which is all a window ever needs.
    explicit QtCanvas(QImage& image, Rgb background = colours::white, QRect visible = {});
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

    const QImage& image() const { return image_; }
    // The face every drawn text uses: the toolkit's default sans-serif face.
    static QFont textFont(const FontSpec& font);

  private:
    void applyPen();

    QImage& image_;
    QPainter painter_;
    Rgb background_;
    Rgb pen_ = colours::black;
    int width_ = 1;
    bool brushClear_ = true;
    Rgb brush_ = colours::white;
    FontSpec font_;
    QFont qfont_;
    int ascent_ = 0;
    int x_ = 0, y_ = 0;
    QRect visible_;
    uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
};

}  // namespace tarvell
