// The die's place in the link and the die slip over a turn (see DieSlip.h).
#include "DieSlip.h"

#include <cmath>

#include "RootFinding.h"

namespace tarvell {
namespace {

constexpr int kScanStepDegrees = 5;
constexpr double kAngleTolerance = 0.001;  // degrees

}  // namespace

double diePlaceInLink(const LinkageSolution& s, double linkRadius) {
    const Pivot& centre = s.pivots[Pivot::LinkArcCentre];
    const Pivot& trunnion = s.pivots[Pivot::LinkTrunnion];
    const Pivot& die = s.pivots[Pivot::DieBlock];
    const Pivot& liftingArm = s.pivots[Pivot::LiftingArmEnd];
    const double tx = static_cast<double>(trunnion.x) - centre.x;
    const double ty = static_cast<double>(trunnion.y) - centre.y;
    const double dx = static_cast<double>(die.x) - centre.x;
    const double dy = static_cast<double>(die.y) - centre.y;
    const double angle = std::atan2(tx * dy - ty * dx, tx * dx + ty * dy);
    // Which way round the lifting arm's side lies from the trunnion, seen from the centre.
    const double lx = static_cast<double>(liftingArm.x) - centre.x;
    const double ly = static_cast<double>(liftingArm.y) - centre.y;
    const double side = tx * ly - ty * lx < 0 ? -1.0 : 1.0;
    return side * std::fabs(linkRadius) * angle;
}

DieSlip dieSlip(const Model& m, float position) {
    LinkageSolver solver(m);
    const double radius = m.frame.LinkRadius;
    DieSlip out;
    out.position = position;
    SearchPoint low, high;
    for (int a = 0; a < 360; a += kScanStepDegrees) {
        const LinkageSolution s = solver.solve(a, position);
        if (s.failed) continue;
        const double place = diePlaceInLink(s, radius);
        if (!std::isfinite(place)) continue;
        if (!out.found || place < low.value) low = {static_cast<double>(a), place};
        if (!out.found || place > high.value) high = {static_cast<double>(a), place};
        out.found = true;
    }
    if (out.found) {
        // A failed solve inside the refinement counts as no better than the scan's best.
        auto refine = [&](const SearchPoint& best, double sign) {
            auto f = [&](double angle) {
                const LinkageSolution s = solver.solve(angle, position);
                const double place = s.failed ? NAN : diePlaceInLink(s, radius);
                return std::isfinite(place) ? sign * place : sign * best.value;
            };
            const SearchPoint r = goldenSectionMaximum(f, best.x - kScanStepDegrees,
                                                       best.x + kScanStepDegrees, kAngleTolerance);
            return r.value > sign * best.value ? SearchPoint{r.x, sign * r.value} : best;
        };
        high = refine(high, 1.0);
        low = refine(low, -1.0);
        out.greatest = high.value;
        out.least = low.value;
        out.greatestAngle = wrapDegrees(high.x);
        out.leastAngle = wrapDegrees(low.x);
    }
    out.solves = solver.solves();
    out.failedSolves = solver.findings().failedSolves;
    out.errorRaised = solver.findings().errorRaised;
    return out;
}

}  // namespace tarvell
