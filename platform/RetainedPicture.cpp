// A window's picture kept from frame to frame (see RetainedPicture.h).
#include "RetainedPicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "QtCanvas.h"

namespace tarvell {
namespace {

QImage whiteImage(QSize size, qreal ratio) {
    QImage image(QSize(static_cast<int>(std::ceil(size.width() * ratio)),
                       static_cast<int>(std::ceil(size.height() * ratio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

// The operations of `before` and `after` that stay as they were, in the same order: the
// common start and end of the two lists, and in between those at the same place when the
// lists are as long. Every other operation changed.
void markChanges(const DrawingList& before, const DrawingList& after, QtCanvas& canvas) {
    const std::size_t nb = before.size(), na = after.size();
    std::size_t head = 0;
    while (head < nb && head < na && before.same(head, after, head)) ++head;
    std::size_t tail = 0;
    while (tail < nb - head && tail < na - head && before.same(nb - 1 - tail, after, na - 1 - tail))
        ++tail;
    const bool paired = nb == na;
    for (std::size_t i = head; i < nb - tail; ++i)
        if (!(paired && before.same(i, after, i))) before.replay(i, canvas);
    for (std::size_t i = head; i < na - tail; ++i)
        if (!(paired && before.same(i, after, i))) after.replay(i, canvas);
}

}  // namespace

void RetainedPicture::fit(QSize size, qreal ratio) {
    if (!(ratio > 0)) ratio = 1;
    size = size.expandedTo(QSize(1, 1));
    if (shown_.deviceIndependentSize().toSize() == size && shown_.devicePixelRatio() == ratio)
        return;
    shown_ = whiteImage(size, ratio);
    spare_ = whiteImage(size, ratio);
    whole_ = true;
}

const DirtyBands& RetainedPicture::take(DrawingList& frame) {
    DirtyBands& changed = changed_;
    changed.clear();
    if (shown_.isNull()) fit(QSize(1, 1), 1);
    if (!whole_ && frame == last_) return changed;
    const QRect area(QPoint(0, 0), shown_.deviceIndependentSize().toSize());
    {
        QtCanvas canvas(spare_);
        // Where the frames differ: where an operation of either that changed may touch.
        if (whole_) {
            changed.addRect(area);
        } else {
            canvas.setDrawing(false);
            canvas.markOn(&changed);
            canvas.setExactTextMarks(true);  // a read-out that changed repaints only its cell
            markChanges(last_, frame, canvas);
            canvas.setExactTextMarks(false);
        }
        if (changed.empty()) {
            std::swap(last_, frame);
            return changed;
        }
        // There, on a white page, every operation that touches it.
        canvas.markOn(nullptr);
        canvas.setDrawing(true);
        canvas.clearWhere(changed);
        OverlapTest touches(changed);
        for (std::size_t i = frame.clearsFirst() ? 1 : 0; i < frame.size(); ++i) {
            if (!whole_) {
                touches.reset();
                canvas.setDrawing(false);
                canvas.markOn(&touches);
                frame.replay(i, canvas);
                canvas.markOn(nullptr);
                canvas.setDrawing(true);
                if (!touches.hit()) continue;
            }
            frame.replay(i, canvas);
        }
    }
    // Only the changed parts go to the picture shown.
    const qreal ratio = shown_.devicePixelRatio();
    const QRect device = shown_.rect();
    changed.forEachRect([&](const QRect& r) {
        const QRect d =
            QRect(QPoint(static_cast<int>(r.left() * ratio), static_cast<int>(r.top() * ratio)),
                  QPoint(static_cast<int>(std::ceil((r.right() + 1) * ratio)) - 1,
                         static_cast<int>(std::ceil((r.bottom() + 1) * ratio)) - 1))
                .intersected(device);
        if (d.isEmpty()) return;
        const std::size_t bytes = static_cast<std::size_t>(d.width()) * 4;
        for (int y = d.top(); y <= d.bottom(); ++y)
            std::memcpy(shown_.scanLine(y) + d.left() * 4, spare_.constScanLine(y) + d.left() * 4,
                        bytes);
    });
    std::swap(last_, frame);
    whole_ = false;
    return changed;
}

}  // namespace tarvell
