// The main window's client area and its sizes: the picture painted under the controls, made
// anew at each new size, and mouse presses on the picture passed to the pivot selection.
#pragma once

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "DeviceImage.h"
#include "MainForm.h"
#include "ReferencePoints.h"

namespace tarvell {

// The picture's own size, which the client has at first.
inline constexpr int kClientWidth = 632;
inline constexpr int kClientHeight = 380;
// The least client that shows every control and read-out (before the large font's scaling).
inline constexpr int kLeastClientHeight = 240;

class FrameView : public QWidget {
  public:
    explicit FrameView(TMainForm& form) : QWidget(&form), form_(form) {
        setObjectName("FrameView");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(kClientWidth, kLeastClientHeight);
        setFocusPolicy(Qt::ClickFocus);  // a click on the picture lets Space stop and run
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        // Rectangle by rectangle: a blit of many rows at once would be handed to other
        // threads and waited for.
        QPainter p(this);
        for (const QRect& r : event->region()) paintImagePart(p, form_.frameImage(), r);
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        form_.pictureResized();
    }
    void mousePressEvent(QMouseEvent* event) override { form_.referencePoints().mousePress(event); }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
            form_.RunClick();
        else
            QWidget::keyPressEvent(event);
    }

  private:
    TMainForm& form_;
};

}  // namespace tarvell
