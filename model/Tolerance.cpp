// The tolerance and wear study (see Tolerance.h).
#include "Tolerance.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "BalanceMeasure.h"
#include "Csv.h"

namespace tarvell {
namespace {

constexpr int kRockingAngleCode = 16;
constexpr int kProgressEvery = 25;   // samples between progress calls
constexpr std::size_t kFigures = 9;  // per position: 4 quantities x 2 ends, the difference

// SplitMix64: a sample's numbers come from its seed and index alone, so the figures do not
// depend on which thread ran it.
struct SampleRandom {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [-1, 1).
    double symmetric() { return static_cast<double>(next() >> 11) * 0x1.0p-52 - 1.0; }
};

double eventValue(const ValveEvent& e) {
    return e.occurs() ? static_cast<double>(e.value) : NAN;
}

// The nine figures of one position, NaN where missing.
void figuresOf(const PositionEvents& e, double* out) {
    const EndEvents* ends[] = {&e.front, &e.rear};
    for (std::size_t end = 0; end < 2; ++end) {
        out[0 * 2 + end] = eventValue(ends[end]->cutOff);
        out[1 * 2 + end] = ends[end]->lead;
        out[2 * 2 + end] = eventValue(ends[end]->release);
        out[3 * 2 + end] = eventValue(ends[end]->compression);
    }
    out[8] = out[0] - out[1];
}

double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return NAN;
    const double at = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double f = at - static_cast<double>(below);
    return sorted[below] + f * (sorted[above] - sorted[below]);
}

}  // namespace

const char* spreadEndName(SpreadEnd end) {
    switch (end) {
        case SpreadEnd::Front:
            return "front";
        case SpreadEnd::Rear:
            return "rear";
        case SpreadEnd::Difference:
            break;
    }
    return "difference";
}

const std::vector<WornLink>& wornLinks() {
    // Each link between two pins; the stroke is the crank's throw twice over, its one pin
    // acting on both.
    static const std::vector<WornLink> links = {{2, 2},  {3, 2},  {4, 2},  {7, 2},
                                                {9, 2},  {11, 2}, {12, 2}, {14, 1},
                                                {15, 2}, {17, 2}, {20, 2}, {21, 2}};
    return links;
}

double toleranceOf(const ToleranceSettings& settings, int code) {
    if (const auto it = settings.overrides.find(code); it != settings.overrides.end())
        return it->second;
    return code == kRockingAngleCode ? settings.angleTolerance : settings.lengthTolerance;
}

