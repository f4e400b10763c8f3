// The sine diagram's lap table (see LapTable.h).
#include "LapTable.h"

#include "Numbers.h"

namespace tarvell {
namespace {

// The true laps and clearances: how far each valve edge overlaps its port edge with the
// valve central (positive: lapped for steam; for exhaust, positive means open).
struct TrueLaps {
    double frontLap, rearLap, frontClearance, rearClearance;
};

TrueLaps trueLaps(const CylinderDimensions& c) {
    const double h = c.ExhaustPortWidth() / 2.0;
    return {c.ValveLengthFrontHalf() - (h + c.BridgeWidthFront() + c.SteamPortWidthFront()),
            c.ValveLengthRearHalf() - (h + c.BridgeWidthRear() + c.SteamPortWidthRear()),
            c.ValveExhCavityFrontHalf() - (h + c.BridgeWidthFront()),
            c.ValveExhCavityRearHalf() - (h + c.BridgeWidthRear())};
}

}  // namespace

bool lapsStandAlone(const Model& m) {
    return m.cyl.ValveLengthRearHalf() > m.cyl.SteamPortWidthRear();
}

LapQuantities lapQuantities(const Model& m, float midTravelX) {
    const CylinderDimensions& c = m.cyl;
    const double h = c.ExhaustPortWidth() / 2.0;
    // Steam openings on pivot 4's X (X4 + ValveStem - CylCtrToDriverCtr is the valve offset):
    //   front = (h + bridge + port - ValveLengthFrontHalf - ValveStem + CylCtr) - X4
    //   rear  = X4 + (ValveStem - ValveLengthRearHalf - CylCtr + h + bridge + port)
    LapQuantities q;
    q.FrontLeadBase = toSingle(h + c.CylCtrToDriverCtr() + c.BridgeWidthFront() +
                               c.SteamPortWidthFront() - c.ValveStem() - c.ValveLengthFrontHalf());
    q.RearLeadBase =
        toSingle(static_cast<double>(c.ValveStem()) - c.ValveLengthRearHalf() -
                 c.CylCtrToDriverCtr() + h + c.BridgeWidthRear() + c.SteamPortWidthRear());
    const TrueLaps t = trueLaps(c);
    const double mid = lapsStandAlone(m) ? 0.0 : static_cast<double>(midTravelX);
    q.FrontLap = toSingle(t.frontLap + mid);
    q.FrontExhaustClearance = toSingle(t.frontClearance + mid);
    q.RearExhaustClearance = toSingle(t.rearClearance - mid);
    q.RearLap = toSingle(t.rearLap - mid);
    return q;
}

LapTableValues lapTable(const Model& m, float leastX, float greatestX) {
    const double mid = (static_cast<double>(leastX) + greatestX) / 2.0;
    const LapQuantities q = lapQuantities(m, toSingle(mid));
    LapTableValues v;
    // The front port opens as X falls and the rear as it rises: the front lead pairs with
    // the least X and the rear lead with the greatest.
    v.frontLead = toSingle(static_cast<double>(q.FrontLeadBase) - leastX);
    v.rearLead = toSingle(static_cast<double>(q.RearLeadBase) + greatestX);
    if (lapsStandAlone(m)) {
        v.frontLap = q.FrontLap;
        v.frontExhaustClearance = q.FrontExhaustClearance;
        v.rearExhaustClearance = q.RearExhaustClearance;
        v.rearLap = q.RearLap;
    } else {
        const float m2 = toSingle(mid);
        v.frontLap = toSingle(static_cast<double>(q.FrontLap) - m2);
        v.frontExhaustClearance = toSingle(static_cast<double>(q.FrontExhaustClearance) - m2);
        v.rearExhaustClearance = toSingle(static_cast<double>(m2) + q.RearExhaustClearance);
        v.rearLap = toSingle(static_cast<double>(m2) + q.RearLap);
    }
    return v;
}

}  // namespace tarvell
