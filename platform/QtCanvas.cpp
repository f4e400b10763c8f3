// The drawing operations through QPainter (see QtCanvas.h).
#include "QtCanvas.h"

#include "Angles.h"

#include <QHash>
#include <QLineF>
#include <QPaintDevice>
#include <QPolygonF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

namespace tarvell {
namespace {

constexpr double kTurn = 2 * kPi;

QColor qcolour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Angle of the ray from the centre through (x, y), in degrees counter-clockwise on screen.
double rayAngle(double cx, double cy, double x, double y) {
    return std::atan2(-(y - cy), x - cx) * 180.0 / kPi;
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

// Where a one-pixel pen drawn finer than the picture's pixels (at a higher resolution, or as
// vectors) runs: along the pixels' centres, set back by half a pixel along the line, so that
// with its flat cap it covers the start pixel and stops where the end pixel begins.
QPointF backFromEnd(double dx, double dy) {
    const double major = std::max(std::abs(dx), std::abs(dy));
    return QPointF(kPixelCentre - 0.5 * dx / major, kPixelCentre - 0.5 * dy / major);
}

// The nearest whole number, halves up, as the pixel lines round.
double nearest(double v) {
    return std::floor(v + 0.5);
}

// The part of the segment from (x0, y0) to (x1, y1) inside `r`, as parameters t0 <= t1 along
// it; false when none of it is.
bool clipSegment(const QRectF& r, double x0, double y0, double x1, double y1, double& t0,
                 double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - r.left(), r.right() - x0, y0 - r.top(), r.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

// Parameter ranges within [0, 2 pi).
struct Range {
    double from, to;
};
using Ranges = std::vector<Range>;

// Where cos t lies in [c0, c1].
Ranges cosineWithin(double c0, double c1) {
    c0 = std::max(c0, -1.0);
    c1 = std::min(c1, 1.0);
    if (!(c0 <= c1)) return {};
    const double a = std::acos(c1), b = std::acos(c0);
    return {{a, b}, {kTurn - b, kTurn - a}};
}

// Where sin t lies in [s0, s1].
Ranges sineWithin(double s0, double s1) {
    s0 = std::max(s0, -1.0);
    s1 = std::min(s1, 1.0);
    if (!(s0 <= s1)) return {};
    const double a = std::asin(s0), b = std::asin(s1);  // in [-pi/2, pi/2]
    Ranges out = {{kPi - b, kPi - a}};
    if (a >= 0) {
        out.push_back({a, b});
    } else if (b < 0) {
        out.push_back({a + kTurn, b + kTurn});
    } else {
        out.push_back({0, b});
        out.push_back({a + kTurn, kTurn});
    }
    return out;
}

Ranges intersected(const Ranges& a, const Ranges& b) {
    Ranges out;
    for (const Range& p : a)
        for (const Range& q : b) {
            const double from = std::max(p.from, q.from), to = std::min(p.to, q.to);
            if (from <= to) out.push_back({from, to});
        }
    return out;
}

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
    if (penApplied_) return;
    QPen pen(qcolour(pen_));
    pen.setWidth(width_);
    pen.setStyle(Qt::SolidLine);
    // A one-pixel line stops where its end pixel begins.
    pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    penApplied_ = true;
}

void QtCanvas::setPen(Rgb colour, int width) {
    if (width < 1) width = 1;
    if (colour == pen_ && width == width_) return;
    pen_ = colour;
    width_ = width;
    penApplied_ = false;
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
    if (fontSet_ && font.points == font_.points && font.bold == font_.bold &&
        font.colour == font_.colour)
        return;
    const bool sameFace = fontSet_ && font.points == font_.points && font.bold == font_.bold;
    font_ = font;
    fontSet_ = true;
    if (sameFace) return;
    qfont_ = textFont(font);
    metrics_ = QFontMetrics(qfont_);
    // The advances of the plain characters, measured once for each face.
    static auto* measured = new QHash<int, std::array<int, 128>>;  // kept to the end
    const int key = font.points * 2 + (font.bold ? 1 : 0);
    auto it = measured->find(key);
    if (it == measured->end()) {
        std::array<int, 128> a{};
        for (int c = 32; c < 127; ++c)
            a[static_cast<std::size_t>(c)] = metrics_.horizontalAdvance(QChar(c));
        it = measured->insert(key, a);
    }
    advances_ = &it.value();
    if (image_) {
        painter_.setFont(qfont_);
        return;
    }
    drawFont_ = qfont_;
    drawFont_.setPointSizeF(font.points * fontScale_);
    painter_.setFont(drawFont_);
}

void QtCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void QtCanvas::lineTo(int x, int y) {
    const int x0 = x_, y0 = y_;
    x_ = x;
    y_ = y;
    if (image_) return strokeSegment(x0, y0, x, y);
    if (x0 == x && y0 == y) return;  // its only pixel is its end
    applyPen();
    QLineF line(x0, y0, x, y);
    line.translate(width_ == 1 ? backFromEnd(x - x0, y - y0) : QPointF(kPixelCentre, kPixelCentre));
    painter_.drawLine(line);
}

void QtCanvas::strokeSegment(double x0, double y0, double x1, double y1) {
    if (x0 == x1 && y0 == y1) return;  // its only pixel is its end
    // Only the part near the picture is marked and drawn: a point may lie at the far end of
    // the int range.
    const double m = markMargin() + 2;
    const QRectF keep = QRectF(area_).adjusted(-m, -m, m, m);
    double t0 = 0, t1 = 1;
    if (!clipSegment(keep, x0, y0, x1, y1, t0, t1)) return;
    const double dx = x1 - x0, dy = y1 - y0;
    const double ax = x0 + t0 * dx, ay = y0 + t0 * dy, bx = x0 + t1 * dx, by = y0 + t1 * dy;
    if (sink_) sink_->markSegment(ax, ay, bx, by, markMargin());
    if (!drawing_) return;
    if (pixelPen()) return pixelLine(x0, y0, x1, y1);
    QLineF line(ax, ay, bx, by);
    if (width_ == 1) line.translate(backFromEnd(dx, dy));
    applyPen();
    painter_.drawLine(line);
}

void QtCanvas::pixelLine(double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const double a0 = xMajor ? x0 : y0, a1 = xMajor ? x1 : y1, b0 = xMajor ? y0 : x0;
    const double start = nearest(a0), end = nearest(a1);
    if (start == end || !(std::isfinite(a0) && std::isfinite(a1))) return;
    const double slope = (xMajor ? dy : dx) / (a1 - a0);
    // The pixels from the start up to the end, within the picture along the major axis.
    double lo = start < end ? start : end + 1, hi = start < end ? end - 1 : start;
    lo = std::max(lo, static_cast<double>(xMajor ? area_.left() : area_.top()));
    hi = std::min(hi, static_cast<double>(xMajor ? area_.right() : area_.bottom()));
    const double minorLo = xMajor ? area_.top() : area_.left();
    const double minorHi = xMajor ? area_.bottom() : area_.right();
    if (lo > hi) return;
    const QRgb value = qRgb(pen_.r, pen_.g, pen_.b);
    for (int a = static_cast<int>(lo); a <= static_cast<int>(hi); ++a) {
        // Rounded halves up; within the picture the value is at least -0.5, so truncating it
        // with the half added rounds it.
        const double v = b0 + (a - a0) * slope + 0.5;
        if (!(v >= minorLo && v < minorHi + 1)) continue;
        const int b = static_cast<int>(v);
        const int x = xMajor ? a : b, y = xMajor ? b : a;
        reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_)[x] = value;
    }
}

void QtCanvas::outline(double cx, double cy, double rx, double ry, double t0, double span) {
    if (!(rx >= 0 && ry >= 0 && std::isfinite(cx) && std::isfinite(cy))) return;
    const double m = markMargin() + 2;
    const QRectF keep = QRectF(area_).adjusted(-m, -m, m, m);
    // Segments short enough that the polygon keeps within a third of an image pixel of the
    // ellipse.
    const double r = std::max(rx, ry) * ratio_;
    constexpr double kTolerance = 0.35;
    const double step =
        r > kTolerance ? std::min(kPi / 4, 2 * std::acos(1 - kTolerance / r)) : kPi / 4;

    // The parameter ranges (measured on from t0, within the span) where it crosses the kept
    // part of the picture: the whole span for an ellipse inside it.
    Ranges shown;
    const bool inside =
        keep.contains(QPointF(cx - rx, cy - ry)) && keep.contains(QPointF(cx + rx, cy + ry));
    if (inside) {
        shown.push_back({0, span});
    } else {
        const Ranges whole = {{0, kTurn}};
        const Ranges xs = rx > 0 ? cosineWithin((keep.left() - cx) / rx, (keep.right() - cx) / rx)
                          : (cx >= keep.left() && cx <= keep.right()) ? whole
                                                                      : Ranges{};
        const Ranges ys = ry > 0 ? sineWithin((cy - keep.bottom()) / ry, (cy - keep.top()) / ry)
                          : (cy >= keep.top() && cy <= keep.bottom()) ? whole
                                                                      : Ranges{};
        // A pixel's worth more at each end, against rounding.
        const double slack = 1.0 / std::max(1.0, std::max(rx, ry));
        for (const Range& p : intersected(xs, ys)) {
            double from = std::fmod(p.from - slack - t0, kTurn);
            if (from < 0) from += kTurn;
            const double length = p.to - p.from + 2 * slack;
            for (double base : {from, from - kTurn}) {
                const double a = std::max(base, 0.0), b = std::min(base + length, span);
                if (a <= b) shown.push_back({a, b});
            }
        }
        std::sort(shown.begin(), shown.end(),
                  [](const Range& a, const Range& b) { return a.from < b.from; });
        // Ranges that meet are drawn as one.
        Ranges merged;
        for (const Range& p : shown) {
            if (!merged.empty() && p.from <= merged.back().to)
                merged.back().to = std::max(merged.back().to, p.to);
            else
                merged.push_back(p);
        }
        shown = std::move(merged);
    }
    const bool closed = inside && span >= kTurn;
    // A small whole ellipse drawn by the painter comes from a stamp made once.
    constexpr double kMostStampRadius = 48;  // image pixels
    if (closed && !pixelPen() && r <= kMostStampRadius) return stampEllipse(cx, cy, rx, ry, step);
    std::vector<QPointF> points;
    for (const Range& p : shown) {
        constexpr double kMostSegments = 100000;
        const double n = std::clamp(std::ceil((p.to - p.from) / step), 1.0, kMostSegments);
        const int count = static_cast<int>(n);
        points.clear();
        for (int i = 0; i <= count; ++i) {
            if (closed && i == count) break;  // the first point closes it
            const double t = t0 + p.from + (p.to - p.from) * i / n;
            points.emplace_back(cx + rx * std::cos(t), cy - ry * std::sin(t));
        }
        strokePolyline(points, closed);
    }
}

void QtCanvas::stampEllipse(double cx, double cy, double rx, double ry, double step) {
    const double m = markMargin() + 1;
    if (sink_) sink_->markRect(cx - rx - m, cy - ry - m, cx + rx + m, cy + ry + m);
    if (!drawing_) return;
    // The ellipse's centre in image pixels (through the pixels' centres for a one-pixel pen,
    // as a line is drawn); the stamp depends only on where that falls within its pixel.
    const double shift = width_ == 1 ? kPixelCentre : 0.0;
    const double dx = (cx + shift) * ratio_, dy = (cy + shift) * ratio_;
    const double fx = dx - std::floor(dx), fy = dy - std::floor(dy);
    const int hw = static_cast<int>(std::ceil((rx + m) * ratio_)) + 1;
    const int hh = static_cast<int>(std::ceil((ry + m) * ratio_)) + 1;
    struct Key {
        double rx, ry, ratio, fx, fy;
        int width;
        std::uint32_t colour;
        bool operator<(const Key& o) const {
            return std::tie(rx, ry, ratio, fx, fy, width, colour) <
                   std::tie(o.rx, o.ry, o.ratio, o.fx, o.fy, o.width, o.colour);
        }
    };
    const Key key{rx, ry, ratio_, fx, fy, width_, qRgb(pen_.r, pen_.g, pen_.b)};
    static auto* stamps = new std::map<Key, QImage>;  // kept to the end of the program
    auto it = stamps->find(key);
    if (it == stamps->end()) {
        constexpr std::size_t kMostStamps = 400;
        if (stamps->size() >= kMostStamps) stamps->clear();
        QImage stamp(2 * hw + 2, 2 * hh + 2, QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        stamp.setDevicePixelRatio(ratio_);
        QPainter p(&stamp);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(qcolour(pen_));
        pen.setWidth(width_);
        pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::FlatCap);
        pen.setJoinStyle(Qt::BevelJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const double lx = (hw + fx) / ratio_, ly = (hh + fy) / ratio_;
        const int count = static_cast<int>(std::clamp(std::ceil(kTurn / step), 1.0, 100000.0));
        QPolygonF polygon;
        polygon.reserve(count);
        for (int i = 0; i < count; ++i) {
            const double t = kTurn * i / count;
            polygon << QPointF(lx + rx * std::cos(t), ly - ry * std::sin(t));
        }
        p.drawPolygon(polygon);
        p.end();
        it = stamps->emplace(key, stamp).first;
    }
    painter_.drawImage(QPointF((std::floor(dx) - hw) / ratio_, (std::floor(dy) - hh) / ratio_),
                       it->second);
}

void QtCanvas::strokePolyline(const std::vector<QPointF>& points, bool closed) {
    const std::size_t n = points.size();
    if (n < 2) return;
    const std::size_t segments = closed ? n : n - 1;
    if (sink_)
        for (std::size_t i = 0; i < segments; ++i) {
            const QPointF& a = points[i];
            const QPointF& b = points[(i + 1) % n];
            sink_->markSegment(a.x(), a.y(), b.x(), b.y(), markMargin());
        }
    if (!drawing_) return;
    if (pixelPen()) {
        for (std::size_t i = 0; i < segments; ++i) {
            const QPointF& a = points[i];
            const QPointF& b = points[(i + 1) % n];
            pixelLine(a.x(), a.y(), b.x(), b.y());
        }
        return;
    }
    // Through the pixels' centres for a one-pixel pen, as a line is drawn. The polygon turns
    // by so little at each corner that a bevel there is a round join to well under a pixel,
    // and far cheaper to draw.
    const double shift = width_ == 1 ? kPixelCentre : 0.0;
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(n));
    for (const QPointF& p : points) polygon << p + QPointF(shift, shift);
    applyPen();
    QPen pen = painter_.pen();
    pen.setJoinStyle(Qt::BevelJoin);
    painter_.setPen(pen);
    if (closed)
        painter_.drawPolygon(polygon);
    else
        painter_.drawPolyline(polygon);
    penApplied_ = false;
}

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    // The outline runs through the pixels of the rectangle's four edges, as every outline
    // the toolkit draws does.
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    if (!image_) {
        applyPen();
        painter_.drawEllipse(QRectF(l + kPixelCentre, t + kPixelCentre, r - l, b - t));
        return;
    }
    outline((l + r) / 2, (t + b) / 2, (r - l) / 2, (b - t) / 2, 0, kTurn);
}

void QtCanvas::arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    const double cx = (l + r) / 2, cy = (t + b) / 2;
    if (!image_) {
        const double start = rayAngle(cx, cy, x3, y3);
        double span = rayAngle(cx, cy, x4, y4) - start;
        while (span <= 0) span += 360.0;  // coinciding rays give the whole ellipse
        while (span > 360) span -= 360.0;
        applyPen();
        painter_.drawArc(QRectF(l + kPixelCentre, t + kPixelCentre, r - l, b - t),
                         static_cast<int>(std::lround(start * 16)),
                         static_cast<int>(std::lround(span * 16)));
        return;
    }
    const double rx = (r - l) / 2, ry = (b - t) / 2;
    // Where each ray meets the ellipse, as the ellipse's own parameter.
    auto parameter = [&](double x, double y) {
        const double ray = std::atan2(-(y - cy), x - cx);
        return std::atan2(rx * std::sin(ray), ry * std::cos(ray));
    };
    const double start = parameter(x3, y3);
    double span = parameter(x4, y4) - start;
    while (span <= 0) span += kTurn;  // coinciding rays give the whole ellipse
    while (span > kTurn) span -= kTurn;
    outline(cx, cy, rx, ry, start, span);
}

