// Valve events: the forward side, events at the default set's positions, the statuses of
// events that do not occur, and the mid-gear summary. The reference figures come from the
// report tool's openings at 0.1-degree steps, interpolated linearly between rows.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::solveAt;
using tarvell::test::startedModel;

namespace {

constexpr double kAngleTol = 0.03;    // degrees: 0.01 refinement against a 0.1 step
constexpr double kPercentTol = 0.03;  // per cent of stroke
constexpr double kOpeningTol = 1e-4;  // the valve-rod search leaves a ripple this size

float frontSteamAt(Model& m, double angle) {
    solveAt(m, static_cast<float>(angle));
    return m.openings.FrontSteamOpening;
}

float openingAt(Model& m, double angle, float Openings::*edge) {
    solveAt(m, static_cast<float>(angle));
    return m.openings.*edge;
}

}  // namespace

TEST(ValveEvents, ForwardSideOfTheDefaultSet) {
    Model m = startedModel();
    EXPECT_GT(m.frame.LiftingArmLength, 0.0f);
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    solveAt(m, 0);
    EXPECT_EQ(m.orientationSign, 1);  // the link arc centre lies ahead of the trunnion
    EXPECT_TRUE(isForwardPositive(m));
    EXPECT_EQ(positionTag(m, m.ReverseArmCentre()), PositionTag::Cen);
    EXPECT_EQ(positionTag(m, m.reverseArmPositions[2]), PositionTag::Fwd);
    EXPECT_EQ(positionTag(m, m.reverseArmPositions[3]), PositionTag::Rev);
    // Close to the centre but not equal to it is not mid gear.
    EXPECT_EQ(positionTag(m, std::nextafter(m.ReverseArmCentre(), 100.0f)), PositionTag::Fwd);
    EXPECT_EQ(positionTagText(PositionTag::Cen), "Cen");
    EXPECT_EQ(positionTagText(PositionTag::Fwd), "Fwd");
    EXPECT_EQ(positionTagText(PositionTag::Rev), "Rev");
}

TEST(ValveEvents, ForwardSideFollowsBothOrientationFactors) {
    Model m = startedModel();
    const float above = m.ReverseArmCentre() + 1;
    struct Case {
        float arm;
        int sign;
        bool forwardPositive;
    };
    for (const Case c : {Case{2.0f, 1, true}, Case{-2.0f, -1, true}, Case{2.0f, -1, false},
                         Case{-2.0f, 1, false}, Case{0.0f, 1, false}, Case{0.0f, -1, false}}) {
        m.frame.LiftingArmLength = c.arm;
        m.orientationSign = c.sign;
        EXPECT_EQ(isForwardPositive(m), c.forwardPositive) << c.arm << " " << c.sign;
        EXPECT_EQ(positionTag(m, above), c.forwardPositive ? PositionTag::Fwd : PositionTag::Rev);
    }
}

