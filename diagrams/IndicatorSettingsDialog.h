// TIndicatorSettings: the dialog of the indicator diagram's settings (chest and back
// pressure, the index n and the two clearances). Settings that cannot be used are refused
// with a message naming the value and leave the model's settings as they were; usable ones
// go into the model and are kept for the next run.
#pragma once

#include <QDialog>

#include "ProgramContext.h"

class QLabel;
class QPushButton;

namespace tarvell {

class NumberField;

class TIndicatorSettings : public QDialog {
    Q_OBJECT

  public:
    TIndicatorSettings(ProgramContext& context, QWidget* parent);

    NumberField *ChestEdit = nullptr, *BackEdit = nullptr, *IndexEdit = nullptr,
                *FrontClearEdit = nullptr, *RearClearEdit = nullptr;
    QLabel* Note = nullptr;
    QPushButton *OKBtn = nullptr, *CancelBtn = nullptr, *DefaultsBtn = nullptr;

    // Fills the fields from the model's settings.
    void fillFields();
    // Stores the fields' settings and closes, or shows why they cannot be used.
    void OKBtnClick();
    // Puts the default settings in the fields (OK stores them).
    void DefaultsBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fill(const IndicatorSettings& s);

    ProgramContext& context_;
};

}  // namespace tarvell
