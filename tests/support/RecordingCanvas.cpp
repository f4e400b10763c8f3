// A canvas that records its calls (see RecordingCanvas.h).
#include "RecordingCanvas.h"

#include <algorithm>
#include <string>

namespace tarvell {
namespace {

std::string rgb(Rgb c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

}  // namespace

void RecordingCanvas::setPen(Rgb colour, int width) {
    pen_ = colour;
    width_ = width;
    calls.push_back("pen " + rgb(colour) + " " + std::to_string(width));
}

void RecordingCanvas::setPenColour(Rgb colour) {
    setPen(colour, width_);
}
void RecordingCanvas::setPenWidth(int width) {
    setPen(pen_, width);
}

void RecordingCanvas::setBrush(bool clear, Rgb colour) {
    calls.push_back(clear ? "brush clear" : "brush " + rgb(colour));
}

void RecordingCanvas::setFont(const FontSpec& font) {
    font_ = font;
    calls.push_back("font " + std::to_string(font.points) + (font.bold ? " bold " : " ") +
                    rgb(font.colour));
}

void RecordingCanvas::moveTo(int x, int y) {
    calls.push_back("moveTo " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingCanvas::lineTo(int x, int y) {
    calls.push_back("lineTo " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    calls.push_back("ellipse " + std::to_string(left) + " " + std::to_string(top) + " " +
                    std::to_string(right) + " " + std::to_string(bottom));
}

void RecordingCanvas::arc(int left, int top, int right, int bottom, int x3, int y3, int x4,
                          int y4) {
    calls.push_back("arc " + std::to_string(left) + " " + std::to_string(top) + " " +
                    std::to_string(right) + " " + std::to_string(bottom) + " " +
                    std::to_string(x3) + " " + std::to_string(y3) + " " + std::to_string(x4) + " " +
                    std::to_string(y4));
}

void RecordingCanvas::setPixel(int x, int y, Rgb colour) {
    calls.push_back("pixel " + std::to_string(x) + " " + std::to_string(y) + " " + rgb(colour));
}

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    calls.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::string(text));
}

void RecordingCanvas::drawImage(int x, int y, const Canvas&) {
    calls.push_back("image " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingCanvas::refresh() {
    calls.push_back("refresh");
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> result;
    for (const auto& c : calls)
        if (c.rfind("text ", 0) == 0) {
            // "text x y <text>"
            auto first = c.find(' ', 5);
            auto second = c.find(' ', first + 1);
            result.push_back(c.substr(second + 1));
        }
    return result;
}

bool RecordingCanvas::drewText(std::string_view text) const {
    auto all = texts();
    return std::find(all.begin(), all.end(), text) != all.end();
}

}  // namespace tarvell
