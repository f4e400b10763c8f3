// The main window's client area and its sizes: the last frame image painted under the
// controls, and mouse presses on the picture passed to the pivot selection.
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

inline constexpr int kClientWidth = 632;
inline constexpr int kClientHeight = 380;
inline constexpr int kFrameWidth = 1280;
inline constexpr int kFrameHeight = 1024;

class FrameView : public QWidget {
  public:
    FrameView(TMainForm& form, const QImage& frame) : QWidget(&form), form_(form), frame_(frame) {
        setObjectName("FrameView");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(kClientWidth, kClientHeight);
        setFocusPolicy(Qt::ClickFocus);  // a click on the picture lets Space stop and run
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        paintImagePart(p, frame_, event->rect());
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
    const QImage& frame_;
};

}  // namespace tarvell
