// Where a picture was drawn (see DirtyBands.h).
#include "DirtyBands.h"

#include <algorithm>
#include <cmath>

namespace tarvell {
namespace {

// Beyond this a coordinate is far outside any picture (a deep zoom): left to the clip.
constexpr int kReach = 1 << 16;

}  // namespace

void DirtyBands::addSpan(int b, int first, int last) {
    if (b < 0 || b >= kReach / rows_ || last < 0 || first > last) return;
    first = std::max(0, first);
    last = std::min(last, kReach);
    if (static_cast<std::size_t>(b) >= bands_.size())
        bands_.resize(static_cast<std::size_t>(b) + 1);
    std::vector<Span>& spans = bands_[static_cast<std::size_t>(b)];
    // Join every span the new one meets (or nearly meets), keeping the list in order.
    auto it = std::lower_bound(spans.begin(), spans.end(), first - gap_,
                               [](const Span& s, int x) { return s.last < x; });
    auto end = it;
    while (end != spans.end() && end->first <= last + gap_) {
        first = std::min(first, end->first);
        last = std::max(last, end->last);
        ++end;
    }
    it = spans.erase(it, end);
    spans.insert(it, Span{first, last});
}

void DirtyBands::addRect(const QRect& r) {
    if (r.isEmpty() || r.bottom() < 0 || r.top() > kReach) return;
    for (int b = band(std::max(0, r.top())); b <= band(std::min(r.bottom(), kReach)); ++b)
        addSpan(b, r.left(), r.right());
}

void DirtyBands::addLine(QPoint a, QPoint b, int margin) {
    if (a.y() > b.y()) std::swap(a, b);
    const int top = std::max(0, a.y() - margin), bottom = std::min(b.y() + margin, kReach);
    if (top > bottom) return;
    const double dy = b.y() - a.y();
    // The line's x where it is at height y, held to its ends.
    auto xAt = [&](double y) {
        if (dy == 0) return static_cast<double>(a.x());
        return a.x() + std::clamp((y - a.y()) / dy, 0.0, 1.0) * (b.x() - a.x());
    };
    for (int k = band(top); k <= band(bottom); ++k) {
        const double y0 = k * rows_ - margin, y1 = (k + 1) * rows_ - 1 + margin;
        double x0 = xAt(y0), x1 = xAt(y1);
        if (dy == 0) x0 = a.x(), x1 = b.x();
        addSpan(k, static_cast<int>(std::floor(std::min(x0, x1))) - margin,
                static_cast<int>(std::ceil(std::max(x0, x1))) + margin);
    }
}

void DirtyBands::addEllipse(const QRect& box, int margin) {
    const QRect outer = box.adjusted(-margin, -margin, margin, margin);
    if (outer.isEmpty() || outer.bottom() < 0 || outer.top() > kReach) return;
    const double cx = (box.left() + box.right()) / 2.0, cy = (box.top() + box.bottom()) / 2.0;
    const double rx = box.width() / 2.0, ry = box.height() / 2.0;
    if (!(rx > 2 * margin && ry > 2 * margin)) return addRect(outer);
    // In each band the outline is two arcs, left and right: each runs between the ellipse's
    // x at the band's row nearest the centre and at its row furthest from it.
    auto halfWidth = [&](double d) {
        const double q = d / ry;
        return q >= 1 ? 0.0 : rx * std::sqrt(1 - q * q);
    };
    for (int k = band(std::max(0, outer.top())); k <= band(std::min(outer.bottom(), kReach)); ++k) {
        const double y0 = k * rows_ - margin, y1 = (k + 1) * rows_ - 1 + margin;
        const double nearest =
            (y0 <= cy && cy <= y1) ? 0 : std::min(std::abs(y0 - cy), std::abs(y1 - cy));
        const double furthest = std::max(std::abs(y0 - cy), std::abs(y1 - cy));
        const double wide = halfWidth(nearest), narrow = halfWidth(furthest);
        addSpan(k, static_cast<int>(std::floor(cx - wide)) - margin,
                static_cast<int>(std::ceil(cx - narrow)) + margin);
        addSpan(k, static_cast<int>(std::floor(cx + narrow)) - margin,
                static_cast<int>(std::ceil(cx + wide)) + margin);
    }
}

DirtyBands DirtyBands::coarsened(int bandRows, int joinGap) const {
    DirtyBands out(bandRows, joinGap);
    forEachRect([&out](const QRect& r) { out.addRect(r); });
    return out;
}

QRegion DirtyBands::region() const {
    QRegion out;
    forEachRect([&out](const QRect& r) { out += r; });
    return out;
}

}  // namespace tarvell
