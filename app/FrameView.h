// The main window's client area and its sizes: the picture painted under the controls, made
// anew at each new size, and mouse presses on the picture passed to the pivot selection.
#pragma once

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ImageView.h"
#include "MainForm.h"
#include "ReferencePoints.h"

namespace tarvell {

// The picture's own size, which the client has at first.
inline constexpr int kClientWidth = 632;
inline constexpr int kClientHeight = 380;
// The least client that shows every control and read-out (before the large font's scaling).
inline constexpr int kLeastClientHeight = 240;

// The main window's client: its picture, painted under the controls; a press on the picture
// goes to the pivot selection, Space stops and runs the gear, a new size makes the picture anew.
inline ImageView* createFrameView(TMainForm& form) {
    auto* view = new ImageView(&form, [&form]() -> const QImage& { return form.frameImage(); });
    view->setObjectName("FrameView");
    view->setMinimumSize(kClientWidth, kLeastClientHeight);
    view->setFocusPolicy(Qt::ClickFocus);  // a click on the picture lets Space stop and run
    view->mousePressed = [&form](QMouseEvent* event) { form.referencePoints().mousePress(event); };
    view->keyPressed = [&form](QKeyEvent* event) {
        if (event->key() != Qt::Key_Space || event->isAutoRepeat()) return false;
        form.RunClick();
        return true;
    };
    view->resized = [&form] { form.pictureResized(); };
    return view;
}

}  // namespace tarvell
