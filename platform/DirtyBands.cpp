// Where a picture was drawn (see DirtyBands.h).
#include "DirtyBands.h"

#include <algorithm>
#include <cmath>

namespace tarvell {
namespace {

// Beyond this a coordinate is far outside any picture (a deep zoom, a huge dimension): it is
// held here before it becomes an integer, and the spans it gives are left to the clip.
constexpr int kReach = 1 << 20;

int held(double v) {
    if (!(v > -kReach)) return -kReach;  // NaN too
    if (v > kReach) return kReach;
    return static_cast<int>(std::floor(v));
}

int heldUp(double v) {
    if (!(v > -kReach)) return -kReach;
    if (v > kReach) return kReach;
    return static_cast<int>(std::ceil(v));
}

}  // namespace

void SpanSink::markRect(double left, double top, double right, double bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const int x0 = held(left), x1 = heldUp(right);
    const int y0 = std::max(0, held(top)), y1 = std::min(heldUp(bottom), kReach - 1);
    if (x1 < 0 || y0 > y1) return;
    for (int b = y0 / rows_; b <= y1 / rows_ && !satisfied(); ++b) span(b, std::max(0, x0), x1);
}

void SpanSink::markSegment(double x0, double y0, double x1, double y1, double margin) {
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1))) return;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int top = std::max(0, held(y0 - margin));
    const int bottom = std::min(heldUp(y1 + margin), kReach - 1);
    if (top > bottom) return;
    const double dy = y1 - y0;
    // The segment's x where it is at height y, held to its ends.
    auto xAt = [&](double y) {
        if (!(dy > 0)) return x0;
        return x0 + std::clamp((y - y0) / dy, 0.0, 1.0) * (x1 - x0);
    };
    for (int k = top / rows_; k <= bottom / rows_ && !satisfied(); ++k) {
        const double b0 = static_cast<double>(k) * rows_ - margin;
        const double b1 = static_cast<double>(k + 1) * rows_ - 1 + margin;
        double xa = xAt(b0), xb = xAt(b1);
        if (!(dy > 0)) xa = x0, xb = x1;
        const int first = held(std::min(xa, xb) - margin), last = heldUp(std::max(xa, xb) + margin);
        if (last >= 0) span(k, std::max(0, first), last);
    }
}

void DirtyBands::span(int b, int first, int last) {
    if (b < 0 || b >= kReach / rows() || last < 0 || first > last) return;
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
    spans_ -= static_cast<std::size_t>(end - it);
    it = spans.erase(it, end);
    spans.insert(it, Span{first, last});
    ++spans_;
}

void DirtyBands::addRect(const QRect& r) {
    if (r.isEmpty()) return;
    markRect(r.left(), r.top(), r.right(), r.bottom());
}

bool DirtyBands::meets(int b, int first, int last) const {
    if (b < 0 || static_cast<std::size_t>(b) >= bands_.size()) return false;
    const std::vector<Span>& spans = bands_[static_cast<std::size_t>(b)];
    auto it = std::lower_bound(spans.begin(), spans.end(), first,
                               [](const Span& s, int x) { return s.last < x; });
    return it != spans.end() && it->first <= last;
}

QRegion DirtyBands::region(int joinGap) const {
    // Band by band, left to right: the order a region's rectangles are kept in.
    std::vector<QRect> rects;
    for (std::size_t b = 0; b < bands_.size(); ++b) {
        const int top = static_cast<int>(b) * rows(), bottom = top + rows() - 1;
        const std::size_t first = rects.size();
        for (const Span& s : bands_[b]) {
            if (rects.size() > first && s.first - rects.back().right() <= joinGap)
                rects.back().setRight(s.last);
            else
                rects.emplace_back(QPoint(s.first, top), QPoint(s.last, bottom));
        }
    }
    QRegion out;
    out.setRects(rects.data(), static_cast<int>(rects.size()));
    return out;
}

}  // namespace tarvell
