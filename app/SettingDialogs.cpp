// The five small setting dialogs (see SettingDialogs.h).
#include "SettingDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "Fonts.h"
#include "MainForm.h"
#include "NumberField.h"
#include "Numbers.h"
#include "StepTable.h"

namespace tarvell {

SettingDialog::SettingDialog(TMainForm& form, const QString& caption)
    : QDialog(nullptr), form_(form) {
    setWindowTitle(caption);
    setFont(dialogFont());
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    fields_ = new QFormLayout;
    layout->addLayout(fields_);
}

Model& SettingDialog::model() {
    return form_.model();
}

NumberField* SettingDialog::addField(const QString& objectName, const QString& label,
                                     bool allowMinus) {
    auto* field = new NumberField(this, allowMinus);
    field->setObjectName(objectName);
    field->setMaximumWidth(90);
    fields_->addRow(label, field);
    connect(field, &NumberField::enterPressed, this, [this] { OKBtn->click(); });
    return field;
}

QLabel* SettingDialog::addNote(const QString& objectName) {
    auto* note = new QLabel(this);
    note->setObjectName(objectName);
    fields_->addRow(note);
    return note;
}

void SettingDialog::addButtons(QPushButton* extra) {
    auto* box = new QDialogButtonBox(this);
    OKBtn = box->addButton("OK", QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = box->addButton("Cancel", QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName("CancelBtn");
    if (extra) box->addButton(extra, QDialogButtonBox::ResetRole);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    static_cast<QVBoxLayout*>(layout())->addWidget(box);
}

// --- Reverse arm position ---

TRevPos::TRevPos(TMainForm& form) : SettingDialog(form, "Reverse Arm Position") {
    setObjectName("TRevPos");
    Current = addNote("Current");
    Limits = addNote("Limits");
    Edit1 = addField("Edit1", "Reverse arm position", true);
    addButtons();
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

void TRevPos::showEvent(QShowEvent* event) {
    const Model& m = model();
    const float c = m.ReverseArmCentre();
    const float mx = m.frame.RevArmToCentMax, n = m.frame.RevArmToCentNorm;
    auto f = [](double v) { return QString::fromStdString(formatFixed(v, 7, 3)); };
    Current->setText("Current position " + f(m.gear.ReverseArmPosition));
    Limits->setText("Centre " + f(c) + "\nNormal  " + f(c - n) + " to " + f(c + n) + "\nMaximum " +
                    f(c - mx) + " to " + f(c + mx));
    Edit1->setValue(m.gear.ReverseArmPosition);
    Edit1->selectAll();
    Edit1->setFocus();
    SettingDialog::showEvent(event);
}

void TRevPos::OKBtnClick() {
    Model& m = model();
    const double c = m.ReverseArmCentre();
    const double mx = m.frame.RevArmToCentMax;
    const double p =
        std::clamp(static_cast<double>(Edit1->value()), c - std::fabs(mx), c + std::fabs(mx));
    form_.moveReverseArm(reverseArmBarPosition(m, p));
    accept();
}

// --- Driver angle ---

TDrivAng::TDrivAng(TMainForm& form) : SettingDialog(form, "Driver Angle") {
    setObjectName("TDrivAng");
    Edit1 = addField("Edit1", "Driver angle (0 to 360 degrees)", false);
    addButtons();
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

void TDrivAng::showEvent(QShowEvent* event) {
    Edit1->setValue(model().gear.DriverAngle, 2);
    Edit1->selectAll();
    Edit1->setFocus();
    SettingDialog::showEvent(event);
}

void TDrivAng::OKBtnClick() {
    const float angle = std::clamp(Edit1->value(), 0.0f, 360.0f);
    TMainForm& form = form_;
    form.SBDrvAng->setValue(roundToInt(100.0 * angle));  // rounds the angle to 0.01 degree
    model().gear.DriverAngle = static_cast<float>(form.SBDrvAng->value()) / 100.0f;
    form.Deg00->setEnabled(true);
    form.Deg180->setEnabled(true);
    accept();
}

// --- Step angle ---

TStpAng::TStpAng(TMainForm& form) : SettingDialog(form, "Step Angle") {
    setObjectName("TStpAng");
    Edit1 = addField("Edit1", "Step angle (0.01 to 45 degrees)", false);
    addButtons();
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

void TStpAng::showEvent(QShowEvent* event) {
    Edit1->setValue(model().gear.StepAngle, 2);
    Edit1->selectAll();
    Edit1->setFocus();
    SettingDialog::showEvent(event);
}

void TStpAng::OKBtnClick() {
    Model& m = model();
    TMainForm& form = form_;
    const float step = std::clamp(Edit1->value(), 0.01f, 45.0f);
    m.gear.StepAngle = step;
    if (form.running()) m.gear.ActiveStep = step;
    form.SBDrvAng->setSingleStep(std::max(1, roundToInt(100.0 * step)));
    form.SBDrvAng->setPageStep(std::max(1, roundToInt(500.0 * step)));
    // Show the step on the step scroll bar without letting its band replace the typed value.
    // When the bar already stands in the step's band it does not move, so its handler is run
    // here: with the flag set it only updates the step buttons.
    const int position = stepBandFor(step).first;
    form.stepSetByDialog = true;
    if (position != form.SBStepAng->value())
        form.SBStepAng->setValue(position);
    else
        form.SBStepAngChange();
    accept();
}

// --- Reference points ---

TRefPnts::TRefPnts(TMainForm& form) : SettingDialog(form, "Reference Points") {
    setObjectName("TRefPnts");
    Pt1Vert = addField("Pt1Vert", "Point 1 vertical", true);
    Pt1Horz = addField("Pt1Horz", "Point 1 horizontal", true);
    Pt2Vert = addField("Pt2Vert", "Point 2 vertical", true);
    Pt2Horz = addField("Pt2Horz", "Point 2 horizontal", true);
    ZeroBtn = new QPushButton("Zero", this);
    ZeroBtn->setObjectName("ZeroBtn");
    addButtons(ZeroBtn);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(ZeroBtn, &QPushButton::clicked, this, [this] { ZeroBtnClick(); });
}

void TRefPnts::showEvent(QShowEvent* event) {
    const PivotSet& p = model().pivots;
    Pt1Vert->setValue(p[19].y);
    Pt1Horz->setValue(p[19].x);
    Pt2Vert->setValue(p[20].y);
    Pt2Horz->setValue(p[20].x);
    Pt1Vert->setFocus();
    SettingDialog::showEvent(event);
}

void TRefPnts::ZeroBtnClick() {
    for (NumberField* f : {Pt1Vert, Pt1Horz, Pt2Vert, Pt2Horz}) f->setValue(0.0f);
}

void TRefPnts::OKBtnClick() {
    PivotSet& p = model().pivots;
    p[19].y = Pt1Vert->value();
    p[19].x = Pt1Horz->value();
    p[20].y = Pt2Vert->value();
    p[20].x = Pt2Horz->value();
    accept();
}

// --- Graphic-position zoom ---

TGraphZoom::TGraphZoom(TMainForm& form)
    : SettingDialog(form, "Set Zoom of Dimensional Graphic Position") {
    setObjectName("TGraphZoom");
    Edit1 = addField("Edit1", "Zoom (0.5 to 2000; normal 7.5)", false);
    addButtons();
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

void TGraphZoom::showEvent(QShowEvent* event) {
    Edit1->setValue(model().view.graphicZoom, 3);
    Edit1->selectAll();
    Edit1->setFocus();
    SettingDialog::showEvent(event);
}

void TGraphZoom::OKBtnClick() {
    model().view.graphicZoom = std::clamp(Edit1->value(), 0.5f, 2000.0f);
    accept();
}

}  // namespace tarvell
