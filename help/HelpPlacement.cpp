// Where a help window goes (see HelpPlacement.h).
#include "HelpPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tarvell {

namespace {

// Room left between the two windows' frames.
constexpr int kGap = 8;

qint64 area(const QRect& r) {
    return r.isEmpty() ? 0 : static_cast<qint64>(r.width()) * r.height();
}

}  // namespace

QRect placeBeside(const QRect& reference, QSize size, int narrowest, const QRect& available) {
    const int width = std::min(size.width(), available.width());
    const int height = std::min(size.height(), available.height());
    const int top = std::clamp(reference.top(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - height));
    // The room each side of the reference, the gap left out.
    const int roomRight = available.right() - reference.right() - kGap;
    const int roomLeft = reference.left() - available.left() - kGap;
    const auto rightOf = [&](int w) { return QRect(reference.right() + 1 + kGap, top, w, height); };
    const auto leftOf = [&](int w) { return QRect(reference.left() - kGap - w, top, w, height); };
    if (roomRight >= width) return rightOf(width);
    if (roomLeft >= width) return leftOf(width);
    if (std::max(roomRight, roomLeft) >= narrowest)
        return roomRight >= roomLeft ? rightOf(roomRight) : leftOf(roomLeft);

    const QRect flushRight(available.right() + 1 - width, top, width, height);
    const QRect flushLeft(available.left(), top, width, height);
    return area(flushLeft.intersected(reference)) < area(flushRight.intersected(reference))
               ? flushLeft
               : flushRight;
}

bool liesOnAScreen(const QRect& rect) {
    if (rect.isEmpty()) return false;
    const QPoint titleBar(rect.center().x(), rect.top());
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect free = screen->availableGeometry();
        if (free.contains(titleBar) && 2 * area(rect.intersected(free)) >= area(rect)) return true;
    }
    return false;
}

}  // namespace tarvell
