// Arrow keys on a horizontal scroll bar (see ScrollBarKeys.h).
#include "ScrollBarKeys.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace tarvell {
namespace {

class ArrowKeySteering : public QObject {
  public:
    explicit ArrowKeySteering(QScrollBar* bar) : QObject(bar), bar_(bar) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != bar_ || event->type() != QEvent::KeyPress ||
            bar_->orientation() != Qt::Horizontal)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        // The same actions as the bar's arrow buttons, so whoever follows the bar's actions
        // sees a key step exactly as a click.
        if (key->key() == Qt::Key_Left) {
            bar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        }
        if (key->key() == Qt::Key_Right) {
            bar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
        return false;
    }

  private:
    QScrollBar* bar_;
};

}  // namespace

void steerArrowKeys(QScrollBar* bar) {
    bar->installEventFilter(new ArrowKeySteering(bar));
}

}  // namespace tarvell
