// Notches by cut-off: the position found gives the mean cut-off asked for, on the side and
// running the way the notch says; a cut-off the gear cannot reach is refused with its range;
// the table lists every notch either way with the events of its own position.
#include <gtest/gtest.h>

#include <random>

#include "Notch.h"
#include "Numbers.h"
#include "PortEventCurves.h"
#include "TestModel.h"
#include "ValveEventsTable.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

double meanAt(const Model& m, float position, bool forward) {
    const PositionEvents e = valveEventsRunning(m, position, forward);
    return 0.5 *
           (static_cast<double>(cutOffPercent(e.front.cutOff)) + cutOffPercent(e.rear.cutOff));
}

// The notch's position gives its cut-off, and a step either side of it lies either side of
// the cut-off: the root is where the mean cut-off passes through it.
void expectNotchAt(const Model& m, const NotchPosition& n) {
    SCOPED_TRACE(notchName(n.notch));
    ASSERT_TRUE(n.found) << n.reason;
    LinkageSolver solver(m);
    EXPECT_EQ(positionTag(m, n.position, midGearOrientation(solver)),
              n.notch.forward ? PositionTag::Fwd : PositionTag::Rev);
    EXPECT_EQ(n.events.forward, n.notch.forward);
    EXPECT_EQ(n.events.position, n.position);
    // The events place their crossings to 0.01 degree, a hundredth of a per cent or so of the
    // stroke: the notch is met as closely.
    EXPECT_NEAR(meanAt(m, n.position, n.notch.forward), n.notch.cutOff, 0.02);
    EXPECT_NEAR(n.meanCutOff, n.notch.cutOff, 0.02);
    // Toward mid gear the cut-off is shorter, away from it longer.
    const float centre = m.ReverseArmCentre();
    const float out = n.position > centre ? 0.005f : -0.005f;
    EXPECT_LT(meanAt(m, n.position - out, n.notch.forward), n.notch.cutOff);
    EXPECT_GT(meanAt(m, n.position + out, n.notch.forward), n.notch.cutOff);
}

}  // namespace

TEST(Notch, NamesReadAsADriverSaysThem) {
    EXPECT_EQ(notchName({25, true}), "25 % fwd");
    EXPECT_EQ(notchName({12.5, false}), "12.5 % rev");
    EXPECT_EQ(notchName({40.25, true}), "40.25 % fwd");
}

TEST(Notch, FindsTheRunningNotchEitherWay) {
    const Model m = startedModel();
    for (bool forward : {true, false}) {
        const NotchPosition n = findNotch(m, {25, forward});
        expectNotchAt(m, n);
        // Well inside the travel: the normal positions give over 70 %.
        EXPECT_LT(std::fabs(n.distance), m.frame.RevArmToCentNorm);
        EXPECT_GT(n.eventSets, 2);
        EXPECT_LT(n.eventSets, 20);
    }
}

TEST(Notch, TheForwardSideFollowsTheGear) {
    // The lifting arm turned the other way puts forward on the other side of mid gear.
    std::mt19937 rng(7);
    const Model m = test::randomDesign(rng, 0.02, true);
    LinkageSolver solver(m);
    ASSERT_FALSE(isForwardPositive(m, midGearOrientation(solver)));
    // Whatever this design's range forward, a notch half way along it.
    const NotchPosition range = findNotch(m, {200, true});
    ASSERT_FALSE(range.found);
    const double cutOff = 0.5 * (range.midGearCutOff + range.maximumCutOff);
    const NotchPosition n = findNotch(m, {cutOff, true});
    expectNotchAt(m, n);
    EXPECT_LT(n.position, m.ReverseArmCentre());
}

TEST(Notch, RefusesWhatTheGearCannotReachAndNamesTheRange) {
    const Model m = startedModel();
    const float centre = m.ReverseArmCentre(), max = m.frame.RevArmToCentMax;
    const double midGear = meanAt(m, centre, true);
    const double full = meanAt(m, centre + max, true);
    for (double cutOff : {full + 1, midGear - 1, 100.0}) {
        const NotchPosition n = findNotch(m, {cutOff, true});
        EXPECT_FALSE(n.found);
        EXPECT_NEAR(n.midGearCutOff, midGear, 1e-9);
        EXPECT_NEAR(n.maximumCutOff, full, 1e-9);
        EXPECT_NE(n.reason.find("from " + formatFixed(midGear, 0, 2) + " % at mid gear to " +
                                formatFixed(full, 0, 2) + " % at its maximum travel"),
                  std::string::npos)
            << n.reason;
        EXPECT_EQ(n.reason.find(notchName({cutOff, true})), 0u) << n.reason;
    }
    EXPECT_FALSE(findNotch(m, {NAN, false}).found);
}

TEST(Notch, TheTableListsEveryCutOffForwardThenReverse) {
    const Model m = startedModel();
    const NotchTable table = buildNotchTable(m);
    ASSERT_EQ(table.rows.size(), 2 * kDefaultNotchCutOffs.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const NotchPosition& row = table.rows[i];
        EXPECT_EQ(row.notch.cutOff, kDefaultNotchCutOffs[i / 2]);
        EXPECT_EQ(row.notch.forward, i % 2 == 0);
        expectNotchAt(m, row);
        // The events shown are those of the row's own position, crank angles and all.
        const PositionEvents e = valveEventsRunning(m, row.position, row.notch.forward);
        EXPECT_EQ(row.events.front.cutOff.driverAngle, e.front.cutOff.driverAngle);
        EXPECT_EQ(row.events.rear.release.value, e.rear.release.value);
    }
    EXPECT_EQ(table.findings.failedSolves, 0);
    // Shorter cut-offs stand nearer mid gear.
    for (std::size_t i = 2; i < table.rows.size(); ++i)
        EXPECT_LT(table.rows[i].distance, table.rows[i - 2].distance);
}
