// Tolerance and wear: what the valve events become when every dimension that moves them is
// made within a tolerance, and when the pins have worn. A Monte-Carlo study: each sample
// varies every such length within plus or minus its tolerance and the rocking angle within
// the angle tolerance, uniformly and independently, works out mid gear and the compared
// positions again (as closing the frame dialog does) and finds the events. Worn pins: a pin
// with clearance c lets each link it joins act up to c longer or shorter, so a link pinned at
// both ends may act up to 2c either way; a wear setting applies that to every pin joint. It
// gives the envelope of the events, not the motion under load (which side each pin bears on
// depends on the forces). Samples run on every core, each thread on its own copies of the
// design. No Qt.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BalanceRequest.h"
#include "Sensitivity.h"

namespace tarvell {

struct ToleranceSettings {
    double lengthTolerance = 0.002;   // units either way
    double angleTolerance = 0.05;     // degrees either way (the link's rocking angle)
    std::map<int, double> overrides;  // a code's own tolerance
    double wear = 0;                  // pin clearance
    int samples = 2000;
    std::uint64_t seed = 1;
    std::vector<BalancePosition> positions = normalBalancePositions();
    int threads = 0;  // 0: every core
};

// The link lengths and how many pin joints bear on each: what wear acts on.
struct WornLink {
    int code = 0;
    int pins = 2;
};
const std::vector<WornLink>& wornLinks();

// The spread of one event over the samples that have it.
struct Spread {
    double nominal = 0, min = 0, p05 = 0, median = 0, p95 = 0, max = 0;
    int count = 0;  // samples that had the event
};

// An end: front, rear, or the front-minus-rear difference (cut-off only).
enum class SpreadEnd { Front, Rear, Difference };

struct SpreadRow {
    std::size_t position = 0;
    EventQuantity quantity = EventQuantity::CutOff;
    SpreadEnd end = SpreadEnd::Front;
    Spread spread;
    std::vector<double> values;  // every sample's figure that was had, for histograms
};

// A dimension's share of the spread of the cut-off difference, in per cent.
struct Contribution {
    int code = 0;
    double sharePercent = 0;
};

struct ToleranceStudy {
    std::vector<float> resolved;  // the compared positions on the design as it is
    std::vector<PositionTag> tags;
    // Position by position: each quantity front then rear, then the cut-off difference.
    std::vector<SpreadRow> rows;
    int samples = 0;        // samples run
    int failedSamples = 0;  // samples whose linkage would not solve at some compared position
    // Samples that lacked an event somewhere (a port that never opens, say): counted, and
    // left out of that event's figures only.
    int samplesMissingEvents = 0;
    bool cancelled = false;
    // The dimensions that contribute most to the spread of the cut-off difference at the first
    // position, largest first (their squared correlation with it).
    std::vector<Contribution> contributions;
};

// The tolerance each code is varied within under `settings` (0 for one not varied).
double toleranceOf(const ToleranceSettings& settings, int code);

// Runs the study. `progress`, when given, is called now and then with the samples done (from
// the calling thread); `cancel`, when set, stops it (the result is marked cancelled). The same
// seed gives the same figures whatever the number of threads. `m` is only read.
ToleranceStudy toleranceStudy(const Model& m, const ToleranceSettings& settings,
                              const std::function<void(int done)>& progress = {},
                              const std::atomic<bool>* cancel = nullptr);

// "front", "rear" or "difference".
const char* spreadEndName(SpreadEnd end);

// The study as CSV: the rows (position, tag, quantity, end, nominal, min, p05, median, p95,
// max), an empty line, the count of samples, failed ones and ones missing an event, an empty
// line and the largest contributions to the spread of the cut-off difference.
std::string toleranceCsv(const ToleranceStudy& study);

}  // namespace tarvell
