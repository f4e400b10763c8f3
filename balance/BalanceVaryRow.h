// One row of the Balance dialog's Vary box: a dimension chosen from those a search may
// change, its present value, and the range it may take, shown and typed either as its two
// ends or as plus or minus a distance from the present value.
#pragma once

#include <QObject>
#include <optional>

#include "BalanceRequest.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace tarvell {

class NumberField;

class BalanceVaryRow : public QObject {
    Q_OBJECT

  public:
    // Adds the row's controls to `grid` at `row`, named with `number` (1-4).
    BalanceVaryRow(QWidget* parent, QGridLayout* grid, int row, int number);

    // Chooses `code` (0 for none) with the default range about its value in `m`; a code the
    // search refuses leaves the row empty.
    void choose(int code, const Model& m);
    int code() const;
    // Shows or hides the row's controls (the dialog shows the rows in use and one more).
    void setShown(bool shown);
    // The dimension and its range, or nothing for an empty row.
    std::optional<BalanceVariable> variable() const;

    QComboBox* Code = nullptr;
    QLabel* Present = nullptr;
    NumberField *Lower = nullptr, *Upper = nullptr, *Delta = nullptr;
    QLabel *To = nullptr, *PlusMinus = nullptr;

  signals:
    // The user chose another dimension (or none) in the row.
    void chosen();

  private:
    void codeChosen();
    void lowerOrUpperTyped();
    void deltaTyped();
    void showRange();

    const Model* model_ = nullptr;
    BalanceVariable variable_;
    float present_ = 0;
    bool typed_ = false;  // a key went into a range field since it was last filled
};

}  // namespace tarvell
