// Where the program's windows go: back where the user last left them while that is still on
// a screen, otherwise beside the window the user works in, so both can be read at once;
// always placed by their frames (title bar included), wholly inside a screen's free area.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QScreen;
class QWidget;

namespace tarvell {

// The frame of a window of `size` placed beside `reference` (the frame of the window worked
// in) inside `available` (its screen's free area): right of it if there is room, else left of
// it; else on the roomier side made narrower, down to `narrowest`; else flush with the side of
// the screen where it covers least of the reference. Level with the reference's top, moved up
// or down only as far as the screen asks.
QRect placeBeside(const QRect& reference, QSize size, int narrowest, const QRect& available);

// Whether a window at `rect` (screen coordinates) can be seen and moved there: its top edge's
// middle, where the title bar is, lies in a screen's free area, and so does half of it.
// The part of `screen` a window's frame may take: its available area, less the last device
// pixel lost to rounding at a fractional scale.
QRect freeArea(const QScreen* screen);

bool liesOnAScreen(const QRect& rect);

// The margins the desktop puts around `window` (title bar and borders), or before it has been
// framed the best guess: those of `anchor`, else a typical title bar.
QMargins frameMarginsOf(const QWidget* window, const QWidget* anchor);

// Moves `window` so that its frame's top-left stands at `frameTopLeft`, whether or not the
// desktop has framed it yet (Qt takes a move as the frame's place before a window is made and
// once it is framed, as the client's between).
void moveFrameTo(QWidget* window, QPoint frameTopLeft, const QMargins& frame);

// Places a window as it opens: where it was last left (kept under `key`; none when empty)
// while that still lies on a screen, else beside `anchor` (the main window) where there is
// room. Either way no larger than the free area of its screen and wholly inside it, frame
// included. Returns false when even its smallest size does not fit there.
bool placeWindow(QWidget* window, const QWidget* anchor, const QString& key);
// Keeps the window's place and size (its frame) under `key` for the next opening.
void rememberWindowPlace(const QWidget* window, const QString& key);

}  // namespace tarvell
