// The Sensitivity window (see SensitivityWindow.h).
#include "SensitivityWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Fonts.h"
#include "ModalDialog.h"
#include "ReadOnlyTable.h"
#include "WindowPlacement.h"

namespace tarvell {
namespace {

const QString kTitleText = "Tarvell Outside Admission      Sensitivity    ";

enum Column { CodeColumn, NameColumn, FrontColumn, RearColumn, DifferenceColumn, BarColumn };
constexpr int kColumns = 6;
constexpr int kBarRole = Qt::UserRole + 1;  // the bar's length, 0 to 1, and its sign
const QColor kBarPlus(40, 110, 190);
const QColor kBarMinus(200, 90, 40);

// Draws a row's bar: its length the share of the largest effect, blue where the difference
// grows with the dimension and orange where it falls.
class BarDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const double share = index.data(kBarRole).toDouble();
        if (!std::isfinite(share) || share == 0) return;
        const QRect r = option.rect.adjusted(3, 4, -3, -4);
        const int width = static_cast<int>(std::lround(std::fabs(share) * r.width()));
        painter->fillRect(QRect(r.left(), r.top(), std::max(1, width), r.height()),
                          share > 0 ? kBarPlus : kBarMinus);
    }
};

QString figure(double v) {
    return std::isfinite(v) ? QString::number(v, 'f', 3) : QString("-");
}

}  // namespace

TSensitivity::TSensitivity(ProgramContext& context) : QDialog(nullptr), context_(context) {
    setObjectName("TSensitivity");
    setModal(true);
    setFont(dialogFont(11));

    QuantityChoice = new QComboBox(this);
    QuantityChoice->setObjectName("QuantityChoice");
    QuantityChoice->addItems({"Cut-off", "Lead", "Release", "Compression"});
    PositionChoice = new QComboBox(this);
    PositionChoice->setObjectName("PositionChoice");
    PositionChoice->addItems({"Normal fwd", "Normal rev"});

    SensitivityGrid = new QTableWidget(this);
    SensitivityGrid->setObjectName("SensitivityGrid");
    SensitivityGrid->setColumnCount(kColumns);
    SensitivityGrid->setHorizontalHeaderLabels(
        {"Code", "Dimension", "Front", "Rear", "F - R", "Effect on F - R"});
    SensitivityGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SensitivityGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    SensitivityGrid->setSelectionMode(QAbstractItemView::MultiSelection);
    SensitivityGrid->setWordWrap(false);
    SensitivityGrid->verticalHeader()->hide();
    SensitivityGrid->verticalHeader()->setDefaultSectionSize(
        SensitivityGrid->fontMetrics().height() + 6);
    SensitivityGrid->horizontalHeader()->setStretchLastSection(true);
    SensitivityGrid->setItemDelegateForColumn(BarColumn, new BarDelegate(SensitivityGrid));

    BalanceSelected = new QPushButton("&Balance with selected...", this);
    BalanceSelected->setObjectName("BalanceSelected");
    BalanceSelected->setToolTip("Open Balance with the selected dimensions (up to four) to vary");
    CloseButton = new QPushButton("&Close", this);
    CloseButton->setObjectName("CloseButton");

    Footnote = new QLabel(this);
    Footnote->setObjectName("Footnote");
    Footnote->setWordWrap(true);
    Footnote->setText(
        "Change of the event per unit of the dimension (per degree for Link Rock Arm Angle) "
        "with mid gear worked out again, as closing Frame Dimensions does: cut-off, release "
        "and compression in per cent of the stroke, lead in length. Sorted by the effect on "
        "front less rear; a blue bar: front less rear grows with the dimension, orange: it "
        "falls. Select rows and Balance with selected to vary them.");

    auto* choices = new QHBoxLayout;
    auto* quantityLabel = new QLabel("&Event", this);
    quantityLabel->setBuddy(QuantityChoice);
    auto* positionLabel = new QLabel("&At", this);
    positionLabel->setBuddy(PositionChoice);
    choices->addWidget(quantityLabel);
    choices->addWidget(QuantityChoice);
    choices->addSpacing(12);
    choices->addWidget(positionLabel);
    choices->addWidget(PositionChoice);
    choices->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BalanceSelected);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(SensitivityGrid, 1);
    layout->addWidget(Footnote);
    layout->addLayout(buttons);
    resize(620, 560);

    connect(QuantityChoice, &QComboBox::currentIndexChanged, this, [this] { fillRows(); });
    connect(PositionChoice, &QComboBox::currentIndexChanged, this, [this] { fillRows(); });
    connect(BalanceSelected, &QPushButton::clicked, this, [this] { BalanceSelectedClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(this, &QDialog::finished, this, [this] {
        rememberWindowPlace(this, objectName());
        pause_.reset();
    });
    context.registerTitledWindow(this, kTitleText);
}

void TSensitivity::showModal() {
    execModal(*this, context_.mainWindow());
}

void TSensitivity::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!pause_) pause_.emplace(context_);
    setWindowTitle(context_.titleFor(kTitleText));
    FormActivate();
    placeWindow(this, context_.mainWindow(), objectName());
}

