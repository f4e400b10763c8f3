// Where the indicator diagram's settings are kept between runs: the desktop's settings store
// of the program (QSettings), group "indicator/", never the data file.
#pragma once

#include "IndicatorSettings.h"

namespace tarvell {

// The kept settings; a value never kept takes its default, and kept values that cannot be
// used together (see indicatorSettingsProblem) give the defaults throughout.
IndicatorSettings loadIndicatorSettings();

// Keeps the settings for the next run.
void saveIndicatorSettings(const IndicatorSettings& settings);

// The driver speed the indicator window draws the cards at speed for, revolutions per minute:
// 0 (the default, and what a kept speed out of kLeastCardSpeed - kMostCardSpeed gives) draws
// the idealised cards alone.
double loadCardSpeed();
void saveCardSpeed(double rpm);

}  // namespace tarvell
