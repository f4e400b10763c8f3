// Where the program's windows go (see WindowPlacement.h).
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace tarvell {

namespace {

// Room left between the two windows' frames.
constexpr int kGap = 8;
// What a desktop typically puts around a window, for a window framed by nothing known yet.
const QMargins kTypicalFrame(1, 30, 1, 1);

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

QRect freeArea(const QScreen* screen) {
    const QRect free = screen->availableGeometry();
    // At a fractional scale the frame's margins are rounded down to whole logical pixels, so a
    // frame that seems to end on the area's last pixel may end one device pixel past it.
    const qreal ratio = screen->devicePixelRatio();
    return ratio == std::floor(ratio) ? free : free.adjusted(0, 0, -1, -1);
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

QMargins frameMarginsOf(const QWidget* window, const QWidget* anchor) {
    for (const QWidget* w : {window, anchor}) {
        if (!w) continue;
        const QRect outer = w->frameGeometry(), inner = w->geometry();
        const QMargins m(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
        if (!m.isNull()) return m;
    }
    return kTypicalFrame;
}

void moveFrameTo(QWidget* window, QPoint frameTopLeft, const QMargins& frame) {
    const bool made = window->testAttribute(Qt::WA_WState_Created);
    const bool framed = window->windowHandle() && !window->windowHandle()->frameMargins().isNull();
    if (!made || framed)
        window->move(frameTopLeft);
    else
        window->move(frameTopLeft + QPoint(frame.left(), frame.top()));
}

bool placeWindow(QWidget* window, const QWidget* anchor, const QString& key) {
    const QScreen* screen =
        anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!window || !screen) return true;
    const QMargins frame = frameMarginsOf(window, anchor);
    QRect outer = key.isEmpty() ? QRect() : QSettings().value("windows/" + key).toRect();
    if (liesOnAScreen(outer)) {
        if (const QScreen* there = QGuiApplication::screenAt(outer.center())) screen = there;
    } else {
        const QSize size = window->size().grownBy(frame);
        const QRect free = freeArea(screen);
        // Beside the anchor at its own width, else over the side of it that hides least.
        outer = anchor ? placeBeside(anchor->frameGeometry(), size, size.width(), free)
                       : QRect(free.topLeft(), size);
    }
    // Wholly inside the free area, title bar included; a window that cannot shrink so far keeps
    // its smallest size at the area's top left (and scrolls or clips itself).
    const QRect free = freeArea(screen);
    const QSize smallest = window->minimumSize().grownBy(frame);
    const QSize size = outer.size().boundedTo(free.size()).expandedTo(smallest);
    const QPoint at(std::clamp(outer.left(), free.left(),
                               std::max(free.left(), free.right() + 1 - size.width())),
                    std::clamp(outer.top(), free.top(),
                               std::max(free.top(), free.bottom() + 1 - size.height())));
    window->resize(size.shrunkBy(frame));
    moveFrameTo(window, at, frame);
    return smallest.width() <= free.width() && smallest.height() <= free.height();
}

void rememberWindowPlace(const QWidget* window, const QString& key) {
    if (!window || key.isEmpty() || window->isMaximized() || window->isMinimized()) return;
    QSettings().setValue("windows/" + key, window->frameGeometry());
}

}  // namespace tarvell
