// A read-only table whose first few columns (the row's key: what and where it is) stay in
// view while the others scroll sideways. A second view over the same cells covers the
// scrolling table's left edge and shows those columns only.
#pragma once

#include <QTableWidget>

class QTableView;

namespace tarvell {

class KeyColumnsTable : public QTableWidget {
    Q_OBJECT

  public:
    explicit KeyColumnsTable(QWidget* parent = nullptr);

    // Keeps columns 0 to count - 1 in view; call again after the columns change.
    void setKeyColumns(int count);
    // The view over the key columns.
    QTableView* keyView() const { return keys_; }
    // The width the key columns take.
    int keyColumnsWidth() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  private:
    void placeKeyView();

    QTableView* keys_ = nullptr;
    int keyColumns_ = 0;
};

}  // namespace tarvell
