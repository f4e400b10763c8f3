// The lap table the sine diagram shows for a mid-gear curve: each port's lead (its greatest
// steam opening over the curve's samples), steam lap and exhaust clearance. The table is
// written in two column forms chosen by the valve's shape; the lap quantities below are
// defined so that both forms show the true values.
#pragma once

#include "Vari.h"

namespace tarvell {

struct LapQuantities {
    // The front port's steam opening is FrontLeadBase less pivot 4's X, so its greatest
    // opening (its lead at mid gear) is FrontLeadBase less the least X; the rear port's is
    // RearLeadBase plus pivot 4's X, greatest at the greatest X.
    float FrontLeadBase = 0;
    float RearLeadBase = 0;
    // Steam laps and exhaust clearances, in the terms of the table's column form: as they
    // stand when lapsStandAlone(), otherwise offset by the valve's mid travel so that the
    // form's "- m" and "m +" give the true values back.
    float FrontLap = 0, RearLap = 0;
    float FrontExhaustClearance = 0, RearExhaustClearance = 0;
};

// Which column form the table uses: the valve's rear half longer than the rear steam port.
bool lapsStandAlone(const Model& m);

// The lap quantities of the current cylinder dimensions; `midTravelX` is the mean of the
// least and greatest pivot-4 X over the mid-gear samples (used by the second form only).
LapQuantities lapQuantities(const Model& m, float midTravelX);

// The six values of the table, top to bottom: front lead, front lap, front exhaust
// clearance, rear exhaust clearance, rear lap, rear lead.
struct LapTableValues {
    float frontLead = 0, frontLap = 0, frontExhaustClearance = 0;
    float rearExhaustClearance = 0, rearLap = 0, rearLead = 0;
};

// The table from the least and greatest pivot-4 X of a mid-gear curve, through its column
// forms.
LapTableValues lapTable(const Model& m, float leastX, float greatestX);

}  // namespace tarvell