void QtCanvas::setPixel(int x, int y, Rgb colour) {
    if (!area_.contains(x, y)) return;
    if (sink_) sink_->markRect(x, y, x, y);
    if (!drawing_) return;
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
    penApplied_ = false;
}

void QtCanvas::setPixels(const std::array<int, 2>* points, std::size_t count, Rgb colour) {
    if (count == 0) return;
    if (sink_) {
        int left = points[0][0], right = left, top = points[0][1], bottom = top;
        for (std::size_t i = 1; i < count; ++i) {
            left = std::min(left, points[i][0]);
            right = std::max(right, points[i][0]);
            top = std::min(top, points[i][1]);
            bottom = std::max(bottom, points[i][1]);
        }
        const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)) & area_;
        if (!box.isEmpty()) sink_->markRect(box.left(), box.top(), box.right(), box.bottom());
    }
    if (!drawing_) return;
    SpanSink* const sink = sink_;
    sink_ = nullptr;  // marked already
    for (std::size_t i = 0; i < count; ++i) setPixel(points[i][0], points[i][1], colour);
    sink_ = sink;
}

int QtCanvas::textWidthBound(const QString& text) const {
    int width = 2;
    for (QChar c : text) {
        const ushort u = c.unicode();
        // Each character's own advance, and a pixel more for what kerning and rounding add.
        if (u < 128 && advances_)
            width += (*advances_)[u] + 1;
        else
            return metrics_.horizontalAdvance(text) + 2 * static_cast<int>(text.size()) + 2;
    }
    return width;
}