TEST(ValveEvents, NormalForwardOfTheDefaultSet) {
    Model m = startedModel();
    const PositionEvents e = valveEvents(m, m.reverseArmPositions[2]);
    EXPECT_EQ(e.tag, PositionTag::Fwd);
    EXPECT_TRUE(e.forward);
    EXPECT_EQ(e.failedSolves, 0);

    const EndEvents& f = e.front;
    ASSERT_TRUE(f.admission.occurs() && f.cutOff.occurs() && f.release.occurs() &&
                f.compression.occurs());
    // Front steam opens at 357.902 and closes at 114.316 (piston 72.881 %); the front exhaust
    // opens at 143.520 (91.178 %) and closes at 336.730 (95.503 % of the return stroke).
    EXPECT_NEAR(f.admission.value, 2.098, kAngleTol);
    EXPECT_NEAR(f.admission.driverAngle, 357.902, kAngleTol);
    EXPECT_NEAR(f.cutOff.driverAngle, 114.316, kAngleTol);
    EXPECT_NEAR(f.cutOff.value, 72.881, kPercentTol);
    EXPECT_NEAR(f.release.value, 91.178, kPercentTol);
    EXPECT_NEAR(f.compression.value, 95.503, kPercentTol);
    EXPECT_NEAR(f.lead, 0.0200968, 1e-6);  // the opening at angle 0 itself
    EXPECT_NEAR(f.maxSteamOpening, 0.278123, kOpeningTol);
    EXPECT_NEAR(f.maxExhaustOpening, 0.506534, kOpeningTol);

    const EndEvents& r = e.rear;
    ASSERT_TRUE(r.admission.occurs() && r.cutOff.occurs() && r.release.occurs() &&
                r.compression.occurs());
    // Rear steam opens at 176.062 and closes at 314.905 (83.913 % of the rear stroke); the
    // rear exhaust opens at 336.722 (95.499 %) and closes at 143.535 (91.185 % of the return).
    EXPECT_NEAR(r.admission.value, 3.938, kAngleTol);
    EXPECT_NEAR(r.cutOff.driverAngle, 314.905, kAngleTol);
    EXPECT_NEAR(r.cutOff.value, 83.913, kPercentTol);
    EXPECT_NEAR(r.release.value, 95.499, kPercentTol);
    EXPECT_NEAR(r.compression.value, 91.185, kPercentTol);
    EXPECT_NEAR(r.lead, 0.0230551, 1e-6);
    EXPECT_NEAR(r.maxSteamOpening, 0.287734, kOpeningTol);

    // What a designer expects of a normal working position.
    for (const EndEvents* end : {&f, &r}) {
        EXPECT_GT(end->cutOff.value, 60.0f);
        EXPECT_LT(end->cutOff.value, 90.0f);
        EXPECT_GT(end->lead, 0.01f);
        EXPECT_LT(end->lead, 0.03f);
        EXPECT_GT(end->admission.value, 0.0f);
        EXPECT_LT(end->admission.value, 6.0f);
        EXPECT_GT(end->release.value, end->cutOff.value);
        EXPECT_LT(end->release.value, 100.0f);
        EXPECT_GT(end->compression.value, 80.0f);
        EXPECT_LT(end->compression.value, 100.0f);
    }
}

TEST(ValveEvents, EachFoundAngleIsAZeroCrossing) {
    Model m = startedModel();
    m.gear.ReverseArmPosition = m.reverseArmPositions[2];
    const PositionEvents e = valveEvents(m, m.reverseArmPositions[2]);
    struct Check {
        const ValveEvent& event;
        float Openings::*edge;
    };
    for (const Check c : {Check{e.front.admission, &Openings::FrontSteamOpening},
                          Check{e.front.cutOff, &Openings::FrontSteamOpening},
                          Check{e.front.release, &Openings::FrontExhaustOpening},
                          Check{e.front.compression, &Openings::FrontExhaustOpening},
                          Check{e.rear.admission, &Openings::RearSteamOpening},
                          Check{e.rear.cutOff, &Openings::RearSteamOpening},
                          Check{e.rear.release, &Openings::RearExhaustOpening},
                          Check{e.rear.compression, &Openings::RearExhaustOpening}}) {
        ASSERT_TRUE(c.event.occurs());
        const double a = c.event.driverAngle;
        const float before = openingAt(m, a - 0.02, c.edge);
        const float after = openingAt(m, a + 0.02, c.edge);
        EXPECT_NE(before > 0, after > 0) << "at " << a;
    }
    // Running forward, the steam is taken before the dead centre and cut off after it.
    EXPECT_GT(frontSteamAt(m, e.front.admission.driverAngle + 0.02), 0.0f);
    EXPECT_LE(frontSteamAt(m, e.front.cutOff.driverAngle + 0.02), 0.0f);
}

TEST(ValveEvents, RestoresTheGearState) {
    Model m = startedModel();
    m.gear.DriverAngle = 123.25f;
    m.gear.ReverseArmPosition = 10.125f;
    const float centre = m.ReverseArmCentre();
    valveEvents(m, m.reverseArmPositions[3]);
    EXPECT_EQ(m.gear.DriverAngle, 123.25f);
    EXPECT_EQ(m.gear.ReverseArmPosition, 10.125f);
    EXPECT_EQ(m.ReverseArmCentre(), centre);
    EXPECT_EQ(m.solver.SolveStatus, 'Z');
    midGearSummary(m);
    EXPECT_EQ(m.gear.DriverAngle, 123.25f);
    EXPECT_EQ(m.gear.ReverseArmPosition, 10.125f);
}

