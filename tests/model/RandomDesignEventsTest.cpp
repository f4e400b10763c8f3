// The valve events of 500 random plausible designs, 20 reverse arm positions each, against a
// scan of every whole degree that halves each change to a hundredth of a degree and looks at
// the valve's extremes every twentieth: the bounds of FastEventsCheck.h hold throughout. A
// design is plausible when its linkage closes over the whole turn at every position compared
// (neither the scan nor the program met a joint that cannot close).
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "FastEventsCheck.h"
#include "ReferenceValveEvents.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;

TEST(FastValveEvents, AgreeWithTheDegreeScanOnRandomDesigns) {
#if defined(__SANITIZE_ADDRESS__)
    // Under the sanitizers, which make every solve some ten times slower, a tenth of them:
    // that build is there for memory and undefined behaviour, which these cover as well.
    constexpr int kDesigns = 50;
#else
    constexpr int kDesigns = 500;
#endif
    constexpr int kPositions = 20;
    std::mt19937 rng(20261208);
    int plausible = 0, tried = 0;
    while (plausible < kDesigns && !::testing::Test::HasFailure()) {
        const Model m = test::randomDesign(rng, 0.12, tried++ % 4 == 3);
        const float centre = m.ReverseArmCentre(), reach = m.frame.RevArmToCentMax;
        std::vector<std::pair<PositionEvents, std::optional<test::ReferenceScan>>> compared;
        bool closes = true;
        for (int k = 0; k < kPositions && closes; ++k) {
            const float position = centre - reach + reach * (static_cast<float>(k) + 0.5f) / 10.0f;
            const PositionEvents fast = valveEvents(m, position);
            compared.emplace_back(fast, std::nullopt);
            auto& scan = compared.back().second.emplace(m, position, 1.0);
            const test::ReferenceEvents ref = scan.events(0);
            closes = fast.failedSolves == 0 && !fast.errorRaised && ref.failedSolves == 0 &&
                     !ref.errorRaised;
        }
        if (!closes) continue;
        ++plausible;
        for (const auto& [fast, scan] : compared) {
            SCOPED_TRACE("design " + std::to_string(tried - 1) + " at " +
                         std::to_string(fast.position));
            test::expectEventsAgree(m, fast, *scan, std::nullopt);
        }
    }
    // Most designs this near the default set close everywhere.
    EXPECT_LT(tried, 2 * kDesigns);
}
