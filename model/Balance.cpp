// Balancing a design (see Balance.h).
//
// The search is NLopt's BOBYQA: it fits a quadratic model of the objective through the
// designs it has measured and steps within a trust region kept inside the bounds. The
// front-minus-rear differences move smoothly with the dimensions, so a sum of their squares
// is close to quadratic near the balance and a handful of designs per dimension find it.
// The events themselves are found to 0.01 degree of crank angle, which leaves a ripple of
// about 0.01 per cent on each difference; the stopping rules are set no finer than that. On
// the gear's own cases BOBYQA needed a third to a quarter of the designs SBPLX did for the
// same balance, with the ripple doing it no visible harm.
#include "Balance.h"

#include <cmath>
#include <exception>
#include <nlopt.hpp>
#include <span>

#include "BalanceMeasure.h"
#include "BalanceVerdict.h"

namespace tarvell {
namespace {

constexpr int kRockingAngleCode = 16;
// A dimension moved less than this changes nothing the events can show: the valve-rod search
// itself places the valve to 0.0001.
constexpr double kLengthTolerance = 0.0001;
constexpr double kAngleTolerance = 0.001;  // degrees
// Every difference within this many points is as equal as the events can tell.
constexpr double kResolutionPoints = 0.01;

// One search: the designs measured so far and the best of them.
class Search {
  public:
    Search(const Model& start, const BalanceRequest& request, const BalanceControl& control,
           int maxEvaluations)
        : start_(start),
          request_(request),
          control_(control),
          scale_(balanceScale(start)),
          maxEvaluations_(maxEvaluations) {}

    // Measures the design with these values; throws nlopt::forced_stop once the caller has
    // asked to stop, before measuring anything more.
    double evaluate(std::span<const double> values) {
        if (control_.cancel && control_.cancel->load()) {
            cancelled_ = true;
            throw nlopt::forced_stop();
        }
        DesignMeasure measure =
            measureDesign(balanceCandidate(start_, request_, values), request_, scale_);
        ++evaluations_;
        const double value = measure.objective;
        if (evaluations_ == 1 || value < best_.objective) {
            best_ = std::move(measure);
            bestValues_.assign(values.begin(), values.end());
        }
        if (control_.onProgress)
            control_.onProgress({evaluations_, maxEvaluations_, best_.objective, best_.worst});
        return value;
    }

    static double objective(unsigned n, const double* x, double* /*gradient*/, void* data) {
        return static_cast<Search*>(data)->evaluate(std::span<const double>(x, n));
    }

    bool cancelled() const { return cancelled_; }
    int evaluations() const { return evaluations_; }
    const DesignMeasure& best() const { return best_; }
    const std::vector<double>& bestValues() const { return bestValues_; }