TEST(ValveEvents, NormalReverseRunsBackward) {
    Model m = startedModel();
    const PositionEvents e = valveEvents(m, m.reverseArmPositions[3]);
    EXPECT_EQ(e.tag, PositionTag::Rev);
    EXPECT_FALSE(e.forward);
    // With the angle decreasing the front steam opens at 2.590 (just after 0 on the dial),
    // closes at 253.334 (66.874 %); the exhaust opens at 219.654 (89.619 %) and closes at
    // 29.999 (92.613 % of the return stroke). The rear takes steam at 183.543 and cuts off
    // at 58.320 (74.260 % of its stroke).
    EXPECT_NEAR(e.front.admission.driverAngle, 2.590, kAngleTol);
    EXPECT_NEAR(e.front.admission.value, 2.590, kAngleTol);
    EXPECT_NEAR(e.front.cutOff.driverAngle, 253.334, kAngleTol);
    EXPECT_NEAR(e.front.cutOff.value, 66.874, kPercentTol);
    EXPECT_NEAR(e.front.release.value, 89.619, kPercentTol);
    EXPECT_NEAR(e.front.compression.value, 92.613, kPercentTol);
    EXPECT_NEAR(e.front.lead, 0.0184946, 1e-6);
    EXPECT_NEAR(e.rear.admission.value, 3.543, kAngleTol);
    EXPECT_NEAR(e.rear.cutOff.value, 74.260, kPercentTol);
    EXPECT_NEAR(e.rear.lead, 0.0184164, 1e-6);
    EXPECT_NEAR(e.front.maxSteamOpening, 0.201116, kOpeningTol);
}

TEST(ValveEvents, MidGearRunsForwardWithEarlyCutOff) {
    Model m = startedModel();
    const PositionEvents e = valveEvents(m, m.ReverseArmCentre());
    EXPECT_EQ(e.tag, PositionTag::Cen);
    EXPECT_TRUE(e.forward);
    // Front steam from 344.157 to 27.011 (6.023 %); rear from 155.247 to 209.822 (5.940 %).
    EXPECT_NEAR(e.front.admission.value, 15.843, kAngleTol);
    EXPECT_NEAR(e.front.cutOff.value, 6.023, kPercentTol);
    EXPECT_NEAR(e.rear.admission.value, 24.753, kAngleTol);
    EXPECT_NEAR(e.rear.cutOff.value, 5.940, kPercentTol);
    EXPECT_NEAR(e.front.release.value, 49.828, kPercentTol);
    EXPECT_NEAR(e.front.compression.value, 56.360, kPercentTol);
}

TEST(ValveEvents, PortThatNeverTakesSteam) {
    Model m = startedModel();
    const PositionEvents before = valveEvents(m, m.reverseArmPositions[2]);
    // A front half of 2 laps the front port by 1.21875, more than the valve's half travel.
    m.cyl.ValveLengthFrontHalf() = 2.0f;
    const PositionEvents e = valveEvents(m, m.reverseArmPositions[2]);
    EXPECT_EQ(e.front.admission.status, EventStatus::NeverOpens);
    EXPECT_EQ(e.front.cutOff.status, EventStatus::NeverOpens);
    EXPECT_LT(e.front.maxSteamOpening, 0.0f);
    // The opening at dead centre is still the front steam opening: 0.0200968 - 1.
    EXPECT_NEAR(e.front.lead, 0.0200968 - 1.0, 1e-5);
    // The exhaust edges and the rear end do not depend on the front half.
    EXPECT_TRUE(e.front.release.occurs());
    EXPECT_FLOAT_EQ(e.rear.cutOff.value, before.rear.cutOff.value);
    EXPECT_FLOAT_EQ(e.rear.admission.value, before.rear.admission.value);
}

TEST(ValveEvents, PortOpenThroughTheTurnOrADeadCentre) {
    Model m = startedModel();
    const float fwd = m.reverseArmPositions[2];
    // A front half of 0.2 leaves the front port open by 0.58125 - V, and V stays within 0.51.
    m.cyl.ValveLengthFrontHalf() = 0.2f;
    PositionEvents e = valveEvents(m, fwd);
    EXPECT_EQ(e.front.admission.status, EventStatus::AlwaysOpen);
    EXPECT_EQ(e.front.cutOff.status, EventStatus::AlwaysOpen);
    EXPECT_NEAR(e.front.maxSteamOpening, 0.58125 + 0.496873, 1e-4);

    // A front half of 0.5 keeps the port open while V < 0.28125: it opens at 307.79 and
    // closes only at 187.05, after the piston has reached the rear dead centre.
    m.cyl.ValveLengthFrontHalf() = 0.5f;
    e = valveEvents(m, fwd);
    EXPECT_EQ(e.front.cutOff.status, EventStatus::OpenThroughDeadCentre);
    ASSERT_TRUE(e.front.admission.occurs());
    EXPECT_NEAR(e.front.admission.value, 360 - 307.79, kAngleTol);

    // A front cavity of 0.23125 only exhausts while V > 0.3: from 190.55, after the stroke
    // has ended, to 305.52 (77.219 % of the return stroke).
    m = startedModel();
    m.cyl.ValveExhCavityFrontHalf() = 0.23125f;
    e = valveEvents(m, fwd);
    EXPECT_EQ(e.front.release.status, EventStatus::OutsideStroke);
    ASSERT_TRUE(e.front.compression.occurs());
    EXPECT_NEAR(e.front.compression.value, 77.219, kPercentTol);
    EXPECT_FALSE(eventStatusText(EventStatus::OutsideStroke).empty());
}

