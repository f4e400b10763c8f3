// The one-dimensional searches the analyses run through the solver: bisection on a change of
// state, Brent's method for a root, golden-section search for a maximum, and the maximum over a
// bracket of whole steps. Each
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

// Brent's method for a root of f between two points where it has opposite signs (or is 0 at
// one): inverse quadratic or secant steps, a bisection whenever those would not close in fast
// enough, so it never takes more steps than bisection would by much and far fewer on a smooth
// function. Stops once the bracket is no longer than `tolerance`, or |f| is no more than
// `valueTolerance`, or after `maxSteps` evaluations. Returns the point evaluated (the two given
// included) where |f| is least, the last of equals: a function with a small ripple about its
// root gives a point within the ripple, and a step the point next to it.
template <class F>
SearchPoint brentRoot(F&& f, SearchPoint a, SearchPoint b, double tolerance,
                      double valueTolerance = 0, int maxSteps = 64) {
    constexpr double kEpsilon = 2.220446049250313e-16;
    SearchPoint best = std::fabs(b.value) <= std::fabs(a.value) ? b : a;
    double xa = a.x, fa = a.value, xb = b.x, fb = b.value;
    double xc = xb, fc = fb, d = xb - xa, e = d;
    for (int step = 0;; ++step) {
        if ((fb > 0 && fc > 0) || (fb < 0 && fc < 0)) {
            xc = xa, fc = fa;
            d = e = xb - xa;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            xa = xb, xb = xc, xc = xa;
            fa = fb, fb = fc, fc = fa;
        }
        const double tol = 2.0 * kEpsilon * std::fabs(xb) + 0.5 * tolerance;
        const double half = 0.5 * (xc - xb);
        if (std::fabs(half) <= tol || fb == 0 || std::fabs(fb) <= valueTolerance ||
            step >= maxSteps)
            return best;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p, q;
            if (xa == xc) {
                p = 2.0 * half * s;
                q = 1.0 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2.0 * half * qa * (qa - r) - (xb - xa) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2.0 * p < std::fmin(3.0 * half * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = half;
            }
        } else {
            d = e = half;
        }
        xa = xb, fa = fb;
        xb += std::fabs(d) > tol ? d : std::copysign(tol, half);
        fb = f(xb);
        if (std::fabs(fb) <= std::fabs(best.value)) best = {xb, fb};
    }
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
