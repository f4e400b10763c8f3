// A dynamic-variable scroll bar (see DynamicBarControl.h).
#include "DynamicBarControl.h"

#include <QEvent>
#include <QScrollBar>

#include "ProgramContext.h"

namespace tarvell {

DynamicBarControl::DynamicBarControl(ProgramContext& context, QScrollBar* bar, int slot,
                                     QWidget* focusAfterScroll)
    : QObject(bar), context_(context), bar_(bar), slot_(slot), focusAfterScroll_(focusAfterScroll) {
    // A context menu's jumps (top, bottom, scroll here) are no use on a bar that always
    // returns to the middle.
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    bar->installEventFilter(this);
    connect(bar, &QScrollBar::valueChanged, this, [this] { Change(); });
    // Emitted before the position changes, once per arrow, page, key or wheel step and per
    // reported thumb position.
    connect(bar, &QScrollBar::actionTriggered, this, [this] { actionTriggered(); });
}

void DynamicBarControl::Change() {
    Model& m = context_.model();
    const int p = bar_->value();
    const int code = m.dynamicSlots[static_cast<std::size_t>(slot_)].code;
    const float before = code != 0 ? dimensionValue(m, code) : 0.0f;
    DynamicBarChange(m, state_, slot_, p);
    if (p == 0) return;
    // Only a step that moved the dimension counts: a second Home or End moves nothing, and an
    // undo entry for it would change nothing when taken back.
    if (code != 0 && dimensionValue(m, code) != before) changed_ = true;
    bar_->setValue(0);  // back to the middle: comes here once more with p = 0
    emit dimensionChanged();
    if (endAfterChange_) {
        endAfterChange_ = false;
        finishScroll();
    }
}

void DynamicBarControl::Enter() {
    const Model& m = context_.model();
    const DynamicSlot& s = m.dynamicSlots[static_cast<std::size_t>(slot_)];
    // The dimension's own value: the slot's copy may be older than a change made elsewhere.
    state_.startValue = s.code != 0 ? dimensionValue(m, s.code) : s.value;
}

void DynamicBarControl::ScrollEnd() {
    if (RecordScrollUndo(context_.model(), state_, slot_)) context_.setUndoButtonsEnabled(true);
    if (focusAfterScroll_ && !stepByKey_) focusAfterScroll_->setFocus();
    emit scrollFinished();
}

void DynamicBarControl::beginScroll() {
    if (scrolling_) return;
    scrolling_ = true;
    changed_ = false;
    Enter();
}

void DynamicBarControl::finishScroll() {
    // A scroll that changed nothing (an empty slot, a press without a move) records nothing:
    // an empty entry on top of the stack would hide the changes under it.
    if (scrolling_ && changed_) ScrollEnd();
    scrolling_ = false;
    changed_ = false;
    stepByKey_ = false;
}

void DynamicBarControl::actionTriggered() {
    if (!scrolling_) stepByKey_ = keyDown_;
    beginScroll();
    if (!mouseDown_) endAfterChange_ = true;
}

bool DynamicBarControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bar_) {
        switch (event->type()) {
            case QEvent::FocusIn:
                // The focus can arrive late, with the window's activation; a scroll under
                // way keeps the value it started from.
                if (!scrolling_) Enter();
                break;
            case QEvent::KeyPress:
                keyDown_ = true;
                break;
            case QEvent::KeyRelease:
            case QEvent::FocusOut:  // Tab takes its release elsewhere
                keyDown_ = false;
                break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                keyDown_ = false;
                mouseDown_ = true;
                endAfterChange_ = false;
                beginScroll();
                break;
            case QEvent::MouseButtonRelease:
                // Releasing the button ends the scroll; the bar itself changes nothing more
                // on a release (it tracks the thumb and stops its repeat).
                if (mouseDown_) {
                    mouseDown_ = false;
                    finishScroll();
                }
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void UndoLastChange(ProgramContext& context) {
    Model& m = context.model();
    if (m.undo[1].code > 0) {
        if (!PopUndo(m)) context.setUndoButtonsEnabled(false);
    } else {
        context.setUndoButtonsEnabled(false);
    }
}

}  // namespace tarvell
