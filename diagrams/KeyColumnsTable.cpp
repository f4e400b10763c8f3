// The table with columns that stay in view (see KeyColumnsTable.h).
#include "KeyColumnsTable.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace tarvell {

KeyColumnsTable::KeyColumnsTable(QWidget* parent) : QTableWidget(parent) {
    keys_ = new QTableView(this);
    keys_->setObjectName("KeyColumns");
    keys_->setModel(model());
    keys_->setSelectionModel(selectionModel());
    keys_->setFocusPolicy(Qt::NoFocus);
    keys_->setFrameShape(QFrame::NoFrame);
    keys_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keys_->verticalHeader()->hide();
    keys_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    keys_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    keys_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Pixel scrolling on both, so the two views keep their rows level.
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    keys_->setVerticalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(keys_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < keyColumns_) {
                    keys_->setColumnWidth(column, size);
                    placeKeyView();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { keys_->setRowHeight(row, size); });
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { placeKeyView(); });
    connect(keys_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, keys_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    keys_->hide();
}

void KeyColumnsTable::setKeyColumns(int count) {
    keyColumns_ = std::clamp(count, 0, columnCount());
    for (int c = 0; c < columnCount(); ++c) {
        keys_->setColumnHidden(c, c >= keyColumns_);
        if (c < keyColumns_) keys_->setColumnWidth(c, columnWidth(c));
    }
    for (int r = 0; r < rowCount(); ++r) keys_->setRowHeight(r, rowHeight(r));
    keys_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    keys_->setVisible(keyColumns_ > 0);
    placeKeyView();
}

int KeyColumnsTable::keyColumnsWidth() const {
    int width = 0;
    for (int c = 0; c < keyColumns_; ++c) width += columnWidth(c);
    return width;
}

void KeyColumnsTable::placeKeyView() {
    if (keyColumns_ == 0) return;
    keys_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    const int left = frameWidth() + (verticalHeader()->isVisible() ? verticalHeader()->width() : 0);
    keys_->setGeometry(left, frameWidth(), keyColumnsWidth(),
                       viewport()->height() + horizontalHeader()->height());
}

void KeyColumnsTable::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    placeKeyView();
}

QModelIndex KeyColumnsTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableWidget::moveCursor(action, modifiers);
    // Moving left onto a column half under the key columns scrolls it out from under them.
    if (action == MoveLeft && current.column() >= keyColumns_) {
        const int hidden = keyColumnsWidth() - visualRect(current).left();
        if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
    return current;
}

void KeyColumnsTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The key columns never scroll sideways; the others do as usual.
    if (index.column() >= keyColumns_) QTableWidget::scrollTo(index, hint);
}

}  // namespace tarvell
