// The indicator diagram: the integration against textbook cards worked out by hand, and the
// cards of the default set against the closed form of an ideal card built from the valve
// events alone.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "Indicator.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

constexpr double kChest = 115, kBack = 15;

IndicatorSettings gas(double n) {
    IndicatorSettings s;
    s.polytropicIndex = n;
    return s;
}

// The ideal card of one end from its valve events: steam from admission (on the return
// stroke) through the dead centre to cut-off, expansion to release, exhaust to the closing
// point of the return stroke, compression to admission; n = 1, clearance c. Places are
// fractions of the end's own stroke.
double closedFormMep(Model m, const EndEvents& e, CylinderEnd end, double c) {
    m.gear.DriverAngle = e.admission.driverAngle;
    ComputePistonAndOpenings(m);
    const double s = m.openings.PistonTravel / 640.0;
    const double xa = end == CylinderEnd::Front ? s : 1 - s;
    const double xc = e.cutOff.value / 100.0, xr = e.release.value / 100.0;
    const double xk = 1 - e.compression.value / 100.0;
    return kChest * (xc - xa) + kChest * (c + xc) * std::log((c + xr) / (c + xc)) +
           kBack * (xk - xr) + kBack * (c + xk) * std::log((c + xa) / (c + xk));
}

}  // namespace

TEST(Indicator, TextbookCardWithoutClearance) {
    // Admission to a quarter of the stroke, expansion to its end, exhaust all the way back.
    const double r = 0.25;
    const std::vector<CardState> front = {
        {0, 0, CardPhase::Steam}, {0, r, CardPhase::Trapped}, {0, 1, CardPhase::Exhaust}};
    IndicatorCard card = integrateCard(front, CylinderEnd::Front, 0, gas(1.0));
    EXPECT_NEAR(card.mep, kChest * r * (1 + std::log(1 / r)) - kBack, 1e-9);
    EXPECT_DOUBLE_EQ(card.cutOffPct, 25);
    EXPECT_NEAR(card.releasePressure, kChest * r, 1e-9);  // p V constant from r to 1
    ASSERT_GE(card.points.size(), 4u);
    EXPECT_EQ(card.points.front().s, card.points.back().s);  // the card closes

    // The same card started in the expansion: the settling turn finds the trapped steam.
    const std::vector<CardState> rotated = {front[1], front[2], front[0]};
    EXPECT_NEAR(integrateCard(rotated, CylinderEnd::Front, 0, gas(1.0)).mep, card.mep, 1e-9);

    // The rear end on the mirrored stroke gives the same card.
    std::vector<CardState> rear = front;
    for (CardState& st : rear) st.s = 1 - st.s;
    EXPECT_NEAR(integrateCard(rear, CylinderEnd::Rear, 0, gas(1.0)).mep, card.mep, 1e-9);

    // n = 1.4: the expansion gives p1 r (1 - r^(n-1)) / (n - 1).
    const double n = 1.4;
    card = integrateCard(front, CylinderEnd::Front, 0, gas(n));
    EXPECT_NEAR(card.mep, kChest * r * (1 + (1 - std::pow(r, n - 1)) / (n - 1)) - kBack, 1e-9);
    EXPECT_NEAR(card.releasePressure, kChest * std::pow(r, n), 1e-9);
}

