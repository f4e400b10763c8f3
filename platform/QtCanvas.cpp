// The drawing operations on a QImage (see QtCanvas.h).
#include "QtCanvas.h"

#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <cmath>

namespace tarvell {
namespace {

QColor qcolour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Angle of the ray from the centre through (x, y), in degrees counter-clockwise on screen.
double rayAngle(double cx, double cy, double x, double y) {
    return std::atan2(-(y - cy), x - cx) * 180.0 / M_PI;
}

}  // namespace

QtCanvas::QtCanvas(QImage& image, Rgb background, QRect visible)
    : image_(image), background_(background) {
    Q_ASSERT(image_.depth() == 32);
    visible_ = visible.isEmpty() ? image_.rect() : visible.intersected(image_.rect());
    // Pixels are written straight into the image; take the pointer before painting starts
    // so no later detach can move the data.
    bits_ = image_.bits();
    bytesPerLine_ = image_.bytesPerLine();
    painter_.begin(&image_);
    if (visible_ != image_.rect()) painter_.setClipRect(visible_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBrush(Qt::NoBrush);
    setFont(FontSpec{});
    applyPen();
}

QtCanvas::~QtCanvas() {
    painter_.end();
}

QFont QtCanvas::textFont(const FontSpec& font) {
    // The plain sans-serif face of the desktop's classic metrics (Arial's), so read-outs
    // keep their widths wherever the program runs. Fonts are kept once made: every frame
    // uses the same few.
    static auto* made = new QHash<int, QFont>;  // kept to the end of the program
    const int key = font.points * 2 + (font.bold ? 1 : 0);
    if (auto it = made->constFind(key); it != made->constEnd()) return it.value();
    QFont f;
    f.setFamilies({"Liberation Sans", "Arial", "Arimo", "Helvetica", "sans-serif"});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(font.points);
    f.setBold(font.bold);
    made->insert(key, f);
    return f;
}

void QtCanvas::applyPen() {
    QPen pen(qcolour(pen_));
    pen.setWidth(width_);
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(width_ <= 1 ? Qt::SquareCap : Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
}

void QtCanvas::setPen(Rgb colour, int width) {
    pen_ = colour;
    width_ = width < 1 ? 1 : width;
    applyPen();
}

void QtCanvas::setPenColour(Rgb colour) {
    setPen(colour, width_);
}
void QtCanvas::setPenWidth(int width) {
    setPen(pen_, width);
}

void QtCanvas::setBrush(bool clear, Rgb colour) {
    brushClear_ = clear;
    brush_ = colour;
}

void QtCanvas::setFont(const FontSpec& font) {
    font_ = font;
    qfont_ = textFont(font);
    painter_.setFont(qfont_);
    ascent_ = QFontMetrics(qfont_).ascent();
}

void QtCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void QtCanvas::lineTo(int x, int y) {
    painter_.drawLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    painter_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized());
}

void QtCanvas::arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double start = rayAngle(cx, cy, x3, y3);
    double span = rayAngle(cx, cy, x4, y4) - start;
    while (span <= 0) span += 360.0;  // coinciding rays give the whole ellipse
    while (span > 360) span -= 360.0;
    painter_.drawArc(rect, static_cast<int>(std::lround(start * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void QtCanvas::setPixel(int x, int y, Rgb colour) {
    if (!visible_.contains(x, y)) return;
    auto* line = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_);
    line[x] = qRgb(colour.r, colour.g, colour.b);
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!brushClear_) {
        const QFontMetrics fm(qfont_);
        painter_.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), qcolour(brush_));
    }
    painter_.setPen(qcolour(font_.colour));
    painter_.drawText(x, y + ascent_, s);
    applyPen();
}

void QtCanvas::drawImage(int x, int y, const Canvas& source) {
    if (const auto* q = dynamic_cast<const QtCanvas*>(&source))
        painter_.drawImage(QPoint(x, y), q->image());
}

void QtCanvas::refresh() {
    painter_.fillRect(image_.rect(), qcolour(background_));
}

int QtCanvas::textWidth(std::string_view text) const {
    return QFontMetrics(qfont_).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace tarvell
