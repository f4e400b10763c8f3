// A canvas that records every call as a line of text, for tests that check what is drawn
// without looking at pixels.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace tarvell {

class RecordingCanvas : public Canvas {
  public:
    std::vector<std::string> calls;

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
    int textWidth(std::string_view text) const override {
        return 6 * static_cast<int>(text.size());
    }

    // Texts drawn so far, in order.
    std::vector<std::string> texts() const;
    bool drewText(std::string_view text) const;

  private:
    Rgb pen_ = colours::black;
    int width_ = 1;
    FontSpec font_;
};

}  // namespace tarvell
