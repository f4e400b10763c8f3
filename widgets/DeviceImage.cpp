// Off-screen pictures at the screen's resolution (see DeviceImage.h).
#include "DeviceImage.h"

#include <QPainter>
#include <QWidget>
#include <cmath>

namespace tarvell {

QImage deviceImage(QSize logical, qreal ratio) {
    if (!(ratio > 0)) ratio = 1;
    const QSize device(static_cast<int>(std::ceil(logical.width() * ratio)),
                       static_cast<int>(std::ceil(logical.height() * ratio)));
    QImage image(device, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

bool matchDeviceRatio(QImage& image, const QWidget& widget) {
    const qreal ratio = widget.devicePixelRatioF();
    if (image.devicePixelRatio() == ratio) return false;
    image = deviceImage(image.deviceIndependentSize().toSize(), ratio);
    return true;
}

void paintImagePart(QPainter& painter, const QImage& image, const QRect& logical) {
    const qreal r = image.devicePixelRatio();
    painter.drawImage(
        QRectF(logical), image,
        QRectF(logical.x() * r, logical.y() * r, logical.width() * r, logical.height() * r));
}

}  // namespace tarvell
