// The indicator settings kept between runs (see IndicatorSettingsStore.h).
#include "IndicatorSettingsStore.h"

#include <QSettings>

#include "ThrottledCard.h"

namespace tarvell {
namespace {

struct Key {
    const char* name;
    double IndicatorSettings::*value;
};

constexpr Key kKeys[] = {
    {"indicator/chestPressure", &IndicatorSettings::chestPressure},
    {"indicator/backPressure", &IndicatorSettings::backPressure},
    {"indicator/polytropicIndex", &IndicatorSettings::polytropicIndex},
    {"indicator/frontClearancePct", &IndicatorSettings::frontClearancePct},
    {"indicator/rearClearancePct", &IndicatorSettings::rearClearancePct},
    {"indicator/portLength", &IndicatorSettings::portLength},
};

constexpr const char* kLengthUnitKey = "indicator/lengthUnit";
constexpr const char* kPressureUnitKey = "indicator/pressureUnit";
constexpr const char* kValveLiftsKey = "indicator/valveLifts";
constexpr const char* kSpeedKey = "indicator/speedRpm";

}  // namespace

IndicatorSettings loadIndicatorSettings() {
    const QSettings store;
    IndicatorSettings s;
    for (const Key& k : kKeys) {
        bool ok = false;
        const double v = store.value(k.name).toDouble(&ok);
        if (ok) s.*k.value = v;
    }
    // The units by their names, so that a kept one never stands for another.
    const QString length = store.value(kLengthUnitKey).toString();
    for (LengthUnit u : {LengthUnit::Inch, LengthUnit::Millimetre})
        if (length == QString::fromUtf8(lengthUnitName(u))) s.lengthUnit = u;
    const QString pressure = store.value(kPressureUnitKey).toString();
    for (PressureUnit u : {PressureUnit::Psi, PressureUnit::Bar, PressureUnit::Kilopascal})
        if (pressure == QString::fromUtf8(pressureUnitName(u))) s.pressureUnit = u;
    s.valveLifts = store.value(kValveLiftsKey, true).toBool();
    return indicatorSettingsProblem(s).empty() ? s : IndicatorSettings{};
}

void saveIndicatorSettings(const IndicatorSettings& s) {
    QSettings store;
    for (const Key& k : kKeys) store.setValue(k.name, s.*k.value);
    store.setValue(kLengthUnitKey, QString::fromUtf8(lengthUnitName(s.lengthUnit)));
    store.setValue(kPressureUnitKey, QString::fromUtf8(pressureUnitName(s.pressureUnit)));
    store.setValue(kValveLiftsKey, s.valveLifts);
}

double loadCardSpeed() {
    bool ok = false;
    const double v = QSettings().value(kSpeedKey).toDouble(&ok);
    return ok && v >= kLeastCardSpeed && v <= kMostCardSpeed ? v : 0.0;
}

void saveCardSpeed(double rpm) {
    QSettings().setValue(kSpeedKey, rpm);
}

}  // namespace tarvell
