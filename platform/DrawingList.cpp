// A frame's drawing operations (see DrawingList.h).
#include "DrawingList.h"

#include <QString>
#include <algorithm>

#include "QtCanvas.h"

namespace tarvell {

DrawingList::Op& DrawingList::add(Kind kind) {
    Op& op = ops_.emplace_back();
    op.kind = kind;
    op.width = width_;
    op.colour = pen_;
    return op;
}

void DrawingList::clear() {
    ops_.clear();
    pixels_.clear();
    texts_.clear();
    images_.clear();
    pen_ = colours::black;
    width_ = 1;
    brushClear_ = true;
    brush_ = colours::white;
    font_ = FontSpec{};
    x_ = y_ = 0;
}

void DrawingList::setPen(Rgb colour, int width) {
    pen_ = colour;
    width_ = width < 1 ? 1 : width;
}

void DrawingList::setBrush(bool clear, Rgb colour) {
    brushClear_ = clear;
    brush_ = colour;
}

void DrawingList::setFont(const FontSpec& font) {
    font_ = font;
}

void DrawingList::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void DrawingList::lineTo(int x, int y) {
    Op& op = add(Kind::Line);
    op.v = {x_, y_, x, y};
    x_ = x;
    y_ = y;
}

void DrawingList::ellipse(int left, int top, int right, int bottom) {
    add(Kind::Ellipse).v = {left, top, right, bottom};
}

void DrawingList::arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    add(Kind::Arc).v = {left, top, right, bottom, x3, y3, x4, y4};
}

void DrawingList::setPixel(int x, int y, Rgb colour) {
    // A run of pixels of one colour (the steam display's) is one operation.
    if (ops_.empty() || ops_.back().kind != Kind::Pixels || !(ops_.back().colour == colour)) {
        Op& op = add(Kind::Pixels);
        op.colour = colour;
        op.from = pixels_.size();
    }
    pixels_.push_back({x, y});
    ++ops_.back().count;
}

void DrawingList::textOut(int x, int y, std::string_view text) {
    Op& op = add(Kind::Text);
    op.v = {x, y};
    op.brushClear = brushClear_;
    op.brush = brush_;
    op.font = font_;
    op.from = texts_.size();
    op.count = text.size();
    texts_.append(text);
}

void DrawingList::drawImage(int x, int y, const Canvas& source) {
    const auto* q = dynamic_cast<const QtCanvas*>(&source);
    if (!q || !q->image()) return;
    Op& op = add(Kind::Image);
    op.v = {x, y};
    op.from = images_.size();
    images_.push_back(*q->image());
}

void DrawingList::refresh() {
    add(Kind::Refresh);
}

int DrawingList::textWidth(std::string_view text) const {
    const int face = font_.points * 2 + (font_.bold ? 1 : 0);
    if (face != measuredFace_) {
        metrics_ = QFontMetrics(QtCanvas::textFont(font_));
        measuredFace_ = face;
    }
    return metrics_.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool DrawingList::same(std::size_t i, const DrawingList& other, std::size_t j) const {
    const Op& a = ops_[i];
    const Op& b = other.ops_[j];
    if (a.kind != b.kind) return false;
    switch (a.kind) {
        case Kind::Line:
        case Kind::Ellipse:
        case Kind::Arc:
            return a.colour == b.colour && a.width == b.width && a.v == b.v;
        case Kind::Pixels:
            return a.colour == b.colour && a.count == b.count &&
                   std::equal(pixels_.begin() + static_cast<std::ptrdiff_t>(a.from),
                              pixels_.begin() + static_cast<std::ptrdiff_t>(a.from + a.count),
                              other.pixels_.begin() + static_cast<std::ptrdiff_t>(b.from));
        case Kind::Text:
            return a.v == b.v && a.brushClear == b.brushClear &&
                   (a.brushClear || a.brush == b.brush) && a.font.points == b.font.points &&
                   a.font.bold == b.font.bold && a.font.colour == b.font.colour &&
                   std::string_view(texts_).substr(a.from, a.count) ==
                       std::string_view(other.texts_).substr(b.from, b.count);
        case Kind::Refresh:
            return true;
        case Kind::Image:
            return a.v == b.v && images_[a.from] == other.images_[b.from];
    }
    return false;
}

bool DrawingList::operator==(const DrawingList& other) const {
    if (ops_.size() != other.ops_.size()) return false;
    for (std::size_t i = 0; i < ops_.size(); ++i)
        if (!same(i, other, i)) return false;
    return true;
}

void DrawingList::replay(std::size_t i, QtCanvas& canvas) const {
    const Op& op = ops_[i];
    const std::array<int, 8>& v = op.v;
    switch (op.kind) {
        case Kind::Line:
            canvas.setPen(op.colour, op.width);
            canvas.moveTo(v[0], v[1]);
            canvas.lineTo(v[2], v[3]);
            return;
        case Kind::Ellipse:
            canvas.setPen(op.colour, op.width);
            canvas.ellipse(v[0], v[1], v[2], v[3]);
            return;
        case Kind::Arc:
            canvas.setPen(op.colour, op.width);
            canvas.arc(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
            return;
        case Kind::Pixels:
            canvas.setPixels(pixels_.data() + op.from, op.count, op.colour);
            return;
        case Kind::Text:
            canvas.setBrush(op.brushClear, op.brush);
            canvas.setFont(op.font);
            canvas.textOut(v[0], v[1], std::string_view(texts_).substr(op.from, op.count));
            return;
        case Kind::Refresh:
            canvas.refresh();
            return;
        case Kind::Image:
            canvas.drawImage(v[0], v[1], images_[op.from]);
            return;
    }
}

}  // namespace tarvell
