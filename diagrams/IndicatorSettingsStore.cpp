// The indicator settings kept between runs (see IndicatorSettingsStore.h).
#include "IndicatorSettingsStore.h"

#include <QSettings>

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
};

}  // namespace

IndicatorSettings loadIndicatorSettings() {
    const QSettings store;
    IndicatorSettings s;
    for (const Key& k : kKeys) {
        bool ok = false;
        const double v = store.value(k.name).toDouble(&ok);
        if (ok) s.*k.value = v;
    }
    return indicatorSettingsProblem(s).empty() ? s : IndicatorSettings{};
}

void saveIndicatorSettings(const IndicatorSettings& s) {
    QSettings store;
    for (const Key& k : kKeys) store.setValue(k.name, s.*k.value);
}

}  // namespace tarvell
