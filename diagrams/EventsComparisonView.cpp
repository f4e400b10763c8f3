// The valve events window's comparison (see EventsComparisonView.h).
#include "EventsComparisonView.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Data.h"
#include "DesignComparison.h"
#include "Numbers.h"
#include "ReadOnlyTable.h"

namespace tarvell {
namespace {

void put(QTableWidget* t, int row, int column, const QString& text, bool right = true) {
    t->setItem(row, column, readOnlyCell(text, right ? Qt::AlignRight : Qt::AlignLeft));
}

QString figure(const std::optional<double>& v, int decimals) {
    return v ? QString::fromStdString(formatFixed(*v, 0, decimals)) : QString("-");
}

int decimalsOf(ComparedQuantity q) {
    return q == ComparedQuantity::Lead ? 4 : 2;
}

QString headingOf(ComparedQuantity q) {
    switch (q) {
        case ComparedQuantity::CutOff:
            return "Cut-off %";
        case ComparedQuantity::Lead:
            return "Lead";
        case ComparedQuantity::Release:
            return "Release %";
        case ComparedQuantity::Compression:
            return "Compr %";
    }
    return {};
}

}  // namespace

EventsComparisonView::EventsComparisonView(QWidget* parent) : QWidget(parent) {
    setObjectName("ComparisonView");
    Heading = new QLabel(this);
    Heading->setObjectName("ComparisonHeading");
    Heading->setWordWrap(true);
    DifferingGrid = newReadOnlyTable(this, "DifferingGrid");
    ComparisonGrid = newReadOnlyTable(this, "ComparisonGrid");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Heading);
    layout->addWidget(DifferingGrid);
    layout->addWidget(ComparisonGrid, 1);
}

void EventsComparisonView::fill(const ValveEventsTable& table, const Model& self,
                                const Model& other, const QString& name) {
    const std::vector<DimensionDifference> differing = differingDimensions(self, other);
    Heading->setText("Compared with " + name + ": " +
                     (differing.empty() ? QString("no dimension differs.")
                                        : QString("%1 dimension%2 differ%3.")
                                              .arg(differing.size())
                                              .arg(differing.size() == 1 ? "" : "s")
                                              .arg(differing.size() == 1 ? "s" : "")) +
                     " Each difference is this design less the other.");
    DifferingGrid->clear();
    DifferingGrid->setColumnCount(4);
    DifferingGrid->setHorizontalHeaderLabels({"Code", "Dimension", "This", "Other"});
    DifferingGrid->setRowCount(static_cast<int>(differing.size()));
    for (std::size_t i = 0; i < differing.size(); ++i) {
        const DimensionDifference& d = differing[i];
        const int r = static_cast<int>(i);
        const DimensionInfo* info = findDimension(d.code);
        put(DifferingGrid, r, 0, QString::number(d.code));
        put(DifferingGrid, r, 1,
            info ? QString::fromUtf8(info->caption.data(),
                                     static_cast<qsizetype>(info->caption.size()))
                 : QString(),
            false);
        put(DifferingGrid, r, 2, QString::fromStdString(formatFixed(d.a, 0, 4)));
        put(DifferingGrid, r, 3, QString::fromStdString(formatFixed(d.b, 0, 4)));
    }
    DifferingGrid->resizeColumnsToContents();
    DifferingGrid->setVisible(!differing.empty());
    DifferingGrid->setFixedHeight(tableHeight(DifferingGrid));

    QStringList headings = {"Entry", "Position", "Tag", "End"};
    for (ComparedQuantity q : kComparedQuantities)
        headings << headingOf(q) + "\nThis" << headingOf(q) + "\nOther"
                 << "This - Other";
    ComparisonGrid->clear();
    ComparisonGrid->setColumnCount(static_cast<int>(headings.size()));
    ComparisonGrid->setHorizontalHeaderLabels(headings);
    const std::vector<ComparedRow> rows = compareWithTable(table, other);
    ComparisonGrid->setRowCount(static_cast<int>(rows.size()) * 2);
    int r = 0;
    for (const ComparedRow& row : rows) {
        for (const bool front : {true, false}) {
            put(ComparisonGrid, r, 0, QString::fromStdString(row.entry), false);
            put(ComparisonGrid, r, 1, QString::fromStdString(formatFixed(row.position, 0, 3)));
            put(ComparisonGrid, r, 2, QString::fromUtf8(positionTagText(row.tag).data()), false);
            put(ComparisonGrid, r, 3, front ? "Front" : "Rear", false);
            int c = 4;
            for (const ComparedValue& v : row.values) {
                if (v.front != front) continue;
                const int decimals = decimalsOf(v.quantity);
                put(ComparisonGrid, r, c++, figure(v.a, decimals));
                put(ComparisonGrid, r, c++, figure(v.b, decimals));
                put(ComparisonGrid, r, c++, figure(v.difference(), decimals));
            }
            ++r;
        }
    }
    ComparisonGrid->resizeColumnsToContents();
}

int EventsComparisonView::tableHeight(const QTableWidget* t) {
    return t->horizontalHeader()->sizeHint().height() +
           t->verticalHeader()->defaultSectionSize() * t->rowCount() + 2 * t->frameWidth() +
           (t->horizontalScrollBar()->isVisible() ? t->horizontalScrollBar()->sizeHint().height()
                                                  : 0);
}

int EventsComparisonView::wholeHeight() const {
    const QMargins m = layout()->contentsMargins();
    const int gaps = layout()->spacing() * 2;
    return m.top() + m.bottom() + gaps + Heading->sizeHint().height() +
           (DifferingGrid->isVisibleTo(this) ? DifferingGrid->height() : 0) +
           tableHeight(ComparisonGrid) + ComparisonGrid->horizontalScrollBar()->sizeHint().height();
}

}  // namespace tarvell
