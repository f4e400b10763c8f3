// The die's place in the link and the die slip: against a scan of the turn every 0.1 degree
// that takes the place from the chord between the trunnion and the die, at the default
// positions and on an odd geometry; the sign of the place on either side of mid gear.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Calc.h"
#include "DieSlip.h"
#include "TestModel.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

double distance(const Pivot& a, double x, double y) {
    return std::hypot(static_cast<double>(a.x) - x, static_cast<double>(a.y) - y);
}

// The place from the chord: an arc of radius R on a chord c subtends 2 asin(c / 2R). The die
// is on the lifting arm's side when it is nearer the lifting arm end than its mirror image in
// the line from the link's centre through the trunnion.
double placeFromChord(const LinkageSolution& s, double radius) {
    const Pivot& o = s.pivots[Pivot::LinkArcCentre];
    const Pivot& t = s.pivots[Pivot::LinkTrunnion];
    const Pivot& d = s.pivots[Pivot::DieBlock];
    const Pivot& arm = s.pivots[Pivot::LiftingArmEnd];
    const double chord = distance(d, t.x, t.y);
    const double arc = 2 * radius * std::asin(std::min(1.0, chord / (2 * radius)));
    const double ux = t.x - o.x, uy = t.y - o.y, len = std::hypot(ux, uy);
    const double px = d.x - o.x, py = d.y - o.y;
    const double along = (px * ux + py * uy) / len;
    const double mx = o.x + 2 * along * ux / len - px, my = o.y + 2 * along * uy / len - py;
    return distance(arm, d.x, d.y) <= distance(arm, mx, my) ? arc : -arc;
}

struct Scanned {
    double least = 1e9, greatest = -1e9;
};

Scanned scanTurn(const Model& m, float position) {
    Scanned out;
    for (int k = 0; k < 3600; ++k) {
        const LinkageSolution s = solveLinkageAt(m, k * 0.1, position);
        EXPECT_FALSE(s.failed) << k;
        const double place = placeFromChord(s, m.frame.LinkRadius);
        out.least = std::min(out.least, place);
        out.greatest = std::max(out.greatest, place);
    }
    return out;
}

}  // namespace

TEST(DieSlip, DefaultPositionsAgreeWithAFineScan) {
    const Model m = startedModel();
    // Mid gear works the die about 0.11, normal forward 0.14 and normal reverse 0.35.
    const struct {
        float position;
        double slip;
    } cases[] = {{m.reverseArmPositions[1], 0.11},
                 {m.reverseArmPositions[2], 0.14},
                 {m.reverseArmPositions[3], 0.35}};
    for (const auto& c : cases) {
        const DieSlip slip = dieSlip(m, c.position);
        const Scanned scan = scanTurn(m, c.position);
        ASSERT_TRUE(slip.found);
        EXPECT_EQ(slip.failedSolves, 0);
        EXPECT_NEAR(slip.greatest, scan.greatest, 2e-5) << c.position;
        EXPECT_NEAR(slip.least, scan.least, 2e-5) << c.position;
        EXPECT_NEAR(slip.slip(), c.slip, 0.006) << c.position;
        EXPECT_LT(slip.solves, 150);
    }
    // The die hangs toward the lifting arm (above the trunnion) in forward gear, away from
    // it in reverse.
    EXPECT_GT(dieSlip(m, m.reverseArmPositions[2]).least, 1.5);
    EXPECT_LT(dieSlip(m, m.reverseArmPositions[3]).greatest, -1.2);
}

TEST(DieSlip, AnOddGeometryAgreesWithAFineScan) {
    Model m = startedModel();
    setDimensionValue(m, 14, 7.0f);  // a link of much shorter radius
    setDimensionValue(m, 8, 0.4f);   // the trunnion set well back from the lever
    CalcMidGear(m);
    for (float position : {m.reverseArmPositions[1] + 0.6f, m.reverseArmPositions[1] - 0.9f}) {
        const DieSlip slip = dieSlip(m, position);
        const Scanned scan = scanTurn(m, position);
        ASSERT_TRUE(slip.found);
        EXPECT_NEAR(slip.greatest, scan.greatest, 2e-5) << position;
        EXPECT_NEAR(slip.least, scan.least, 2e-5) << position;
    }
}

TEST(DieSlip, ALinkTheDieCannotReachHasNoSlip) {
    Model m = startedModel();
    m.frame.LinkRadius = 0.5f;  // the valve-rod search never finds the arc
    const DieSlip slip = dieSlip(m, m.reverseArmPositions[2]);
    EXPECT_FALSE(slip.found);
    EXPECT_TRUE(std::isnan(slip.slip()));
    EXPECT_GT(slip.failedSolves, 0);
}
