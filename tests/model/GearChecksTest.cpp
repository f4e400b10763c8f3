// The design checks: the default gear against what its events, notches and cards say; a
// valve lapped so that one port never opens at mid gear; a cylinder with almost no clearance;
// a linkage the solver cannot close.
#include <gtest/gtest.h>

#include "GearChecks.h"
#include "Notch.h"
#include "PortAreas.h"
#include "TestModel.h"
#include "ValveEventsTable.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

const GearCheck& check(const std::vector<GearCheck>& checks, GearCheckKind kind) {
    return checks[static_cast<std::size_t>(kind)];
}

}  // namespace

TEST(GearChecks, TheDefaultGear) {
    const Model m = startedModel();
    const std::vector<GearCheck> checks = gearChecks(m);
    ASSERT_EQ(checks.size(), 6u);
    EXPECT_FALSE(allPassed(checks));
    const std::array<float, 4> named = namedPositions(m, 1);

    const GearCheck& lead = check(checks, GearCheckKind::NegativeLead);
    EXPECT_TRUE(lead.passed) << lead.detail;
    EXPECT_GT(lead.amount, 0.01);
    EXPECT_LE(lead.amount, valveEvents(m, named[3]).rear.lead);  // one of the places it looked

    const GearCheck& opens = check(checks, GearCheckKind::PortNeverOpens);
    EXPECT_TRUE(opens.passed);
    EXPECT_NEAR(opens.amount, 0.0209, 0.0002);  // the mid-gear lead, as the lap table gives it

    // Full forward gear runs the valve 0.682 toward the front, leaving 0.131 of the exhaust
    // port against a steam port of 0.25.
    const GearCheck& exhaust = check(checks, GearCheckKind::ExhaustPassage);
    EXPECT_FALSE(exhaust.passed);
    EXPECT_NEAR(exhaust.amount, 0.131 - 0.25, 0.001);
    EXPECT_NE(exhaust.where.find("front end, max fwd"), std::string::npos) << exhaust.where;

    // At 25 % forward the rear end cuts off about 4 % later than the front.
    const GearCheck& cutOff = check(checks, GearCheckKind::CutOffDifference);
    const NotchPosition notch = findNotch(m, {25, true});
    EXPECT_FALSE(cutOff.passed);
    EXPECT_NEAR(cutOff.amount, notch.events.front.cutOff.value - notch.events.rear.cutOff.value,
                0.05);
    EXPECT_NE(cutOff.where.find("25 % fwd"), std::string::npos);
    GearCheckOptions lenient;
    lenient.cutOffTolerance = 5;
    EXPECT_TRUE(check(gearChecks(m, lenient), GearCheckKind::CutOffDifference).passed);

    EXPECT_TRUE(check(checks, GearCheckKind::TrappedPressure).passed);
    EXPECT_TRUE(check(checks, GearCheckKind::SolverFailures).passed);
}

TEST(GearChecks, APortLappedShutAtMidGear) {
    // The rear half of the valve 0.05 longer laps its port 0.05 more: the mid-gear opening of
    // 0.0209 becomes a lap of 0.0291, and every rear lead falls by 0.05.
    const Model before = startedModel();
    Model m = before;
    setDimensionValue(m, 118, 1.05f);
    const std::vector<GearCheck> checks = gearChecks(m);
    const GearCheck& opens = check(checks, GearCheckKind::PortNeverOpens);
    EXPECT_FALSE(opens.passed);
    EXPECT_NE(opens.where.find("rear end"), std::string::npos);
    EXPECT_NEAR(opens.amount, midGearSummary(before).rearLead - 0.05, 2e-4);
    const GearCheck& lead = check(checks, GearCheckKind::NegativeLead);
    EXPECT_FALSE(lead.passed);
    EXPECT_NE(lead.where.find("rear end"), std::string::npos);
    EXPECT_NEAR(lead.amount, check(gearChecks(before), GearCheckKind::NegativeLead).amount - 0.05,
                0.01);
}

TEST(GearChecks, TrappedSteamAboveChestPressure) {
    Model m = startedModel();
    m.indicator.frontClearancePct = m.indicator.rearClearancePct = 1;
    const GearCheck trapped = check(gearChecks(m), GearCheckKind::TrappedPressure);
    EXPECT_FALSE(trapped.passed);
    EXPECT_GT(trapped.amount, 0.5 * m.indicator.chestPressure);
    EXPECT_EQ(trapped.unit, "psi");
}

TEST(GearChecks, ALinkageTheSolverCannotClose) {
    Model m = startedModel();
    m.frame.MainRodLength = 1.0f;  // shorter than the crank
    const GearCheck solver = check(gearChecks(m), GearCheckKind::SolverFailures);
    EXPECT_FALSE(solver.passed);
    EXPECT_NE(solver.detail.find("could not close"), std::string::npos);
}
