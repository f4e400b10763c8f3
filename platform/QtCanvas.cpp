// The drawing operations through QPainter (see QtCanvas.h).
#include "QtCanvas.h"

#include <QFontMetrics>
#include <QHash>
#include <QLineF>
#include <QPaintDevice>
#include <QString>
#include <algorithm>
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

// The resolution the windows' images are drawn at, which sets the pixel size of a font.
int imageDpi() {
    static const int dpi = QImage(1, 1, QImage::Format_RGB32).logicalDpiY();
    return dpi;
}

// On the image an integer coordinate names a pixel; as a vector it is the pixel's corner.
// Strokes on other devices run through the pixel's centre instead, so a one-pixel line
// covers the same pixel when the vectors are drawn at the picture's size.
constexpr double kPixelCentre = 0.5;

}  // namespace

QtCanvas::QtCanvas(QImage& image, Rgb background, QRect visible)
    : image_(&image), painter_(ownPainter_), ownsPainter_(true), background_(background) {
    Q_ASSERT(image.depth() == 32);
    // Coordinates are the picture's (logical) pixels; an image at a higher resolution holds
    // `ratio_` of its own pixels to each.
    ratio_ = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    const QRect picture(QPoint(0, 0), image.deviceIndependentSize().toSize());
    area_ = visible.isEmpty() ? picture : visible.intersected(picture);
    // Pixels are written straight into the image; take the pointer before painting starts
    // so no later detach can move the data.
    bits_ = image.bits();
    bytesPerLine_ = image.bytesPerLine();
    painter_.begin(&image);
    if (area_ != picture) painter_.setClipRect(area_);
    begin();
}

QtCanvas::QtCanvas(QPaintDevice& device, QSize size, Rgb background)
    : painter_(ownPainter_),
      ownsPainter_(true),
      area_(QPoint(0, 0), size),
      background_(background) {
    painter_.begin(&device);
    begin();
}

QtCanvas::QtCanvas(QPainter& painter, QSize size, Rgb background)
    : painter_(painter), area_(QPoint(0, 0), size), background_(background) {
    painter_.save();
    begin();
}

void QtCanvas::begin() {
    if (!image_) {
        // Fonts are sized in points, which each device turns into its own pixels: scale them
        // so a text is as many picture pixels high as on the window's image.
        const QPaintDevice* device = painter_.device();
        const int dpi = device ? device->logicalDpiY() : 0;
        if (dpi > 0) fontScale_ = static_cast<double>(imageDpi()) / dpi;
    }
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBrush(Qt::NoBrush);
    setFont(FontSpec{});
    applyPen();
}

QtCanvas::~QtCanvas() {
    if (ownsPainter_)
        painter_.end();
    else
        painter_.restore();
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
    ascent_ = QFontMetrics(qfont_).ascent();
    if (image_) {
        painter_.setFont(qfont_);
        return;
    }
    drawFont_ = qfont_;
    drawFont_.setPointSizeF(font.points * fontScale_);
    painter_.setFont(drawFont_);
}

void QtCanvas::touched(QRect r, int margin) {
    if (drawn_) drawn_->addRect(r.normalized().adjusted(-margin, -margin, margin, margin) & area_);
}

void QtCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void QtCanvas::lineTo(int x, int y) {
    if (drawn_) drawn_->addLine(QPoint(x_, y_), QPoint(x, y), width_ + 1);
    if (image_)
        painter_.drawLine(x_, y_, x, y);
    else
        painter_.drawLine(QLineF(x_, y_, x, y).translated(kPixelCentre, kPixelCentre));
    x_ = x;
    y_ = y;
}

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    if (drawn_) drawn_->addEllipse(rect, width_ + 1);
    if (image_)
        painter_.drawEllipse(rect);
    else
        painter_.drawEllipse(QRectF(rect).translated(kPixelCentre, kPixelCentre));
}

void QtCanvas::arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    if (drawn_) drawn_->addEllipse(rect, width_ + 1);  // the whole outline: a little more
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double start = rayAngle(cx, cy, x3, y3);
    double span = rayAngle(cx, cy, x4, y4) - start;
    while (span <= 0) span += 360.0;  // coinciding rays give the whole ellipse
    while (span > 360) span -= 360.0;
    const int a = static_cast<int>(std::lround(start * 16));
    const int alen = static_cast<int>(std::lround(span * 16));
    if (image_)
        painter_.drawArc(rect, a, alen);
    else
        painter_.drawArc(QRectF(rect).translated(kPixelCentre, kPixelCentre), a, alen);
}