int QtCanvas::laidOutWidth(const QString& text) const {
    // The read-outs that change are measured again each time they change, the others once.
    static auto* measured = new QHash<QString, int>;  // kept to the end of the program
    constexpr qsizetype kMostRemembered = 2000;
    const QString key = QString::number(font_.points * 2 + (font_.bold ? 1 : 0)) + '|' + text;
    if (auto it = measured->constFind(key); it != measured->constEnd()) return it.value();
    if (measured->size() > kMostRemembered) measured->clear();
    const int width = metrics_.horizontalAdvance(text);
    measured->insert(key, width);
    return width;
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (image_) {
        // Its cell, with room for ink beyond it; nothing is drawn of a text off the picture.
        const double width = exactTexts_ ? laidOutWidth(s) : textWidthBound(s);
        const double height = metrics_.height();
        const double left = x - 2.0, top = y - 1.0, right = x + width + 2.0,
                     bottom = y + height + 1.0;
        if (right < area_.left() || left > area_.right() || bottom < area_.top() ||
            top > area_.bottom())
            return;
        if (sink_) sink_->markRect(left, top, right, bottom);
        if (!drawing_) return;
        painter_.setPen(qcolour(font_.colour));
        penApplied_ = false;
        // The painter fills the cell as it lays the text out: measuring it apart would lay it
        // out twice, on every tick for every read-out.
        if (!brushClear_) {
            painter_.setBackgroundMode(Qt::OpaqueMode);
            painter_.setBackground(qcolour(brush_));
        }
        painter_.drawText(x, y + metrics_.ascent(), s);
        painter_.setBackgroundMode(Qt::TransparentMode);
        return;
    }
    painter_.setPen(qcolour(font_.colour));
    penApplied_ = false;
    if (!brushClear_)
        painter_.fillRect(QRect(x, y, metrics_.horizontalAdvance(s), metrics_.height()),
                          qcolour(brush_));
    // Not every SVG viewer keeps a run of spaces inside a text, and the read-outs line
    // their numbers up with them: each piece between runs goes where the whole text puts it.
    qsizetype start = 0;
    while (start < s.size()) {
        while (start < s.size() && s[start] == ' ') ++start;
        if (start == s.size()) break;
        qsizetype end = s.indexOf(QLatin1String("  "), start);
        if (end < 0) end = s.size();
        painter_.drawText(
            QPointF(x + metrics_.horizontalAdvance(s.left(start)), y + metrics_.ascent()),
            s.mid(start, end - start));
        start = end;
    }
}

