// A frame's drawing operations, each kept with the pen, brush and font it is drawn with, so
// that a frame can be compared with the last one and drawn again, whole or in part, on a
// QtCanvas. Texts are measured as QtCanvas measures them, so code that lays texts out by
// their widths draws the same whether it draws here or on a QtCanvas.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"

namespace tarvell {

class QtCanvas;

class DrawingList : public Canvas {
  public:
    void setPen(Rgb colour, int width) override;
    void setPenColour(Rgb colour) override { pen_ = colour; }
    void setPenWidth(int width) override { width_ = width < 1 ? 1 : width; }
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

    // Empty again, as new (its storage kept for the next frame).
    void clear();
    std::size_t size() const { return ops_.size(); }
    // Whether the operations `i` here and `j` of `other` draw exactly the same.
    bool same(std::size_t i, const DrawingList& other, std::size_t j) const;
    bool operator==(const DrawingList& other) const;
    bool clearsFirst() const { return !ops_.empty() && ops_.front().kind == Kind::Refresh; }
    // Draws operation `i` again, with its own pen, brush and font.
    void replay(std::size_t i, QtCanvas& canvas) const;

  private:
    enum class Kind : std::uint8_t { Line, Ellipse, Arc, Pixels, Text, Refresh, Image };
    struct Op {
        Kind kind;
        bool brushClear = true;
        int width = 1;
        Rgb colour;  // the pen's, or the pixels'
        Rgb brush;
        FontSpec font;
        std::array<int, 8> v{};
        std::size_t from = 0, count = 0;  // its pixels, text or image
    };
    Op& add(Kind kind);

    std::vector<Op> ops_;
    std::vector<std::array<int, 2>> pixels_;
    std::string texts_;
    std::vector<QImage> images_;
    Rgb pen_ = colours::black;
    int width_ = 1;
    bool brushClear_ = true;
    Rgb brush_ = colours::white;
    FontSpec font_;
    int x_ = 0, y_ = 0;
    mutable int measuredFace_ = -1;  // the face `metrics_` measures
    mutable QFontMetrics metrics_{QFont()};
};

}  // namespace tarvell
