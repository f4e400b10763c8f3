// One row of the Balance dialog's Vary box (see BalanceVaryRow.h).
#include "BalanceVaryRow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <vector>

#include "Data.h"
#include "NumberField.h"

namespace tarvell {
namespace {

constexpr int kRangeDecimals = 4;

QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

NumberField* rangeField(QWidget* parent, const QString& name) {
    auto* field = new NumberField(parent, true);
    field->setObjectName(name);
    field->setMaximumWidth(70);
    field->setAlignment(Qt::AlignRight);
    return field;
}

}  // namespace

BalanceVaryRow::BalanceVaryRow(QWidget* parent, QGridLayout* grid, int row, int number)
    : QObject(parent) {
    Code = new QComboBox(parent);
    Code->setObjectName(QString("VaryCode%1").arg(number));
    // In the order of the codes, so typing a code finds it.
    std::vector<const DimensionInfo*> offered;
    for (const DimensionInfo& d : allDimensions())
        if (varyCodeRefusal(d.code).empty()) offered.push_back(&d);
    std::sort(offered.begin(), offered.end(),
              [](const DimensionInfo* a, const DimensionInfo* b) { return a->code < b->code; });
    Code->addItem("(none)", 0);
    for (const DimensionInfo* d : offered)
        Code->addItem(QString("%1  %2").arg(d->code).arg(qtext(d->caption)), d->code);
    Code->setMaxVisibleItems(20);
    Present = new QLabel(parent);
    Present->setObjectName(QString("VaryPresent%1").arg(number));
    Present->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Present->setMinimumWidth(60);
    Lower = rangeField(parent, QString("VaryLower%1").arg(number));
    Upper = rangeField(parent, QString("VaryUpper%1").arg(number));
    Delta = rangeField(parent, QString("VaryDelta%1").arg(number));
    grid->addWidget(Code, row, 0);
    grid->addWidget(Present, row, 1);
    grid->addWidget(Lower, row, 2);
    To = new QLabel("to", parent);
    PlusMinus = new QLabel("\u00b1", parent);
    grid->addWidget(To, row, 3);
    grid->addWidget(Upper, row, 4);
    grid->addWidget(PlusMinus, row, 5);
    grid->addWidget(Delta, row, 6);

    connect(Code, &QComboBox::activated, this, [this] {
        codeChosen();
        emit chosen();
    });
    for (NumberField* field : {Lower, Upper, Delta})
        connect(field, &QLineEdit::textEdited, this, [this] { typed_ = true; });
    for (NumberField* field : {Lower, Upper}) {
        connect(field, &QLineEdit::editingFinished, this, [this] { lowerOrUpperTyped(); });
        connect(field, &NumberField::enterPressed, this, [this] { lowerOrUpperTyped(); });
    }
    connect(Delta, &QLineEdit::editingFinished, this, [this] { deltaTyped(); });
    connect(Delta, &NumberField::enterPressed, this, [this] { deltaTyped(); });
    codeChosen();
}

void BalanceVaryRow::choose(int code, const Model& m) {
    model_ = &m;
    const int index = varyCodeRefusal(code).empty() ? Code->findData(code) : 0;
    Code->setCurrentIndex(index < 0 ? 0 : index);
    codeChosen();
}

void BalanceVaryRow::setShown(bool shown) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{Code, Present, Lower, To, Upper, PlusMinus, Delta})
        w->setVisible(shown);
}

int BalanceVaryRow::code() const {
    return Code->currentData().toInt();
}

std::optional<BalanceVariable> BalanceVaryRow::variable() const {
    if (code() == 0) return std::nullopt;
    return variable_;
}

void BalanceVaryRow::codeChosen() {
    const int c = code();
    const bool chosen = c != 0 && model_;
    present_ = chosen ? dimensionValue(*model_, c) : 0.0f;
    variable_ = chosen ? defaultBalanceVariable(c, present_) : BalanceVariable{};
    for (QWidget* w : {static_cast<QWidget*>(Present), static_cast<QWidget*>(Lower),
                       static_cast<QWidget*>(Upper), static_cast<QWidget*>(Delta)})
        w->setEnabled(chosen);
    showRange();
}

void BalanceVaryRow::lowerOrUpperTyped() {
    if (!typed_ || code() == 0) return;
    variable_.lower = Lower->value();
    variable_.upper = Upper->value();
    showRange();
}

void BalanceVaryRow::deltaTyped() {
    if (!typed_ || code() == 0) return;
    const double delta = std::fabs(static_cast<double>(Delta->value()));
    variable_.lower = present_ - delta;
    variable_.upper = present_ + delta;
    showRange();
}

// The ends as they are held, and the distance either way when the range is even about the
// present value (blank when it is not).
void BalanceVaryRow::showRange() {
    typed_ = false;
    if (code() == 0) {
        Present->clear();
        for (NumberField* field : {Lower, Upper, Delta}) field->clear();
        return;
    }
    const DimensionInfo* d = findDimension(code());
    Present->setText(QString::number(static_cast<double>(present_), 'f', d ? d->decimals : 3));
    Lower->setText(QString::number(variable_.lower, 'f', kRangeDecimals));
    Upper->setText(QString::number(variable_.upper, 'f', kRangeDecimals));
    const double below = present_ - variable_.lower, above = variable_.upper - present_;
    const bool even = std::fabs(below - above) <= 1e-6 * std::max(1.0, std::fabs(above));
    Delta->setText(even ? QString::number(above, 'f', kRangeDecimals) : QString());
    for (NumberField* field : {Lower, Upper, Delta}) field->setCursorPosition(0);
}

}  // namespace tarvell
