// The indicator settings dialog (see IndicatorSettingsDialog.h).
#include "IndicatorSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Fonts.h"
#include "IndicatorSettingsStore.h"
#include "NumberField.h"
#include "ThrottledCard.h"

namespace tarvell {
namespace {

void putValue(NumberField* field, double v) {
    field->setText(QString::number(v, 'g', 6));
}

}  // namespace

TIndicatorSettings::TIndicatorSettings(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("TIndicatorSettings");
    setWindowTitle("Indicator Settings");
    setFont(dialogFont());
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    auto field = [this, fields](const char* name, const QString& label) {
        auto* f = new NumberField(this, false);
        f->setObjectName(name);
        f->setMaximumWidth(90);
        fields->addRow(label, f);
        connect(f, &NumberField::enterPressed, this, [this] { OKBtn->click(); });
        return f;
    };
    ChestEdit = field("ChestEdit", "Chest pressure");
    BackEdit = field("BackEdit", "Back pressure");
    IndexEdit = field("IndexEdit", "Index n (1.0 to 1.4)");
    FrontClearEdit = field("FrontClearEdit", "Front clearance %");
    RearClearEdit = field("RearClearEdit", "Rear clearance %");
    SpeedEdit = field("SpeedEdit", "Speed, rpm (0: idealised only)");
    PortLengthEdit = field("PortLengthEdit", "Port length across the valve");
    LengthUnitBox = new QComboBox(this);
    LengthUnitBox->setObjectName("LengthUnitBox");
    for (LengthUnit u : {LengthUnit::Inch, LengthUnit::Millimetre})
        LengthUnitBox->addItem(QString::fromUtf8(lengthUnitName(u)), static_cast<int>(u));
    fields->addRow("Unit of the design's lengths", LengthUnitBox);
    PressureUnitBox = new QComboBox(this);
    PressureUnitBox->setObjectName("PressureUnitBox");
    for (PressureUnit u : {PressureUnit::Psi, PressureUnit::Bar, PressureUnit::Kilopascal})
        PressureUnitBox->addItem(QString::fromUtf8(pressureUnitName(u)), static_cast<int>(u));
    fields->addRow("Unit of the pressures", PressureUnitBox);
    ValveLiftsBox = new QCheckBox("The valve lifts off its face above chest pressure", this);
    ValveLiftsBox->setObjectName("ValveLiftsBox");
    fields->addRow(ValveLiftsBox);
    Note = new QLabel(
        "Absolute pressures, both in one unit of your choice; the back pressure\n"
        "below the chest pressure. While the ports are shut the steam expands\n"
        "and is compressed as p V^n = constant: n 1.0 is hyperbolic. Each\n"
        "clearance is a per cent of the volume the piston sweeps.\n"
        "At a speed above 0 the indicator diagram also draws the card at that\n"
        "speed: steam flows through each port opening times the port length,\n"
        "so narrow openings throttle it; the units make the areas and times real.",
        this);
    Note->setObjectName("Note");
    layout->addWidget(Note);

    auto* box = new QDialogButtonBox(this);
    OKBtn = box->addButton("OK", QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = box->addButton("Cancel", QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName("CancelBtn");
    DefaultsBtn = box->addButton("&Defaults", QDialogButtonBox::ResetRole);
    DefaultsBtn->setObjectName("DefaultsBtn");
    layout->addWidget(box);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(DefaultsBtn, &QPushButton::clicked, this, [this] { DefaultsBtnClick(); });
}

void TIndicatorSettings::showEvent(QShowEvent* event) {
    fillFields();
    ChestEdit->selectAll();
    ChestEdit->setFocus();
    QDialog::showEvent(event);
}

void TIndicatorSettings::fillFields() {
    fill(context_.model().indicator, loadCardSpeed());
}

void TIndicatorSettings::DefaultsBtnClick() {
    fill(IndicatorSettings{}, 0);
}

void TIndicatorSettings::fill(const IndicatorSettings& s, double speedRpm) {
    putValue(SpeedEdit, speedRpm);
    putValue(PortLengthEdit, s.portLength);
    LengthUnitBox->setCurrentIndex(LengthUnitBox->findData(static_cast<int>(s.lengthUnit)));
    PressureUnitBox->setCurrentIndex(PressureUnitBox->findData(static_cast<int>(s.pressureUnit)));
    ValveLiftsBox->setChecked(s.valveLifts);
    putValue(ChestEdit, s.chestPressure);
    putValue(BackEdit, s.backPressure);
    putValue(IndexEdit, s.polytropicIndex);
    putValue(FrontClearEdit, s.frontClearancePct);
    putValue(RearClearEdit, s.rearClearancePct);
}

void TIndicatorSettings::OKBtnClick() {
    IndicatorSettings s;
    double speed = 0;
    QString problem;
    struct Read {
        const char* name;
        NumberField* field;
        double* value;
    };
    const Read reads[] = {
        {"chest pressure", ChestEdit, &s.chestPressure},
        {"back pressure", BackEdit, &s.backPressure},
        {"index n", IndexEdit, &s.polytropicIndex},
        {"front clearance", FrontClearEdit, &s.frontClearancePct},
        {"rear clearance", RearClearEdit, &s.rearClearancePct},
        {"speed", SpeedEdit, &speed},
        {"port length", PortLengthEdit, &s.portLength},
    };
    for (const Read& r : reads) {
        const QString text = r.field->text().trimmed();
        bool ok = false;
        *r.value = text.toDouble(&ok);
        if (ok || !problem.isEmpty()) continue;
        problem = text.isEmpty() ? QString("the %1 is empty").arg(r.name)
                                 : QString("the %1 \"%2\" is not a number").arg(r.name, text);
    }
    s.lengthUnit = static_cast<LengthUnit>(LengthUnitBox->currentData().toInt());
    s.pressureUnit = static_cast<PressureUnit>(PressureUnitBox->currentData().toInt());
    s.valveLifts = ValveLiftsBox->isChecked();
    if (problem.isEmpty()) problem = QString::fromStdString(indicatorSettingsProblem(s));
    if (problem.isEmpty() && speed != 0 && !(speed >= kLeastCardSpeed && speed <= kMostCardSpeed))
        problem = QString("the speed %1 rpm is neither 0 nor from 0.001 to 100000")
                      .arg(QString::number(speed, 'g', 6));
    if (!problem.isEmpty()) {
        context_.showErrorMessage("The indicator settings were not changed: " + problem + ".");
        return;
    }
    context_.model().indicator = s;
    saveIndicatorSettings(s);
    saveCardSpeed(speed);
    accept();
}

}  // namespace tarvell
