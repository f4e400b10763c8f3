// The searches the analyses run through the solver, on functions whose answers are known:
// where a step or a peak lies, to the tolerance asked, in the number of evaluations the
// halving or the golden ratio allows, and the best point kept when the function is rough.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RootFinding.h"

using namespace tarvell;

TEST(RootFinding, BisectionFindsAStepEitherWayRound) {
    const double step = 0.3712;
    int evaluations = 0;
    auto above = [&](double x) {
        ++evaluations;
        return x > step;
    };
    // [0, 1] halved to 1/1024 takes ten halvings; the midpoint is within half of that.
    EXPECT_NEAR(bisectChange(0.0, 1.0, above, 1e-3), step, 0.5 / 1024 + 1e-12);
    EXPECT_EQ(evaluations, 10);
    // The bracket given from the true side: b = 0 is where the predicate holds.
    auto below = [&](double x) { return x < step; };
    EXPECT_NEAR(bisectChange(1.0, 0.0, below, 1e-3), step, 0.5 / 1024 + 1e-12);
    // A cap on the halvings stops short: three halvings leave [0.25, 0.375].
    EXPECT_DOUBLE_EQ(bisectChange(0.0, 1.0, above, 1e-9, 3), 0.3125);
    // A bracket already within the tolerance is not evaluated.
    evaluations = 0;
    EXPECT_DOUBLE_EQ(bisectChange(0.3, 0.4, above, 0.2), 0.35);
    EXPECT_EQ(evaluations, 0);
}

TEST(RootFinding, GoldenSectionFindsAPeakAndKeepsTheBestPointSeen) {
    const double peak = 1.234;
    std::vector<double> seen;
    auto hill = [&](double x) {
        seen.push_back(x);
        return 5.0 - (x - peak) * (x - peak);
    };
    const SearchPoint best = goldenSectionMaximum(hill, 0.0, 3.0, 1e-4);
    EXPECT_NEAR(best.x, peak, 1e-4);
    EXPECT_DOUBLE_EQ(best.value, 5.0 - (best.x - peak) * (best.x - peak));
    // Two first points, then one a step while the interval shrinks by 0.618 from 3 to 1e-4:
    // ceil(ln(1e-4 / 3) / ln 0.618) = 22 steps.
    EXPECT_EQ(seen.size(), 2u + 22u);

    // A sawtooth of 0.01 on a broad hill leads the interval astray; whatever it settles on,
    // the point returned is the best the search evaluated.
    seen.clear();
    double bestSeen = -1e300;
    auto rough = [&](double x) {
        const double v =
            5.0 - 0.1 * (x - peak) * (x - peak) - 0.01 * (x * 37.0 - std::floor(x * 37.0));
        bestSeen = std::fmax(bestSeen, v);
        return v;
    };
    const SearchPoint roughBest = goldenSectionMaximum(rough, 0.0, 3.0, 1e-4);
    EXPECT_EQ(roughBest.value, bestSeen);
    EXPECT_EQ(roughBest.value, rough(roughBest.x));
}

TEST(RootFinding, BracketedMaximumRefinesTheBestWholeStep) {
    // A cosine bump centred on 7.3 over whole numbers 0 to 20: 7 is the best whole number, and
    // the search within one either side of it finds 7.3.
    int evaluations = 0;
    auto bump = [&](double x) {
        ++evaluations;
        return std::cos((x - 7.3) * 0.05);
    };
    const SearchPoint best = bracketedMaximum(bump, 0, 20, 1e-3);
    EXPECT_NEAR(best.x, 7.3, 1e-3);
    // 21 whole numbers, then 2 + ceil(ln(1e-3 / 2) / ln 0.618) = 2 + 16 golden-section points.
    EXPECT_EQ(evaluations, 21 + 2 + 16);

    // A peak at a whole number stays there when nothing near it is better.
    auto spike = [](double x) { return x == 12.0 ? 1.0 : 0.0; };
    EXPECT_EQ(bracketedMaximum(spike, 0, 20, 1e-3).x, 12.0);
}

TEST(RootFinding, BrentFindsARootFasterThanHalving) {
    int evaluations = 0;
    auto f = [&](double x) {
        ++evaluations;
        return std::cos(x) - x;
    };
    // cos x = x at 0.7390851332151607 (the Dottie number).
    const SearchPoint root = brentRoot(f, {0, 1}, {1, std::cos(1.0) - 1}, 1e-12);
    EXPECT_NEAR(root.x, 0.7390851332151607, 1e-11);
    EXPECT_LT(evaluations, 12);  // halving [0, 1] to 1e-12 takes 40

    // A step: no interpolation helps, and bisection brings it in all the same, to the step.
    evaluations = 0;
    auto step = [&](double x) {
        ++evaluations;
        return x < 0.3 ? -1.0 : 2.0;
    };
    const SearchPoint s = brentRoot(step, {0, -1}, {1, 2}, 1e-6);
    EXPECT_NEAR(s.x, 0.3, 2e-6);
    EXPECT_LT(evaluations, 45);

    // It stops once the value is close enough, and gives the best point it saw.
    evaluations = 0;
    const SearchPoint rough = brentRoot(f, {0, 1}, {1, std::cos(1.0) - 1}, 1e-12, 1e-3);
    EXPECT_LE(std::fabs(rough.value), 1e-3);
    EXPECT_LT(evaluations, 5);
}