void QtCanvas::setPixel(int x, int y, Rgb colour) {
    if (!area_.contains(x, y)) return;
    if (drawn_) drawn_->addRect(QRect(x, y, 1, 1));
    if (image_) {
        const QRgb value = qRgb(colour.r, colour.g, colour.b);
        if (ratio_ == 1.0) {
            reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_)[x] = value;
            return;
        }
        // The picture pixel's block of image pixels.
        const int x0 = static_cast<int>(x * ratio_), y0 = static_cast<int>(y * ratio_);
        const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * ratio_));
        const int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * ratio_));
        for (int yy = y0; yy < y1 && yy < image_->height(); ++yy) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + yy * bytesPerLine_);
            for (int xx = x0; xx < x1 && xx < image_->width(); ++xx) line[xx] = value;
        }
        return;
    }
    // A point one pixel square in the pixel's colour, whatever the pen was.
    QPen pen(qcolour(colour));
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawPoint(QPointF(x + kPixelCentre, y + kPixelCentre));
    applyPen();
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (drawn_) {
        const QFontMetrics fm(qfont_);
        touched(QRect(x, y, fm.horizontalAdvance(s), fm.height()), 2);
    }
    painter_.setPen(qcolour(font_.colour));
    if (image_) {
        // The painter fills the cell as it lays the text out: measuring it apart would lay it
        // out twice, on every tick for every read-out.
        if (!brushClear_) {
            painter_.setBackgroundMode(Qt::OpaqueMode);
            painter_.setBackground(qcolour(brush_));
        }
        painter_.drawText(x, y + ascent_, s);
        painter_.setBackgroundMode(Qt::TransparentMode);
    } else {
        if (!brushClear_) {
            const QFontMetrics fm(qfont_);
            painter_.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), qcolour(brush_));
        }
        // Not every SVG viewer keeps a run of spaces inside a text, and the read-outs line
        // their numbers up with them: each piece between runs goes where the whole text puts it.
        const QFontMetrics fm(qfont_);
        qsizetype start = 0;
        while (start < s.size()) {
            while (start < s.size() && s[start] == ' ') ++start;
            if (start == s.size()) break;
            qsizetype end = s.indexOf(QLatin1String("  "), start);
            if (end < 0) end = s.size();
            painter_.drawText(QPointF(x + fm.horizontalAdvance(s.left(start)), y + ascent_),
                              s.mid(start, end - start));
            start = end;
        }
    }
    applyPen();
}

void QtCanvas::drawImage(int x, int y, const Canvas& source) {
    if (const auto* q = dynamic_cast<const QtCanvas*>(&source); q && q->image()) {
        touched(QRect(QPoint(x, y), q->image()->deviceIndependentSize().toSize()), 0);
        painter_.drawImage(QPoint(x, y), *q->image());
    }
}

void QtCanvas::refresh() {
    if (cleared_) {
        cleared_->forEachRect([this](const QRect& r) { clearRect(r & area_); });
        return;
    }
    clearRect(area_);
}

void QtCanvas::clearRect(const QRect& r) {
    if (r.isEmpty()) return;
    if (!image_) {
        painter_.fillRect(r, qcolour(background_));
        return;
    }
    // Straight into the image's rows: the painter would hand a large fill to other threads
    // and wait for them, on every tick.
    const QRect device =
        QRect(QPoint(static_cast<int>(r.left() * ratio_), static_cast<int>(r.top() * ratio_)),
              QPoint(static_cast<int>(std::ceil((r.right() + 1) * ratio_)) - 1,
                     static_cast<int>(std::ceil((r.bottom() + 1) * ratio_)) - 1))
            .intersected(image_->rect());
    const QRgb value = qRgb(background_.r, background_.g, background_.b);
    for (int y = device.top(); y <= device.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_) + device.left(),
                    device.width(), value);
}

int QtCanvas::textWidth(std::string_view text) const {
    return QFontMetrics(qfont_).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace tarvell
