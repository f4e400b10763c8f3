// A window's picture on screen: a widget that shows an image made elsewhere, painting it
// rectangle by rectangle where Qt asks (a blit of many rows at once would be handed to other
// threads and waited for). What the window does with the mouse, the keys and a new size it
// gives as handlers; the main window, the diagrams and the positions dialog all show their
// pictures through it.
#pragma once

#include <QWidget>
#include <functional>

class QImage;
class QKeyEvent;
class QMouseEvent;

namespace tarvell {

class ImageView : public QWidget {
  public:
    // `image` gives the picture at the time of painting (it may be made anew at a new size).
    ImageView(QWidget* parent, std::function<const QImage&()> image);

    std::function<void(QMouseEvent*)> mousePressed;
    std::function<void(QMouseEvent*)> mouseMoved;
    // Returns true when it took the key.
    std::function<bool(QKeyEvent*)> keyPressed;
    std::function<void()> resized;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::function<const QImage&()> image_;
};

}  // namespace tarvell
