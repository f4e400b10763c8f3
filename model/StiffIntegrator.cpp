// The stiff integrator (see StiffIntegrator.h).
#include "StiffIntegrator.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <boost/numeric/odeint/stepper/rosenbrock4.hpp>
#include <boost/numeric/odeint/stepper/rosenbrock4_controller.hpp>

namespace tarvell {
namespace {

namespace odeint = boost::numeric::odeint;
using Vector = boost::numeric::ublas::vector<double>;
using Matrix = boost::numeric::ublas::matrix<double>;

struct Derivative {
    const StiffSystem* system;
    void operator()(const Vector& x, Vector& dxdt, double t) const {
        system->derivative(&x[0], &dxdt[0], t);
    }
};

// The Jacobian by forward differences over the coupled states, and the derivative's own rate
// of change in time likewise (a step starts at t, so a difference forward stays within it).
struct Jacobian {
    const StiffSystem* system;
    std::size_t coupled;
    void operator()(const Vector& x, Matrix& j, double t, Vector& dfdt) const {
        const std::size_t n = x.size();
        Vector f0(n), f1(n), y = x;
        system->derivative(&x[0], &f0[0], t);
        j.clear();
        for (std::size_t c = 0; c < coupled; ++c) {
            const double h = 1e-7 * std::max(std::fabs(x[c]), 1e-3);
            y[c] = x[c] + h;
            system->derivative(&y[0], &f1[0], t);
            y[c] = x[c];
            for (std::size_t r = 0; r < n; ++r) j(r, c) = (f1[r] - f0[r]) / h;
        }
        const double h = 1e-7 * std::max(std::fabs(t), 1.0);
        system->derivative(&x[0], &f1[0], t + h);
        for (std::size_t r = 0; r < n; ++r) dfdt[r] = (f1[r] - f0[r]) / h;
    }
};

}  // namespace

struct StiffIntegrator::Impl {
    Impl(std::size_t size, std::size_t coupledStates, double tolerance, long most)
        : state(size),
          coupled(std::min(coupledStates, size)),
          stepper(tolerance, tolerance),
          maxSteps(most) {}
    Vector state;
    std::size_t coupled;
    odeint::rosenbrock4_controller<odeint::rosenbrock4<double>> stepper;
    double dt = 1e-3;
    long steps = 0, maxSteps;
};

StiffIntegrator::StiffIntegrator(std::size_t size, std::size_t coupled, double tolerance,
                                 long maxSteps)
    : impl_(std::make_unique<Impl>(size, coupled, tolerance, maxSteps)) {}

StiffIntegrator::~StiffIntegrator() = default;

long StiffIntegrator::steps() const {
    return impl_->steps;
}

bool StiffIntegrator::advance(const StiffSystem& system, double* x, double& t, double to) {
    Impl& s = *impl_;
    Vector& v = s.state;
    std::copy(x, x + v.size(), v.begin());
    const auto pair = std::make_pair(Derivative{&system}, Jacobian{&system, s.coupled});
    bool ok = true;
    while (to - t > 1e-12 * (1.0 + std::fabs(to))) {
        if (++s.steps > s.maxSteps) {
            ok = false;
            break;
        }
        double step = std::min(s.dt, to - t);
        const bool cut = step < s.dt;
        if (s.stepper.try_step(pair, v, t, step) == odeint::success) {
            system.afterStep(&v[0]);
            // A step cut short to land on `to` says nothing against a longer next one.
            s.dt = cut ? std::max(step, s.dt) : step;
        } else {
            s.dt = step;
        }
    }
    if (ok) t = to;
    std::copy(v.begin(), v.end(), x);
    return ok;
}

}  // namespace tarvell
