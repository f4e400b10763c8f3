// The five small setting dialogs opened from the main window: reverse arm position,
// driver angle, step angle, reference points and the graphic-position zoom.
#pragma once

#include <QDialog>

#include "Vari.h"

class QFormLayout;
class QLabel;
class QPushButton;

namespace tarvell {

class NumberField;
class TMainForm;

// Common frame: a title, fields laid out in a form, OK and Cancel.
class SettingDialog : public QDialog {
    Q_OBJECT

  public:
    SettingDialog(TMainForm& form, const QString& caption);

    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    NumberField* addField(const QString& objectName, const QString& label, bool allowMinus);
    QLabel* addNote(const QString& objectName);
    void addButtons(QPushButton* extra = nullptr);
    Model& model();

    TMainForm& form_;

  private:
    QFormLayout* fields_ = nullptr;
};

// "Reverse Arm Position": moves the reverse arm to a typed position, kept within the
// maximum travel either side of mid gear.
class TRevPos : public SettingDialog {
    Q_OBJECT
  public:
    explicit TRevPos(TMainForm& form);
    NumberField* Edit1 = nullptr;
    QLabel* Current = nullptr;
    QLabel* Limits = nullptr;
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
};

// "Driver Angle": sets the driver to a typed angle (0 to 360).
class TDrivAng : public SettingDialog {
    Q_OBJECT
  public:
    explicit TDrivAng(TMainForm& form);
    NumberField* Edit1 = nullptr;
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
};

// "Step Angle": sets a typed driver step (0.01 to 45), keeping the driver running or not.
class TStpAng : public SettingDialog {
    Q_OBJECT
  public:
    explicit TStpAng(TMainForm& form);
    NumberField* Edit1 = nullptr;
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
};

// "Reference Points": types the two reference points (pivots 19 and 20).
class TRefPnts : public SettingDialog {
    Q_OBJECT
  public:
    explicit TRefPnts(TMainForm& form);
    NumberField* Pt1Vert = nullptr;
    NumberField* Pt1Horz = nullptr;
    NumberField* Pt2Vert = nullptr;
    NumberField* Pt2Horz = nullptr;
    QPushButton* ZeroBtn = nullptr;
    void OKBtnClick();
    void ZeroBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
};

// "Set Zoom of Dimensional Graphic Position": the zoom G of the graphic-position display.
class TGraphZoom : public SettingDialog {
    Q_OBJECT
  public:
    explicit TGraphZoom(TMainForm& form);
    NumberField* Edit1 = nullptr;
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace tarvell
