// The valve events against a scan of the turn every hundredth of a degree (ReferenceScan):
// the same statuses, each event where the scan sees its edge change, per cents of the stroke
// for the event's own angle and greatest openings within the valve-rod search's ripple; over
// the reverse arm's travel, running either way, for the default set and for odd geometries (a
// kinked motion and near-lapped ports among them).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "Calc.h"
#include "FastEventsCheck.h"
#include "ReferenceValveEvents.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

struct Geometry {
    const char* name;
    std::function<void(Model&)> change;
};

}  // namespace

TEST(FastValveEvents, AgreeWithAScanEveryHundredthOfADegree) {
    const Geometry geometries[] = {
        {"default", [](Model&) {}},
        {"unequal laps",
         [](Model& m) {
             m.cyl.ValveLengthFrontHalf() += 0.06f;
             m.cyl.ValveLengthRearHalf() -= 0.04f;
         }},
        {"unequal bridges",
         [](Model& m) {
             m.cyl.BridgeWidthFront() *= 1.4f;
             m.cyl.BridgeWidthRear() *= 0.7f;
         }},
        {"exhaust laps",
         [](Model& m) {
             m.cyl.ValveExhCavityFrontHalf() -= 0.08f;
             m.cyl.ValveExhCavityRearHalf() -= 0.05f;
         }},
        {"long valve rod", [](Model& m) { m.frame.ValveRodTotalLen = 9.9f; }},
        // Lead of a thousandth or less at mid gear: runs a few degrees wide.
        {"nearly lapped",
         [](Model& m) {
             m.cyl.ValveLengthFrontHalf() += 0.02f;
             m.cyl.ValveLengthRearHalf() += 0.0205f;
         }},
        // The lifting link's guard clamps over part of the turn: a corner in the motion.
        {"lifting arm reversed",
         [](Model& m) { m.frame.LiftingArmLength = -m.frame.LiftingArmLength; }},
    };
    for (const Geometry& g : geometries) {
        Model m = startedModel();
        g.change(m);
        updateValveStemLine(m);
        CalcMidGear(m);
        const float centre = m.ReverseArmCentre(), reach = m.frame.RevArmToCentMax;
        for (int k = 0; k <= 8; ++k) {
            const float position = centre - reach + 2.0f * reach * static_cast<float>(k) / 8.0f;
            const test::ReferenceScan scan(m, position, 0.01);
            for (const bool ownWay : {true, false}) {
                SCOPED_TRACE(std::string(g.name) + " at " + std::to_string(position) +
                             (ownWay ? "" : " run the other way"));
                // The other way round from the position's own side, as the port diagram asks.
                const bool forward = position < centre;
                const PositionEvents fast =
                    ownWay ? valveEvents(m, position) : valveEventsRunning(m, position, forward);
                test::expectEventsAgree(m, fast, scan,
                                        ownWay ? std::nullopt : std::optional(forward));
            }
        }
    }
}
