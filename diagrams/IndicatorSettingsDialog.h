// TIndicatorSettings: the dialog of the indicator diagram's settings (chest and back
// pressure, the index n and the two clearances; for the card at speed the driver speed, the
// ports' length across the valve face, the units and whether the valve lifts). Settings that cannot
// be used are refused with a message naming the value and leave the model's settings as they were;
// usable ones go into the model and are kept for the next run.
#pragma once

#include <QDialog>

#include "ProgramContext.h"

class QCheckBox;
class QComboBox;
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
    NumberField *SpeedEdit = nullptr, *PortLengthEdit = nullptr;
    QComboBox *LengthUnitBox = nullptr, *PressureUnitBox = nullptr;
    QCheckBox* ValveLiftsBox = nullptr;
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
    void fill(const IndicatorSettings& s, double speedRpm);

    ProgramContext& context_;
};

}  // namespace tarvell