void QtCanvas::drawImage(int x, int y, const Canvas& source) {
    if (const auto* q = dynamic_cast<const QtCanvas*>(&source); q && q->image())
        drawImage(x, y, *q->image());
}

void QtCanvas::drawImage(int x, int y, const QImage& source) {
    const QSize size = source.deviceIndependentSize().toSize();
    if (sink_) sink_->markRect(x, y, x + size.width() - 1.0, y + size.height() - 1.0);
    if (!drawing_) return;
    painter_.drawImage(QPoint(x, y), source);
}

void QtCanvas::refresh() {
    if (sink_) sink_->markRect(area_.left(), area_.top(), area_.right(), area_.bottom());
    if (drawing_) clearRect(area_);
}

void QtCanvas::clearWhere(const DirtyBands& where) {
    where.forEachRect([this](const QRect& r) { clearRect(r & area_); });
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
    const std::size_t bytes = static_cast<std::size_t>(device.width()) * sizeof(QRgb);
    const bool byteFill = background_.r == 255 && background_.g == 255 && background_.b == 255;
    for (int y = device.top(); y <= device.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_) + device.left();
        if (byteFill)
            std::memset(row, 0xFF, bytes);  // white: every byte alike, the fastest fill there is
        else
            std::fill_n(row, device.width(), value);
    }
}

int QtCanvas::textWidth(std::string_view text) const {
    return metrics_.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace tarvell