TEST(Indicator, DefaultSetFollowsTheClosedFormOfItsEvents) {
    const Model m = startedModel();
    const float positions[] = {m.ReverseArmCentre(), m.reverseArmPositions[2],
                               m.reverseArmPositions[3]};
    double mep[3][2];
    for (int i = 0; i < 3; ++i) {
        const PositionEvents e = valveEvents(m, positions[i]);
        const IndicatorResult r = indicatorDiagram(m, positions[i], m.indicator);
        EXPECT_EQ(r.forward, e.forward);
        EXPECT_EQ(r.findings.failedSolves, 0);
        // The events are found to 0.01 degree, well inside 0.1 %.
        const double front = closedFormMep(m, e.front, CylinderEnd::Front, 0.08);
        const double rear = closedFormMep(m, e.rear, CylinderEnd::Rear, 0.08);
        EXPECT_NEAR(r.front.mep, front, 1e-3 * front) << i;
        EXPECT_NEAR(r.rear.mep, rear, 1e-3 * rear) << i;
        EXPECT_NEAR(r.front.cutOffPct, e.front.cutOff.value, 0.01);
        // Bore 2, stroke 3.25: pi / 4 * 2^2 * 3.25 = 3.25 pi.
        EXPECT_NEAR(r.front.work + r.rear.work,
                    (r.front.mep + r.rear.mep) * 3.25 * std::numbers::pi, 1e-9);
        EXPECT_NEAR(r.differencePct, 200 * (r.front.mep - r.rear.mep) / (r.front.mep + r.rear.mep),
                    1e-9);
        mep[i][0] = r.front.mep, mep[i][1] = r.rear.mep;
    }
    for (int end = 0; end < 2; ++end) {
        EXPECT_GT(mep[1][end], 0);
        EXPECT_GT(mep[1][end], mep[0][end]);
    }
}

TEST(Indicator, ExpansionKeepsPVnConstant) {
    Model m = startedModel();
    const float fwd = m.reverseArmPositions[2];
    const double n = 1.3, c = 0.08;
    const PositionEvents e = valveEvents(m, fwd);
    const IndicatorResult r = indicatorDiagram(m, fwd, gas(n));
    const double cut = e.front.cutOff.value / 100.0, release = e.front.release.value / 100.0;
    const double k = kChest * std::pow(c + cut, n);
    int expansion = 0;
    for (const CardPoint& p : r.front.points)
        if (p.phase == CardPhase::Trapped && p.stroke > 0.5) {
            ++expansion;
            EXPECT_NEAR(p.pressure * std::pow(c + p.stroke, n), k, 1e-3 * k) << p.angle;
        }
    EXPECT_GT(expansion, 25);  // 114 to 143 degrees, a point a degree
    EXPECT_NEAR(r.front.releasePressure, k / std::pow(c + release, n), 1e-3 * kChest);
}

TEST(Indicator, OneDegreeSamplesMatchAHundredTimesFiner) {
    const Model m = startedModel();
    const float fwd = m.reverseArmPositions[2];
    const IndicatorResult coarse = indicatorDiagram(m, fwd, m.indicator);
    const IndicatorResult fine = indicatorDiagram(m, fwd, m.indicator, 36000);
    EXPECT_LT(coarse.solves, 500);
    EXPECT_NEAR(coarse.front.mep, fine.front.mep, 1e-4 * fine.front.mep);
    EXPECT_NEAR(coarse.rear.mep, fine.rear.mep, 1e-4 * fine.rear.mep);
}

TEST(Indicator, SettingsAreCheckedAndMadeUsable) {
    const Model m = startedModel();
    EXPECT_EQ(m.indicator, IndicatorSettings{});
    EXPECT_EQ(m.indicator.chestPressure, 115);
    EXPECT_EQ(m.indicator.frontClearancePct, 8);
    EXPECT_EQ(indicatorSettingsProblem(m.indicator), "");

    IndicatorSettings s;
    s.backPressure = 120;
    EXPECT_EQ(indicatorSettingsProblem(s),
              "the back pressure 120 is not below the chest pressure 115");
    EXPECT_EQ(usableIndicatorSettings(s), IndicatorSettings{});
    s = {};
    s.polytropicIndex = 1.5;
    s.rearClearancePct = -1;
    s.chestPressure = NAN;
    EXPECT_EQ(indicatorSettingsProblem(s), "the chest pressure is not a number");
    const IndicatorSettings usable = usableIndicatorSettings(s);
    EXPECT_EQ(usable.chestPressure, 115);
    EXPECT_EQ(usable.polytropicIndex, 1.4);
    EXPECT_EQ(usable.rearClearancePct, 0.1);
    EXPECT_EQ(indicatorSettingsProblem(usable), "");

    EXPECT_DOUBLE_EQ(mepDifferencePercent(110, 90), 20);
    EXPECT_TRUE(std::isnan(mepDifferencePercent(-1, 1)));
}

