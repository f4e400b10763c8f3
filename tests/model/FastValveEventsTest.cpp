// The valve events against the scan of every whole degree they stand in for (kept as
// ReferenceValveEvents): the same statuses, angles and per cents, and greatest openings within
// the valve-rod search's ripple, over the reverse arm's whole travel, running either way, for
// the default set and for odd geometries (a kinked motion and near-lapped ports among them).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "ReferenceValveEvents.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

// Both bisect to 0.01 degree; the extra allows for rounding to single precision.
constexpr double kAngleTol = 0.012;
// The piston moves at most 320 (1 + r/L) of its 640 travel per radian, about 1.1 % of its
// stroke per degree with the default rods, so 0.012 degree is worth 0.014 %.
constexpr double kPercentTol = 0.014;

void expectSame(const ValveEvent& fast, const ValveEvent& slow, double valueTol,
                const std::string& what) {
    ASSERT_EQ(fast.status, slow.status) << what;
    if (!fast.occurs()) return;
    const double apart = std::fabs(fast.driverAngle - slow.driverAngle);
    EXPECT_LE(std::fmin(apart, 360 - apart), kAngleTol) << what;
    EXPECT_NEAR(fast.value, slow.value, valueTol) << what;
}

void expectSame(const EndEvents& fast, const EndEvents& slow, double ripple,
                const std::string& end) {
    expectSame(fast.admission, slow.admission, kAngleTol, end + " admission");
    expectSame(fast.cutOff, slow.cutOff, kPercentTol, end + " cut-off");
    expectSame(fast.release, slow.release, kPercentTol, end + " release");
    expectSame(fast.compression, slow.compression, kPercentTol, end + " compression");
    EXPECT_EQ(fast.lead, slow.lead) << end;  // the opening at the dead centre, solved alike
    // The scan's golden search stops on the ripple somewhere short of a crest.
    EXPECT_NEAR(fast.maxSteamOpening, slow.maxSteamOpening, ripple) << end;
    EXPECT_NEAR(fast.maxExhaustOpening, slow.maxExhaustOpening, ripple) << end;
}

struct Geometry {
    const char* name;
    std::function<void(Model&)> change;
};

}  // namespace

TEST(FastValveEvents, AgreeWithTheScanOfEveryDegree) {
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
        const double ripple = ValveRodSearchResolution(m);
        const float centre = m.ReverseArmCentre(), reach = m.frame.RevArmToCentMax;
        for (int k = 0; k <= 40; ++k) {
            const float position = centre - reach + 2.0f * reach * static_cast<float>(k) / 40.0f;
            for (const bool ownWay : {true, false}) {
                SCOPED_TRACE(std::string(g.name) + " at " + std::to_string(position) +
                             (ownWay ? "" : " run the other way"));
                // The other way round from the position's own side, as the port diagram asks.
                const bool forward = position < centre;
                const PositionEvents fast =
                    ownWay ? valveEvents(m, position) : valveEventsRunning(m, position, forward);
                const PositionEvents slow =
                    ownWay ? test::referenceValveEvents(m, position)
                           : test::referenceValveEventsRunning(m, position, forward);
                EXPECT_EQ(fast.tag, slow.tag);
                EXPECT_EQ(fast.forward, slow.forward);
                expectSame(fast.front, slow.front, ripple, "front");
                expectSame(fast.rear, slow.rear, ripple, "rear");
                EXPECT_NEAR(fast.valveTravel, slow.valveTravel, 2 * ripple);
                EXPECT_EQ(fast.failedSolves > 0, slow.failedSolves > 0);
                EXPECT_EQ(fast.errorRaised, slow.errorRaised);
            }
        }
    }
}
