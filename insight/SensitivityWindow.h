// TSensitivity: which dimension matters. A table of every dimension that moves the valve or
// the piston, sorted by how much it moves the chosen event's front-minus-rear difference at
// the chosen position (normal forward or reverse), with a bar in each row; each figure is the
// change per unit of the dimension (per degree for the rocking angle) once mid gear is worked
// out again. The rows picked can be taken into Balance as the dimensions it varies.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "ProgramContext.h"
#include "Sensitivity.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvell {

class TSensitivity : public QDialog {
    Q_OBJECT

  public:
    explicit TSensitivity(ProgramContext& context);

    QComboBox *QuantityChoice = nullptr, *PositionChoice = nullptr;
    QTableWidget* SensitivityGrid = nullptr;
    QPushButton *BalanceSelected = nullptr, *CloseButton = nullptr;
    QLabel* Footnote = nullptr;

    // Shows the window modally, as the main window's commands do.
    void showModal();
    // Works the table out again from the model and fills the window.
    void FormActivate();
    // Fills the rows again for the chosen quantity and position.
    void fillRows();
    void BalanceSelectedClick();

    const SensitivityTable& table() const { return table_; }
    // The dimension codes in the order the rows show them.
    const std::vector<int>& rowCodes() const { return rowCodes_; }

  signals:
    // The user asked for Balance with these dimensions in Vary (one to four codes).
    void balanceRequested(const std::vector<int>& codes);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ProgramContext& context_;
    std::optional<RotationPause> pause_;  // while the window is shown
    SensitivityTable table_;
    std::vector<int> rowCodes_;
};

}  // namespace tarvell
