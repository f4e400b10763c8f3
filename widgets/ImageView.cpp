// A window's picture on screen (see ImageView.h).
#include "ImageView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "DeviceImage.h"

namespace tarvell {

ImageView::ImageView(QWidget* parent, std::function<const QImage&()> image)
    : QWidget(parent), image_(std::move(image)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    for (const QRect& r : event->region()) paintImagePart(p, image_(), r);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    if (mousePressed)
        mousePressed(event);
    else
        QWidget::mousePressEvent(event);
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    if (mouseMoved)
        mouseMoved(event);
    else
        QWidget::mouseMoveEvent(event);
}

void ImageView::keyPressEvent(QKeyEvent* event) {
    if (!keyPressed || !keyPressed(event)) QWidget::keyPressEvent(event);
}

void ImageView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resized) resized();
}

}  // namespace tarvell
