// Where a help window goes: beside the window the user works in, so both can be read at once,
// and back where the user last left it as long as that is still on a screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarvell {

// The frame of a window of `size` placed beside `reference` (the frame of the window worked
// in) inside `available` (its screen's free area): right of it if there is room, else left of
// it; else on the roomier side made narrower, down to `narrowest`; else flush with the side of
// the screen where it covers least of the reference. Level with the reference's top, moved up
// or down only as far as the screen asks.
QRect placeBeside(const QRect& reference, QSize size, int narrowest, const QRect& available);

// Whether a window at `rect` (screen coordinates) can be seen and moved there: its top edge's
// middle, where the title bar is, lies in a screen's free area, and so does half of it.
bool liesOnAScreen(const QRect& rect);

}  // namespace tarvell