void TSensitivity::FormActivate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    table_ = sensitivityTable(context_.model(), normalBalancePositions());
    QApplication::restoreOverrideCursor();
    fillRows();
}

void TSensitivity::fillRows() {
    const auto quantity =
        kEventQuantities[static_cast<std::size_t>(std::max(0, QuantityChoice->currentIndex()))];
    const std::size_t position =
        static_cast<std::size_t>(std::max(0, PositionChoice->currentIndex()));
    std::vector<const SensitivityRow*> rows;
    for (const SensitivityRow& r : table_.rows)
        if (r.quantity == quantity && r.position == position) rows.push_back(&r);
    // Largest effect first; a difference that cannot be had goes last.
    auto effect = [](const SensitivityRow* r) {
        return std::isfinite(r->difference) ? std::fabs(r->difference) : -1.0;
    };
    std::stable_sort(
        rows.begin(), rows.end(),
        [&](const SensitivityRow* a, const SensitivityRow* b) { return effect(a) > effect(b); });
    const double largest = rows.empty() ? 0.0 : std::max(0.0, effect(rows.front()));

    SensitivityGrid->clearSelection();
    SensitivityGrid->setRowCount(static_cast<int>(rows.size()));
    rowCodes_.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SensitivityRow& r = *rows[i];
        const DimensionInfo* d = findDimension(r.code);
        const int row = static_cast<int>(i);
        rowCodes_.push_back(r.code);
        SensitivityGrid->setItem(row, CodeColumn,
                                 readOnlyCell(QString::number(r.code), Qt::AlignRight));
        SensitivityGrid->setItem(
            row, NameColumn,
            readOnlyCell(
                d ? QString::fromUtf8(d->caption.data(), static_cast<qsizetype>(d->caption.size()))
                  : QString(),
                Qt::AlignLeft));
        SensitivityGrid->setItem(row, FrontColumn, readOnlyCell(figure(r.front), Qt::AlignRight));
        SensitivityGrid->setItem(row, RearColumn, readOnlyCell(figure(r.rear), Qt::AlignRight));
        SensitivityGrid->setItem(row, DifferenceColumn,
                                 readOnlyCell(figure(r.difference), Qt::AlignRight));
        auto* bar = readOnlyCell(QString(), Qt::AlignLeft);
        const double share =
            largest > 0 && std::isfinite(r.difference) ? r.difference / largest : 0;
        bar->setData(kBarRole, share);
        SensitivityGrid->setItem(row, BarColumn, bar);
    }
    SensitivityGrid->resizeColumnsToContents();
    SensitivityGrid->setColumnWidth(BarColumn,
                                    std::max(160, SensitivityGrid->columnWidth(BarColumn)));
}

void TSensitivity::BalanceSelectedClick() {
    std::vector<int> codes;
    for (const QModelIndex& index : SensitivityGrid->selectionModel()->selectedRows()) {
        const auto row = static_cast<std::size_t>(index.row());
        if (row < rowCodes_.size() && codes.size() < kMaxBalanceVariables)
            codes.push_back(rowCodes_[row]);
    }
    // With nothing selected, the two that move the difference most.
    if (codes.empty())
        for (std::size_t i = 0; i < 2 && i < rowCodes_.size(); ++i) codes.push_back(rowCodes_[i]);
    emit balanceRequested(codes);
}

}  // namespace tarvell
