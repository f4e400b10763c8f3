// The one-dimensional searches the analyses run through the solver: bisection on a change of
// state, golden-section search for a maximum, and the maximum over a bracket of whole steps. Each
// takes the function as a callable, evaluates it in a fixed order (so that counts of solves stay
// what they were) and never allocates. No Qt.
#pragma once

#include <cmath>

namespace tarvell {

inline constexpr double kGoldenRatioConjugate = 0.61803398874989484820;  // (sqrt 5 - 1) / 2

// A point of a search and the function's value there.
struct SearchPoint {
    double x = 0;
    double value = 0;
};

// Bisection on a change of state between a (where `atB` is false) and b (where it is true),
// in either order: halves the bracket until it is no longer than `tolerance`, or `maxSteps`
// times, and returns the midpoint of what is left. Only the state is used, so a function
// with a small ripple about its root gives one of the changes within the ripple.
template <class Predicate>
double bisectChange(double a, double b, Predicate&& atB, double tolerance, int maxSteps = 64) {
    for (int i = 0; i < maxSteps && std::fabs(b - a) > tolerance; ++i) {
        const double mid = 0.5 * (a + b);
        (atB(mid) ? b : a) = mid;
    }
    return 0.5 * (a + b);
}

// Golden-section search for a maximum of f on [a, b], to an interval no longer than
// `tolerance` (or `maxSteps` steps). A function that is not smooth at the scale of the
// tolerance (a solver's ripple) can lead the interval away from its best point, so the best
// point evaluated is what is returned, the first of equals.
template <class F>
SearchPoint goldenSectionMaximum(F&& f, double a, double b, double tolerance, int maxSteps = 64) {
    SearchPoint best;
    bool any = false;
    auto value = [&](double x) {
        const double v = f(x);
        if (!any || v > best.value) best = {x, v}, any = true;
        return v;
    };
    double c = b - kGoldenRatioConjugate * (b - a), d = a + kGoldenRatioConjugate * (b - a);
    double fc = value(c), fd = value(d);
    for (int i = 0; i < maxSteps && b - a > tolerance; ++i) {
        if (fc >= fd) {
            b = d, d = c, fd = fc;
            c = b - kGoldenRatioConjugate * (b - a);
            fc = value(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + kGoldenRatioConjugate * (b - a);
            fd = value(d);
        }
    }
    return best;
}

// The maximum of f over a bracket: the best of the whole numbers first..last, then a
// golden-section search within one either side of it. Returns the best point evaluated, the
// first of equals; a bracket with no whole number in it gives the golden-section search about
// `first`.
template <class F>
SearchPoint bracketedMaximum(F&& f, int first, int last, double tolerance) {
    SearchPoint best{static_cast<double>(first), 0};
    bool any = false;
    for (int k = first; k <= last; ++k) {
        const double v = f(static_cast<double>(k));
        if (!any || v > best.value) best = {static_cast<double>(k), v}, any = true;
    }
    const SearchPoint refined = goldenSectionMaximum(f, best.x - 1.0, best.x + 1.0, tolerance);
    return !any || refined.value > best.value ? refined : best;
}

}  // namespace tarvell