  private:
    const Model& start_;
    const BalanceRequest& request_;
    const BalanceControl& control_;
    BalanceScale scale_;
    int maxEvaluations_;
    int evaluations_ = 0;
    bool cancelled_ = false;
    DesignMeasure best_;
    std::vector<double> bestValues_;
};

double toleranceOf(const BalanceVariable& v) {
    return v.code == kRockingAngleCode ? kAngleTolerance : kLengthTolerance;
}

std::size_t termCount(const BalanceRequest& request) {
    return request.positions.size() * request.objectives.size() + (request.targetCutOff ? 1 : 0);
}

// Runs the optimiser from `x` within the bounds; the search keeps the best design met,
// however the optimiser ends. The first trust region spans a quarter of each range, and the
// search stops once every difference is within the events' resolution.
void runOptimiser(Search& search, const BalanceRequest& request, std::vector<double> x,
                  int maxEvaluations) {
    const std::size_t n = x.size();
    std::vector<double> lower(n), upper(n), tolerance(n), step(n);
    for (std::size_t i = 0; i < n; ++i) {
        const BalanceVariable& v = request.vary[i];
        lower[i] = v.lower;
        upper[i] = v.upper;
        tolerance[i] = toleranceOf(v);
        step[i] = 0.25 * (v.upper - v.lower);
    }
    nlopt::opt opt(nlopt::LN_BOBYQA, static_cast<unsigned>(n));
    opt.set_lower_bounds(lower);
    opt.set_upper_bounds(upper);
    opt.set_xtol_abs(tolerance);
    opt.set_initial_step(step);
    opt.set_maxeval(maxEvaluations);
    opt.set_stopval(static_cast<double>(termCount(request)) * kResolutionPoints *
                    kResolutionPoints);
    opt.set_min_objective(&Search::objective, &search);
    double value = 0;
    opt.optimize(x, value);
}

// Where `value` stands in the range of `v`: on an end when within the search's tolerance.
RangeEnd rangeEnd(const BalanceVariable& v, double value) {
    if (value - v.lower <= toleranceOf(v)) return RangeEnd::Lower;
    if (v.upper - value <= toleranceOf(v)) return RangeEnd::Upper;
    return RangeEnd::Inside;
}

// The figures of the design given and of the one kept, side by side.
void fillResult(BalanceResult& result, const Model& m, const BalanceRequest& request,
                const DesignMeasure& before, const DesignMeasure& after,
                const std::vector<double>& afterValues) {
    const bool improved = result.improved();
    for (std::size_t i = 0; i < request.vary.size(); ++i) {
        const BalanceVariable& v = request.vary[i];
        result.dimensions.push_back({v.code, dimensionValue(m, v.code),
                                     dimensionValue(result.design, v.code), v.lower, v.upper,
                                     improved ? rangeEnd(v, afterValues[i]) : RangeEnd::Inside});
    }
    const std::size_t objectives = request.objectives.size();
    for (std::size_t p = 0; p < request.positions.size(); ++p)
        for (std::size_t o = 0; o < objectives; ++o) {
            const std::size_t k = p * objectives + o;
            result.differences.push_back({request.objectives[o], request.positions[p],
                                          before.positions[p], after.positions[p],
                                          before.differences[k], after.differences[k],
                                          before.leads[p], after.leads[p]});
        }
    result.targetCutOff = request.targetCutOff;
    result.targetMeanBefore = before.targetMean;
    result.targetMeanAfter = after.targetMean;
    result.sumBefore = before.objective;
    result.sumAfter = after.objective;
    result.worstBefore = before.worst;
    result.worstAfter = after.worst;
}

}  // namespace

int defaultBalanceEvaluations(std::size_t dimensions) {
    return 30 + 40 * static_cast<int>(dimensions);
}

BalanceResult balanceDesign(const Model& m, const BalanceRequest& request,
                            const BalanceControl& control) {
    BalanceResult result;
    result.design = m;
    result.reason = checkBalanceRequest(m, request);
    if (!result.reason.empty()) return result;

    const std::size_t n = request.vary.size();
    std::vector<double> x0(n);
    for (std::size_t i = 0; i < n; ++i) x0[i] = dimensionValue(m, request.vary[i].code);
    const int maxEvaluations =
        request.maxEvaluations > 0 ? request.maxEvaluations : defaultBalanceEvaluations(n);

    Search search(m, request, control, maxEvaluations);
    DesignMeasure before;
    try {
        search.evaluate(x0);
        before = search.best();
        if (maxEvaluations > 1) runOptimiser(search, request, x0, maxEvaluations - 1);
    } catch (const nlopt::forced_stop&) {
        // The cancel flag: the design given stands (below).
    } catch (const std::exception&) {
        // The optimiser gave up (round-off limited, say): the best design met so far stands.
    }
    result.evaluations = search.evaluations();
    result.outcome = search.cancelled() ? BalanceOutcome::Cancelled : BalanceOutcome::NotImproved;
    if (search.evaluations() == 0) return result;  // stopped before the first design

    // Judged by what the search makes small: a design whose sum of squares is lower is
    // better, even where one of its differences grew.
    const DesignMeasure& best = search.best();
    if (!search.cancelled())
        result.outcome = best.objective < before.objective ? BalanceOutcome::Improved
                                                           : BalanceOutcome::NotImproved;
    const bool improved = result.improved();
    if (improved) result.design = balanceCandidate(m, request, search.bestValues());
    fillResult(result, m, request, before, improved ? best : before,
               improved ? search.bestValues() : x0);
    if (improved)
        result.costs =
            balanceCosts(balanceCandidate(m, request, x0), result.design, request.positions);
    return result;
}

}  // namespace tarvell
