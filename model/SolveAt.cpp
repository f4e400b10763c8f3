// An analysis's solves, counted (see SolveAt.h; the solve itself is in Calc.cpp).
#include "SolveAt.h"

namespace tarvell {

LinkageSolution LinkageSolver::solve(double driverAngle, float reverseArmPosition) {
    LinkageSolution s = solveLinkageAt(m_, driverAngle, reverseArmPosition, deadCentres_);
    ++solves_;
    findings_ += {s.failed ? 1 : 0, s.errorRaised};
    return s;
}

float LinkageSolver::pistonTravelAt(double driverAngle) {
    return tarvell::pistonTravelAt(m_, driverAngle, deadCentres_, &findings_.errorRaised);
}

void LinkageSolver::pistonTravelsOverTurn(bool forward, std::span<float> travels) {
    tarvell::pistonTravelsOverTurn(m_, forward, travels, deadCentres_, &findings_.errorRaised);
}

}  // namespace tarvell
