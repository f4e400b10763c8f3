// Placing a window on the main window's screen (see ScreenPlacement.h).
#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tarvell {
namespace {

// What the desktop adds around a window before it is first shown and the real figure is
// known: a title bar and thin borders.
const QMargins kFrameGuess(4, 30, 4, 4);

}  // namespace

void placeOnScreen(QWidget* window, QPoint offset, const QWidget* anchor) {
    QScreen* screen =
        anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen || !window) return;
    const QRect area = screen->availableGeometry();
    QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) frame = kFrameGuess;
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();

    // No larger than the area: a window that cannot shrink so far scrolls or is clipped by
    // its own layout, never by the screen's edge.
    const QSize room(area.width() - frameWidth, area.height() - frameHeight);
    const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
    if (size != window->size()) window->resize(size);

    QPoint at = area.topLeft() + offset;
    at.setX(std::clamp(at.x(), area.left(),
                       std::max(area.left(), area.right() + 1 - frameWidth - window->width())));
    at.setY(std::clamp(at.y(), area.top(),
                       std::max(area.top(), area.bottom() + 1 - frameHeight - window->height())));
    window->move(at);
}

}  // namespace tarvell
