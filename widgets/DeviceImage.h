// The pictures the windows draw off-screen and copy to the screen, at the screen's own
// resolution: an image of a logical size holds (size x device pixel ratio) pixels, so lines
// and texts stay crisp at every interface size; copying a logical rectangle of it to a
// window takes the matching device pixels.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

namespace tarvell {

// A white 32-bit image of `logical` size at device pixel ratio `ratio`.
QImage deviceImage(QSize logical, qreal ratio);

// Makes `image` match the widget's device pixel ratio (a window moved to another screen),
// keeping its logical size; true when it was made anew (and so is white).
bool matchDeviceRatio(QImage& image, const QWidget& widget);

// Paints the part `logical` of the image at the same place of the painter's device.
void paintImagePart(QPainter& painter, const QImage& image, const QRect& logical);

}  // namespace tarvell
