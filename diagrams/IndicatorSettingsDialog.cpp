// The indicator settings dialog (see IndicatorSettingsDialog.h).
#include "IndicatorSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Fonts.h"
#include "IndicatorSettingsStore.h"
#include "NumberField.h"

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
    Note = new QLabel(
        "Absolute pressures, both in one unit of your choice; the back pressure\n"
        "below the chest pressure. While the ports are shut the steam expands\n"
        "and is compressed as p V^n = constant: n 1.0 is hyperbolic. Each\n"
        "clearance is a per cent of the volume the piston sweeps.",
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
    fill(context_.model().indicator);
}

void TIndicatorSettings::DefaultsBtnClick() {
    fill(IndicatorSettings{});
}

void TIndicatorSettings::fill(const IndicatorSettings& s) {
    putValue(ChestEdit, s.chestPressure);
    putValue(BackEdit, s.backPressure);
    putValue(IndexEdit, s.polytropicIndex);
    putValue(FrontClearEdit, s.frontClearancePct);
    putValue(RearClearEdit, s.rearClearancePct);
}

void TIndicatorSettings::OKBtnClick() {
    IndicatorSettings s;
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
    };
    for (const Read& r : reads) {
        const QString text = r.field->text().trimmed();
        bool ok = false;
        *r.value = text.toDouble(&ok);
        if (ok || !problem.isEmpty()) continue;
        problem = text.isEmpty() ? QString("the %1 is empty").arg(r.name)
                                 : QString("the %1 \"%2\" is not a number").arg(r.name, text);
    }
    if (problem.isEmpty()) problem = QString::fromStdString(indicatorSettingsProblem(s));
    if (!problem.isEmpty()) {
        context_.showErrorMessage("The indicator settings were not changed: " + problem + ".");
        return;
    }
    context_.model().indicator = s;
    saveIndicatorSettings(s);
    accept();
}

}  // namespace tarvell
