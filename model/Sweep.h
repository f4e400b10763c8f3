// Sweeping the driver through the solver: one turn as the pivot data table and the report
// tool take it (from 0 in steps of `step`, accumulated in single precision, while the
// angle is not above 360), and the keeper that puts the gear back after any sweep.
#pragma once

#include "Vari.h"

namespace tarvell {

// Puts DriverAngle and ReverseArmPosition back when it goes out of scope.
class GearStateKeeper {
  public:
    explicit GearStateKeeper(Model& m)
        : m_(m), angle_(m.gear.DriverAngle), position_(m.gear.ReverseArmPosition) {}
    ~GearStateKeeper() {
        m_.gear.DriverAngle = angle_;
        m_.gear.ReverseArmPosition = position_;
    }
    GearStateKeeper(const GearStateKeeper&) = delete;
    GearStateKeeper& operator=(const GearStateKeeper&) = delete;

  private:
    Model& m_;
    float angle_, position_;
};

// Calls visit(model) after setting DriverAngle for each angle of the turn; DriverAngle is
// left at the first angle above 360. Steps below 0.01 are taken as 0.01 so the turn ends.
template <class Visit>
void sweepDriverTurn(Model& m, float step, Visit&& visit) {
    if (!(step >= 0.01f)) step = 0.01f;
    m.gear.DriverAngle = 0;
    while (!(m.gear.DriverAngle > 360.0f)) {
        visit(m);
        m.gear.DriverAngle = m.gear.DriverAngle + step;
    }
}

}  // namespace tarvell
