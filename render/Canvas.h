// The drawing surface every picture goes through: the program's eight drawing operations
// in integer pixels (origin top-left, y down), with pen, brush and font state. The Qt
// implementation draws on an image; the recording one remembers the calls for tests.
#pragma once

#include <string_view>

#include "Colour.h"

namespace tarvell {

struct FontSpec {
    int points = 8;
    bool bold = false;
    Rgb colour = colours::black;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Pen: solid, copy mode, width 1 or more.
    virtual void setPen(Rgb colour, int width) = 0;
    virtual void setPenColour(Rgb colour) = 0;
    virtual void setPenWidth(int width) = 0;
    virtual Rgb penColour() const = 0;
    virtual int penWidth() const = 0;
    // Clear: ellipses and arcs are outlines and texts have no background. Otherwise text
    // cells are filled with the brush colour.
    virtual void setBrush(bool clear, Rgb colour = colours::white) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    virtual FontSpec font() const = 0;

    // 1. Current position.
    virtual void moveTo(int x, int y) = 0;
    // 2. A line from the current position to (x, y), which becomes current.
    virtual void lineTo(int x, int y) = 0;
    // 3. Outline of the ellipse inscribed in the rectangle.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // 4. The part of that ellipse running counter-clockwise from the ray through (x3, y3)
    // to the ray through (x4, y4), both from the rectangle's centre.
    virtual void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) = 0;
    // 5.
    virtual void setPixel(int x, int y, Rgb colour) = 0;
    // 6. Text with its top-left corner at (x, y) in the current font.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // 7. Copies another canvas's picture with its top-left corner at (x, y).
    virtual void drawImage(int x, int y, const Canvas& source) = 0;
    // 8. Clears the whole surface to its background colour.
    virtual void refresh() = 0;

    // Width in pixels of a text in the current font (for laying out read-outs).
    virtual int textWidth(std::string_view text) const = 0;

    // Convenience: a polyline through the points.
    void polyline(std::initializer_list<std::pair<int, int>> points);
};

// Draws a polyline a point at a time: the first point places the pen, each later one draws
// a line to it.
class PolylinePen {
  public:
    explicit PolylinePen(Canvas& canvas) : canvas_(canvas) {}
    void to(int x, int y) {
        if (first_)
            canvas_.moveTo(x, y);
        else
            canvas_.lineTo(x, y);
        first_ = false;
    }

  private:
    Canvas& canvas_;
    bool first_ = true;
};

inline void Canvas::polyline(std::initializer_list<std::pair<int, int>> points) {
    PolylinePen pen(*this);
    for (auto [x, y] : points) pen.to(x, y);
}

}  // namespace tarvell
