// Wild dimension sets: the solver, the openings and mid gear stay finite and never hang.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "TestModel.h"

using namespace tarvell;

namespace {

float wildValue(std::mt19937& rng) {
    static const float kSpecial[] = {0.0f,    -0.0f,    1e-7f,  -1e-7f, 0.00001f, 1e-30f,
                                     -1e-30f, 1e10f,    -1e10f, 1e30f,  3e38f,    -3e38f,
                                     FLT_MAX, -FLT_MAX, 1.0f,   -1.0f,  FLT_MIN,  -FLT_MIN};
    std::uniform_int_distribution<int> pick(0, 3);
    std::uniform_int_distribution<std::size_t> special(0, std::size(kSpecial) - 1);
    std::normal_distribution<float> normal(0.0f, 20.0f);
    switch (pick(rng)) {
        case 0:
            return kSpecial[special(rng)];
        case 1:
            return normal(rng);
        default:
            return std::fabs(normal(rng)) * 0.5f;
    }
}

bool allFinite(const Model& m) {
    for (int n = 0; n < PivotSet::kCount; ++n)
        if (!std::isfinite(m.pivots[n].x) || !std::isfinite(m.pivots[n].y)) {
            ADD_FAILURE() << "pivot " << n << " " << m.pivots[n].x << " " << m.pivots[n].y;
            return false;
        }
    const Openings& o = m.openings;
    for (float v : {o.PistonTravel, o.FrontSteamOpening, o.FrontExhaustOpening, o.RearSteamOpening,
                    o.RearExhaustOpening, m.limits.ValveOffset, m.limits.FrontAdmitLimit,
                    m.limits.RearExhaustLimit, m.reverseArmPositions[0], m.reverseArmPositions[2],
                    m.solver.DieBlockDistance})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

TEST(SolverRobustness, WildDimensionSetsGiveFinitePivots) {
    std::mt19937 rng(20261208);
    for (int trial = 0; trial < 4000; ++trial) {
        Model m;
        StartUp(m);
        // Replace a random selection of dimensions (sometimes all of them).
        const bool all = trial % 4 == 0;
        for (const auto& d : allDimensions())
            if (all || rng() % 3 == 0) dimensionRef(m, d) = wildValue(rng);
        updateValveStemLine(m);
        CalcMidGear(m);
        m.gear.ReverseArmPosition = rng() % 2 ? m.gear.ReverseArmPosition : wildValue(rng);
        for (int k = 0; k < 4; ++k) {
            m.gear.DriverAngle =
                rng() % 5 == 0 ? wildValue(rng) : static_cast<float>(rng() % 3600) / 10;
            SolveLinkage(m);
            ComputePistonAndOpenings(m);
            UpdatePortEvents(m);
            ASSERT_TRUE(allFinite(m)) << "trial " << trial;
            ASSERT_TRUE(m.solver.SolveStatus == 'Z' || m.solver.SolveStatus == 'E');
        }
    }
}