ToleranceStudy toleranceStudy(const Model& m, const ToleranceSettings& settings,
                              const std::function<void(int done)>& progress,
                              const std::atomic<bool>* cancel) {
    ToleranceStudy study;
    const std::vector<int> codes = sensitivityCodes();
    const std::size_t positions = settings.positions.size();
    const int samples = std::max(0, settings.samples);
    const auto n = static_cast<std::size_t>(samples);

    study.resolved = resolveBalancePositions(m, settings.positions);
    {
        LinkageSolver solver(m);
        const int orientation = midGearOrientation(solver);
        for (float p : study.resolved) study.tags.push_back(positionTag(m, p, orientation));
    }
    std::vector<double> nominal(positions * kFigures, NAN);
    for (std::size_t p = 0; p < positions; ++p)
        if (std::isfinite(study.resolved[p]))
            figuresOf(valveEvents(m, study.resolved[p]), &nominal[p * kFigures]);

    // Every sample's figures and the change it made to each code, filled by the threads.
    std::vector<double> figures(n * positions * kFigures, NAN);
    std::vector<double> deltas(n * codes.size(), 0.0);
    std::vector<char> failed(n, 0), ran(n, 0);
    BalanceRequest request;
    for (int code : codes) request.vary.push_back({code, 0, 0});
    std::vector<double> tolerance;
    for (int code : codes) tolerance.push_back(std::max(0.0, toleranceOf(settings, code)));

    std::atomic<int> done{0};
    auto work = [&](std::size_t first, std::size_t stride, bool reports) {
        std::vector<double> values(codes.size());
        for (std::size_t i = first; i < n; i += stride) {
            if (cancel && cancel->load()) return;
            SampleRandom random{settings.seed * 0x2545F4914F6CDD1Dull + i};
            double* delta = &deltas[i * codes.size()];
            for (std::size_t k = 0; k < codes.size(); ++k)
                delta[k] = tolerance[k] * random.symmetric();
            for (const WornLink& link : wornLinks())
                for (int pin = 0; pin < link.pins; ++pin) {
                    const double d = settings.wear * random.symmetric();
                    for (std::size_t k = 0; k < codes.size(); ++k)
                        if (codes[k] == link.code) delta[k] += d;
                }
            for (std::size_t k = 0; k < codes.size(); ++k)
                values[k] = dimensionValue(m, codes[k]) + delta[k];
            const Model design = balanceCandidate(m, request, values);
            const std::vector<float> at = resolveBalancePositions(design, settings.positions);
            for (std::size_t p = 0; p < positions; ++p) {
                if (!std::isfinite(at[p])) {
                    failed[i] = 1;
                    continue;
                }
                const PositionEvents e = valveEvents(design, at[p]);
                if (e.failedSolves > 0) {
                    failed[i] = 1;
                    continue;
                }
                figuresOf(e, &figures[(i * positions + p) * kFigures]);
            }
            ran[i] = 1;
            const int count = ++done;
            if (reports && progress && count % kProgressEvery == 0) progress(count);
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = static_cast<std::size_t>(
        std::clamp<int>(settings.threads > 0 ? settings.threads : static_cast<int>(cores), 1,
                        std::max(1, samples)));
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work, t, threads, false);
    work(0, threads, true);
    for (std::thread& t : pool) t.join();
    if (progress) progress(done.load());

    study.cancelled = cancel && cancel->load();
    for (std::size_t i = 0; i < n; ++i) {
        if (!ran[i]) continue;
        ++study.samples;
        if (failed[i]) {
            ++study.failedSamples;
            continue;
        }
        bool missing = false;
        for (std::size_t f = 0; f < positions * kFigures; ++f)
            missing = missing || std::isnan(figures[i * positions * kFigures + f]);
        if (missing) ++study.samplesMissingEvents;
    }

    for (std::size_t p = 0; p < positions; ++p) {
        for (std::size_t f = 0; f < kFigures; ++f) {
            SpreadRow row;
            row.position = p;
            row.quantity = f == 8 ? EventQuantity::CutOff : kEventQuantities[f / 2];
            row.end = f == 8       ? SpreadEnd::Difference
                      : f % 2 == 0 ? SpreadEnd::Front
                                   : SpreadEnd::Rear;
            for (std::size_t i = 0; i < n; ++i) {
                const double v = figures[(i * positions + p) * kFigures + f];
                if (ran[i] && !failed[i] && !std::isnan(v)) row.values.push_back(v);
            }
            std::vector<double> sorted = row.values;
            std::sort(sorted.begin(), sorted.end());
            row.spread.nominal = nominal[p * kFigures + f];
            row.spread.count = static_cast<int>(sorted.size());
            row.spread.min = sorted.empty() ? NAN : sorted.front();
            row.spread.max = sorted.empty() ? NAN : sorted.back();
            row.spread.p05 = percentile(sorted, 0.05);
            row.spread.median = percentile(sorted, 0.5);
            row.spread.p95 = percentile(sorted, 0.95);
            study.rows.push_back(std::move(row));
        }
    }

    // Shares of the spread of the cut-off difference at the first position: each varied
    // dimension's squared correlation with it (the inputs are independent, so the shares of a
    // nearly linear response add up to about 100).
    if (positions > 0) {
        std::vector<std::size_t> used;
        for (std::size_t i = 0; i < n; ++i)
            if (ran[i] && !failed[i] && !std::isnan(figures[i * positions * kFigures + 8]))
                used.push_back(i);
        if (used.size() > 2) {
            double meanY = 0;
            for (std::size_t i : used) meanY += figures[i * positions * kFigures + 8];
            meanY /= static_cast<double>(used.size());
            for (std::size_t k = 0; k < codes.size(); ++k) {
                double meanX = 0;
                for (std::size_t i : used) meanX += deltas[i * codes.size() + k];
                meanX /= static_cast<double>(used.size());
                double sxy = 0, sxx = 0, syy = 0;
                for (std::size_t i : used) {
                    const double x = deltas[i * codes.size() + k] - meanX;
                    const double y = figures[i * positions * kFigures + 8] - meanY;
                    sxy += x * y, sxx += x * x, syy += y * y;
                }
                if (sxx > 0 && syy > 0)
                    study.contributions.push_back({codes[k], 100.0 * sxy * sxy / (sxx * syy)});
            }
            std::stable_sort(study.contributions.begin(), study.contributions.end(),
                             [](const Contribution& a, const Contribution& b) {
                                 return a.sharePercent > b.sharePercent;
                             });
            if (study.contributions.size() > 5) study.contributions.resize(5);
        }
    }
    return study;
}

std::string toleranceCsv(const ToleranceStudy& study) {
    CsvWriter csv;
    csv.header(
        {"position", "tag", "quantity", "end", "nominal", "min", "p05", "median", "p95", "max"});
    for (const SpreadRow& row : study.rows) {
        const Spread& s = row.spread;
        csv.row({CsvWriter::number(study.resolved[row.position]),
                 std::string(positionTagText(study.tags[row.position])),
                 std::string(eventQuantityName(row.quantity)), spreadEndName(row.end),
                 CsvWriter::number(s.nominal), CsvWriter::number(s.min), CsvWriter::number(s.p05),
                 CsvWriter::number(s.median), CsvWriter::number(s.p95), CsvWriter::number(s.max)});
    }
    csv.row({});
    csv.header({"samples", "failed", "missing_events"});
    csv.row({std::to_string(study.samples), std::to_string(study.failedSamples),
             std::to_string(study.samplesMissingEvents)});
    csv.row({});
    csv.header({"code", "dimension", "share_of_cutoff_difference_spread_pct"});
    for (const Contribution& c : study.contributions) {
        const DimensionInfo* d = findDimension(c.code);
        csv.row({std::to_string(c.code), d ? std::string(d->field) : std::string(),
                 CsvWriter::number(c.sharePercent, 1)});
    }
    return csv.text();
}

}  // namespace tarvell
