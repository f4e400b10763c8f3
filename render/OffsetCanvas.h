// Draws on another canvas with every point moved by an offset: the main window's mechanism
// keeps its own coordinates wherever the picture stands in a larger window.
#pragma once

#include "Canvas.h"

namespace tarvell {

class OffsetCanvas : public Canvas {
  public:
    OffsetCanvas(Canvas& target, int dx, int dy) : c_(target), dx_(dx), dy_(dy) {}

    void setPen(Rgb colour, int width) override { c_.setPen(colour, width); }
    void setPenColour(Rgb colour) override { c_.setPenColour(colour); }
    void setPenWidth(int width) override { c_.setPenWidth(width); }
    Rgb penColour() const override { return c_.penColour(); }
    int penWidth() const override { return c_.penWidth(); }
    void setBrush(bool clear, Rgb colour = colours::white) override { c_.setBrush(clear, colour); }
    void setFont(const FontSpec& font) override { c_.setFont(font); }
    FontSpec font() const override { return c_.font(); }
    void moveTo(int x, int y) override { c_.moveTo(sx(x), sy(y)); }
    void lineTo(int x, int y) override { c_.lineTo(sx(x), sy(y)); }
    void ellipse(int left, int top, int right, int bottom) override {
        c_.ellipse(sx(left), sy(top), sx(right), sy(bottom));
    }
    void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override {
        c_.arc(sx(left), sy(top), sx(right), sy(bottom), sx(x3), sy(y3), sx(x4), sy(y4));
    }
    void setPixel(int x, int y, Rgb colour) override { c_.setPixel(sx(x), sy(y), colour); }
    void textOut(int x, int y, std::string_view text) override { c_.textOut(sx(x), sy(y), text); }
    void drawImage(int x, int y, const Canvas& source) override {
        c_.drawImage(sx(x), sy(y), source);
    }
    void refresh() override { c_.refresh(); }
    int textWidth(std::string_view text) const override { return c_.textWidth(text); }

  private:
    // Moved, and held within the int range (a point far off may lie at its very end).
    static int moved(int v, int d) {
        const long long m = static_cast<long long>(v) + d;
        return m > kFar ? kFar : m < -kFar ? -kFar : static_cast<int>(m);
    }
    int sx(int x) const { return moved(x, dx_); }
    int sy(int y) const { return moved(y, dy_); }
    static constexpr long long kFar = 2147483647LL;

    Canvas& c_;
    int dx_, dy_;
};

}  // namespace tarvell