TEST(Indicator, WildDimensionsGiveACardAndLeaveTheModel) {
    for (const float v : {0.0f, -5.0f, 1e30f, NAN}) {
        Model m = startedModel();
        m.frame.Stroke = v;
        m.cyl.CylinderBoreDia() = v;
        m.gear.DriverAngle = 33;
        const IndicatorResult r = indicatorDiagram(m, m.reverseArmPositions[2], m.indicator);
        EXPECT_FALSE(r.front.points.empty());
        EXPECT_EQ(m.gear.DriverAngle, 33);
    }
}

TEST(Indicator, RandomDesignsCutOffWhileExpandingAndReleaseByTheExpansionLaw) {
    // A dozen designs near the default set, a negative lifting arm among them, each at mid
    // gear, its normal and its greatest positions. The cut-off quoted is a change from steam
    // to trapped steam while the end's volume grows; the pressure at release is the chest
    // pressure expanded from the volume at the last cut-off before it to the volume at the
    // release, p V^n constant: below the chest pressure when the exhaust opens further out in
    // the stroke, above it only when the exhaust opens after the dead centre, back inside
    // the volume the steam was cut off at.
    std::mt19937 rng(27);
    int cards = 0, beyondDeadCentre = 0;
    for (int design = 0; design < 12; ++design) {
        const Model m = test::randomDesign(rng, 0.12, design % 4 == 1);
        const float c = m.ReverseArmCentre();
        const float norm = m.frame.RevArmToCentNorm, max = m.frame.RevArmToCentMax;
        for (const float position : {c, c + norm, c - norm, c + max, c - max}) {
            const IndicatorResult r = indicatorDiagram(m, position, m.indicator);
            if (r.findings.failedSolves > 0 || r.findings.errorRaised) continue;
            const double clearance[] = {m.indicator.frontClearancePct / 100.0,
                                        m.indicator.rearClearancePct / 100.0};
            for (int end = 0; end < 2; ++end) {
                const IndicatorCard& card = end == 0 ? r.front : r.rear;
                SCOPED_TRACE(std::to_string(design) + " at " + std::to_string(position));
                if (!std::isfinite(card.cutOffPct)) continue;
                ++cards;
                const std::vector<CardPoint>& p = card.points;
                std::size_t cut = 0;
                for (std::size_t i = 1; i + 1 < p.size() && cut == 0; ++i)
                    if (p[i - 1].phase == CardPhase::Steam && p[i].phase == CardPhase::Trapped &&
                        std::fabs(100 * p[i].stroke - card.cutOffPct) < 1e-9 &&
                        p[i + 1].stroke > p[i].stroke)
                        cut = i;
                ASSERT_GT(cut, 0u) << card.cutOffPct;
                if (!std::isfinite(card.releasePressure)) continue;
                std::size_t trapped = cut, release = cut;  // going on round the turn
                for (std::size_t k = 1; k < p.size(); ++k) {
                    const std::size_t i = (cut + k) % p.size(),
                                      before = (i + p.size() - 1) % p.size();
                    if (p[before].phase == CardPhase::Steam && p[i].phase == CardPhase::Trapped)
                        trapped = i;
                    if (p[before].phase == CardPhase::Trapped && p[i].phase == CardPhase::Exhaust) {
                        release = i;
                        break;
                    }
                }
                ASSERT_NE(release, cut);
                const double from = clearance[end] + p[trapped].stroke;
                const double to = clearance[end] + p[release].stroke;
                EXPECT_NEAR(card.releasePressure, kChest * (from / to), 1e-9 * kChest);
                if (to >= from)
                    EXPECT_LE(card.releasePressure, kChest);
                else
                    ++beyondDeadCentre;
            }
        }
    }
    EXPECT_GT(cards, 30);
    EXPECT_LT(beyondDeadCentre, cards / 4);
}
