// Balancing timings: the valve rod and the fulcrum lever's lower arm evening out the cut-offs
// at normal forward and reverse, or the MEPs there, and four dimensions over the nine
// positions of a full set. The counters give the designs measured and the worst difference
// reached (per cent of the stroke, or of the mean MEP).
#include <benchmark/benchmark.h>

#include "Balance.h"

using namespace tarvell;

namespace {

void runBalance(benchmark::State& state, const Model& m, const BalanceRequest& request) {
    BalanceResult result;
    for (auto _ : state) {
        result = balanceDesign(m, request);
        // An int: with this Google Benchmark, DoNotOptimize on a double field left garbage
        // in it for the counters below.
        benchmark::DoNotOptimize(result.evaluations);
    }
    state.counters["evaluations"] = result.evaluations;
    state.counters["worst_before"] = result.worstBefore;
    state.counters["worst_after"] = result.worstAfter;
}

BalanceRequest varying(const Model& m, std::initializer_list<int> codes) {
    BalanceRequest request;
    for (int code : codes)
        request.vary.push_back(defaultBalanceVariable(code, dimensionValue(m, code)));
    return request;
}

void BM_BalanceNormalCutOff(benchmark::State& state) {
    Model m;
    StartUp(m);
    runBalance(state, m, varying(m, {11, 9}));
}
BENCHMARK(BM_BalanceNormalCutOff)->Unit(benchmark::kMillisecond);

void BM_BalanceNormalMep(benchmark::State& state) {
    Model m;
    StartUp(m);
    BalanceRequest request = varying(m, {11, 9});
    request.objectives = {BalanceObjective::Mep};
    runBalance(state, m, request);
}
BENCHMARK(BM_BalanceNormalMep)->Unit(benchmark::kMillisecond);

void BM_BalanceFourDimensionsFullSet(benchmark::State& state) {
    Model m;
    StartUp(m);
    // Mid gear and the normal positions (entries 1-3) and six more spread over the travel.
    const float c = m.ReverseArmCentre();
    const float offsets[] = {0.4f, -0.4f, 0.75f, -0.75f, 1.4f, -1.4f};
    for (std::size_t k = 0; k < 6; ++k) m.reverseArmPositions[4 + k] = c + offsets[k];
    BalanceRequest request = varying(m, {11, 9, 16, 7});
    request.positions = setBalancePositions(m);
    runBalance(state, m, request);
}
BENCHMARK(BM_BalanceFourDimensionsFullSet)->Unit(benchmark::kMillisecond);

}  // namespace
