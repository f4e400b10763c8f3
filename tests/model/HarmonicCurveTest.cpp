// The trigonometric curve through equally spaced samples: it reproduces a sum of harmonics it
// can resolve, with slope and curvature, reports what its top harmonics carry, and refuses
// samples it cannot use.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "HarmonicCurve.h"

using namespace tarvell;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// 2 + 0.5 cos t - 0.25 sin 2t + 0.125 cos 3t, with t in degrees, and its derivatives per degree.
double motion(double t) {
    return 2 + 0.5 * std::cos(t * kRad) - 0.25 * std::sin(2 * t * kRad) +
           0.125 * std::cos(3 * t * kRad);
}
double motionSlope(double t) {
    return kRad * (-0.5 * std::sin(t * kRad) - 0.5 * std::cos(2 * t * kRad) -
                   0.375 * std::sin(3 * t * kRad));
}
double motionCurvature(double t) {
    return kRad * kRad *
           (-0.5 * std::cos(t * kRad) + std::sin(2 * t * kRad) - 1.125 * std::cos(3 * t * kRad));
}

std::vector<double> sampled(int count) {
    std::vector<double> x;
    for (int i = 0; i < count; ++i) x.push_back(motion(360.0 * i / count));
    return x;
}

}  // namespace

TEST(HarmonicCurve, ReproducesTheHarmonicsItResolves) {
    const std::vector<double> x = sampled(12);  // up to the sixth harmonic
    const HarmonicCurve curve(x);
    ASSERT_TRUE(curve.valid());
    EXPECT_EQ(curve.harmonics(), 6);
    for (double t : {0.0, 17.5, 123.4, 299.9, -40.0, 725.0}) {
        const HarmonicCurve::Point p = curve.at(t);
        EXPECT_NEAR(p.value, motion(t), 1e-12) << t;
        EXPECT_NEAR(p.slope, motionSlope(t), 1e-12) << t;
        EXPECT_NEAR(p.curvature, motionCurvature(t), 1e-12) << t;
    }
    // Amplitudes 0.5, 0.25 and 0.125 from the first harmonic up; nothing above the third.
    EXPECT_NEAR(curve.amplitudeFrom(1), 0.875, 1e-12);
    EXPECT_NEAR(curve.amplitudeFrom(3), 0.125, 1e-12);
    EXPECT_NEAR(curve.amplitudeFrom(4), 0.0, 1e-12);
}

TEST(HarmonicCurve, RefusesSamplesItCannotUse) {
    std::vector<double> x = sampled(12);
    x[5] = NAN;
    EXPECT_FALSE(HarmonicCurve(x).valid());
    EXPECT_FALSE(HarmonicCurve(sampled(11)).valid());  // an odd count
    EXPECT_FALSE(HarmonicCurve(sampled(2 * HarmonicCurve::kMaxSamples)).valid());
    EXPECT_FALSE(HarmonicCurve().valid());
    EXPECT_EQ(HarmonicCurve().at(10).value, 0.0);
}
