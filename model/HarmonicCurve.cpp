// The trigonometric polynomial through equally spaced samples (see HarmonicCurve.h).
//
// With N = 2M samples x_i at angles 2 pi i / N the polynomial is
//   mean + sum_{k<M} (a_k cos k t + b_k sin k t) + a_M / 2 cos M t,
// a_k = 2/N sum x_i cos(k t_i), b_k = 2/N sum x_i sin(k t_i). The powers of e^{i t} are taken by
// repeated rotation, so a fit costs M sine-cosine pairs and an evaluation one.
#include "HarmonicCurve.h"

#include <algorithm>
#include <cmath>

#include "Angles.h"

namespace tarvell {
HarmonicCurve::HarmonicCurve(std::span<const double> samples) {
    const int n = static_cast<int>(samples.size());
    if (n < 2 || n > kMaxSamples || n % 2 != 0) return;
    for (double x : samples)
        if (!std::isfinite(x)) return;
    const int m = n / 2;
    const double step = 2.0 * kPi / n;
    const double c1 = std::cos(step), s1 = std::sin(step);
    double c = 1, s = 0;  // cos and sin of k step
    for (int k = 0; k <= m; ++k) {
        double rc = 1, rs = 0;  // cos and sin of k t_i
        double a = 0, b = 0;
        for (double x : samples) {
            a += x * rc;
            b += x * rs;
            const double next = rc * c - rs * s;
            rs = rs * c + rc * s;
            rc = next;
        }
        cosine_[static_cast<std::size_t>(k)] = 2.0 * a / n;
        sine_[static_cast<std::size_t>(k)] = 2.0 * b / n;
        const double next = c * c1 - s * s1;
        s = s * c1 + c * s1;
        c = next;
    }
    mean_ = cosine_[0] / 2.0;
    cosine_[0] = sine_[0] = 0;
    cosine_[static_cast<std::size_t>(m)] /= 2.0;  // the highest harmonic is shared by +M and -M
    sine_[static_cast<std::size_t>(m)] = 0;
    harmonics_ = m;
}

double HarmonicCurve::amplitudeFrom(int from) const {
    double sum = 0;
    for (int k = std::max(from, 1); k <= harmonics_; ++k)
        sum += std::hypot(cosine_[static_cast<std::size_t>(k)], sine_[static_cast<std::size_t>(k)]);
    return sum;
}

HarmonicCurve::Point HarmonicCurve::at(double angle) const {
    Point p;
    if (!valid()) return p;
    const double t = angle * kRadiansPerDegree;
    const double c = std::cos(t), s = std::sin(t);
    double rc = 1, rs = 0;  // cos and sin of k t
    double value = mean_, slope = 0, curvature = 0;
    for (int k = 1; k <= harmonics_; ++k) {
        const double next = rc * c - rs * s;
        rs = rs * c + rc * s;
        rc = next;
        const double a = cosine_[static_cast<std::size_t>(k)];
        const double b = sine_[static_cast<std::size_t>(k)];
        const double even = a * rc + b * rs;  // the harmonic itself
        const double odd = b * rc - a * rs;   // its derivative over k
        value += even;
        slope += k * odd;
        curvature -= k * k * even;
    }
    p.value = value;
    p.slope = slope * kRadiansPerDegree;
    p.curvature = curvature * kRadiansPerDegree * kRadiansPerDegree;
    return p;
}

}  // namespace tarvell
