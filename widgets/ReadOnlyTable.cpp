// Read-only tables of figures (see ReadOnlyTable.h).
#include "ReadOnlyTable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace tarvell {

QTableWidgetItem* readOnlyCell(const QString& text, Qt::Alignment align, const QColor& tint) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    if (tint.isValid()) item->setBackground(tint);
    return item;
}

void makeReadOnlyTable(QTableWidget* t) {
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setWordWrap(false);
    t->setCornerButtonEnabled(false);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setHighlightSections(false);
}

QTableWidget* newReadOnlyTable(QWidget* parent, const char* name) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(name);
    makeReadOnlyTable(t);
    return t;
}

}  // namespace tarvell
