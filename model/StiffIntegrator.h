// Integrating a small stiff system of ordinary differential equations (one whose states relax
// far faster than they are followed) with Boost.Odeint's Rosenbrock method, the Jacobian taken
// by differences. Its own target, built as C++17: Odeint's stiff stepper keeps its vectors in
// Boost.uBLAS, which in Boost 1.74 calls members of std::allocator that C++20 removed. So this
// header holds nothing of either. No Qt.
#pragma once

#include <cstddef>
#include <memory>

namespace tarvell {

class StiffSystem {
  public:
    virtual ~StiffSystem() = default;
    // dx/dt at state x and time t.
    virtual void derivative(const double* x, double* dxdt, double t) const = 0;
    // Called after each step taken: may bring the state back within its bounds.
    virtual void afterStep(double* /*x*/) const {}
};

class StiffIntegrator {
  public:
    // `size` states, each held to `tolerance` absolute and relative; the Jacobian is taken by
    // differences over the first `coupled` of them (the rest, sums kept along the way, drive
    // nothing). At most `maxSteps` steps are tried in all.
    StiffIntegrator(std::size_t size, std::size_t coupled, double tolerance, long maxSteps);
    ~StiffIntegrator();
    StiffIntegrator(const StiffIntegrator&) = delete;
    StiffIntegrator& operator=(const StiffIntegrator&) = delete;

    // Advances x (`size` values) from t to `to`, landing on it exactly; false once the steps
    // are spent (x and t then stand where the last step left them).
    bool advance(const StiffSystem& system, double* x, double& t, double to);
    long steps() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvell
