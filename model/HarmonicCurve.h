// A periodic function of the driver angle known at equally spaced angles, stood in for between
// them by the trigonometric polynomial through the samples. The valve's motion is close to a
// sum of a few harmonics of the turn, so a couple of dozen samples predict it well enough to
// say where the solver should be asked. No Qt, no allocation.
#pragma once

#include <array>
#include <span>

namespace tarvell {

class HarmonicCurve {
  public:
    static constexpr int kMaxSamples = 72;

    // Invalid: predicts nothing.
    HarmonicCurve() = default;

    // samples[i] is the value at driver angle i * 360 / samples.size() degrees. The count must
    // be even and at most kMaxSamples, and every sample finite; otherwise the curve is invalid.
    explicit HarmonicCurve(std::span<const double> samples);

    bool valid() const { return harmonics_ > 0; }

    struct Point {
        double value = 0;
        double slope = 0;      // per degree
        double curvature = 0;  // per degree squared
    };
    // The curve at a driver angle in degrees (any angle: the curve is periodic).
    Point at(double angle) const;

    // The sum of the amplitudes of harmonics `from` and up. For a smooth motion they fall off
    // quickly, and the curve is out between the samples by about as much as the top ones
    // carry; large ones mean the samples do not pin the motion down.
    double amplitudeFrom(int from) const;
    int harmonics() const { return harmonics_; }

  private:
    int harmonics_ = 0;  // half the sample count
    double mean_ = 0;
    std::array<double, kMaxSamples / 2 + 1> cosine_{}, sine_{};
};

}  // namespace tarvell