TEST(ValveEvents, MidGearSummaryOfTheDefaultSet) {
    Model m = startedModel();
    const MidGearSummary s = midGearSummary(m);
    // Lap: 1 - (0.28125 + 0.25 + 0.25); exhaust clearance: 0.5313 - (0.28125 + 0.25).
    EXPECT_FLOAT_EQ(s.frontLap, 0.21875f);
    EXPECT_FLOAT_EQ(s.rearLap, 0.21875f);
    EXPECT_NEAR(s.frontExhaustClearance, 0.00005, 1e-6);
    EXPECT_NEAR(s.rearExhaustClearance, 0.00005, 1e-6);
    // Sampled every 0.1 degree the greatest openings are 0.0209055 and 0.0208845 and pivot
    // 4 travels 0.4792901.
    EXPECT_NEAR(s.frontLead, 0.0209055, kOpeningTol);
    EXPECT_NEAR(s.rearLead, 0.0208845, kOpeningTol);
    EXPECT_NEAR(s.valveTravel, 0.4792901, kOpeningTol);
    // The valve's travel is lap and lead either way.
    EXPECT_NEAR(s.valveTravel, s.frontLap + s.frontLead + s.rearLap + s.rearLead, 1e-5);

    m.cyl.ValveExhCavityRearHalf() = 0.4f;  // an exhaust lap of 0.13125
    EXPECT_NEAR(midGearSummary(m).rearExhaustClearance, -0.13125, 1e-6);
}

TEST(ValveEvents, WildInputsEndWithSaneStatuses) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> scale(-3.0f, 3.0f);
    const float special[] = {0.0f, 1e-30f, -1e30f, FLT_MAX, -FLT_MAX, NAN, INFINITY};
    for (int trial = 0; trial < 60; ++trial) {
        Model m = startedModel();
        for (const auto& d : allDimensions())
            if (rng() % 4 == 0)
                dimensionRef(m, d) =
                    trial % 3 == 0 ? special[rng() % 5] : dimensionValue(m, d) * scale(rng);
        updateValveStemLine(m);
        CalcMidGear(m);
        const float position = trial % 5 == 0 ? special[rng() % 7] : m.reverseArmPositions[2];
        const PositionEvents e = valveEvents(m, position);
        for (const EndEvents* end : {&e.front, &e.rear})
            for (const ValveEvent* v :
                 {&end->admission, &end->cutOff, &end->release, &end->compression}) {
                if (!v->occurs()) continue;
                EXPECT_TRUE(std::isfinite(v->value));
                EXPECT_GE(v->driverAngle, 0.0f);
                EXPECT_LT(v->driverAngle, 360.0f);
            }
        EXPECT_EQ(m.gear.ReverseArmPosition, m.ReverseArmCentre());
    }
}

TEST(ValveEvents, APortOpensNoWiderThanItself) {
    // A valve that uncovers 0.451 of a 0.25 port opens the whole port and runs 0.201 past it.
    const PortOpening wide = portOpening(0.451f, 0.25f);
    EXPECT_EQ(wide.open, 0.25f);
    EXPECT_NEAR(wide.overTravel, 0.201f, 1e-6);
    const PortOpening part = portOpening(0.2f, 0.25f);
    EXPECT_EQ(part.open, 0.2f);
    EXPECT_EQ(part.overTravel, 0.0f);
    const PortOpening shut = portOpening(-0.05f, 0.25f);  // lapped all turn
    EXPECT_EQ(shut.open, -0.05f);
    EXPECT_EQ(shut.overTravel, 0.0f);
}
