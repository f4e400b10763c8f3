// The card at speed: as the speed tends to zero it becomes the idealised card; it thins as the
// speed rises (at a long cut-off only once its blow-down runs past the dead centre: before,
// its toe may outweigh the wire-drawing); over a settled turn each end lets out the steam it
// takes in; its pressures stay between back pressure and the lifting limit; its units are
// those the settings name, checked by the flows' own similarity (the same card at a speed in
// proportion to the scale).
#include <gtest/gtest.h>

#include <cmath>

#include "Notch.h"
#include "TestModel.h"
#include "ThrottledCard.h"
#include "ValveEventsTable.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

float runningNotch(const Model& m) {
    const NotchPosition n = findNotch(m, {25, true});
    EXPECT_TRUE(n.found) << n.reason;
    return n.position;
}

void expectSteamBalanced(const ThrottledIndicatorResult& r) {
    for (const ThrottledEnd* e : {&r.front, &r.rear}) {
        EXPECT_GT(e->steamIn, 0);
        EXPECT_NEAR(e->steamOut, e->steamIn, 1e-3 * e->steamIn);
    }
}

}  // namespace

TEST(ThrottledCard, SaturationTemperatureOfTheSteamTables) {
    // The verification values of the industrial formulation (IAPWS-IF97, region 4).
    EXPECT_NEAR(saturationTemperature(0.1e6), 372.755919, 1e-6);
    EXPECT_NEAR(saturationTemperature(1e6), 453.035632, 1e-6);
    EXPECT_NEAR(saturationTemperature(10e6), 584.149488, 1e-6);
}

TEST(ThrottledCard, TendsToTheIdealisedCardAsTheSpeedFalls) {
    const Model m = startedModel();
    IndicatorSettings s = m.indicator;
    s.valveLifts = false;  // the idealised card holds trapped steam at any pressure
    for (double n : {1.0, 1.3}) {
        s.polytropicIndex = n;
        for (float position : {runningNotch(m), m.reverseArmPositions[2], m.ReverseArmCentre()}) {
            SCOPED_TRACE(testing::Message() << "n " << n << " at " << position);
            const IndicatorResult ideal = indicatorDiagram(m, position, s);
            // A port opening from nothing passes little at first whatever the speed, so the
            // card comes in as the root of the speed: mid gear, whose small MEP is the
            // difference of large works, wants a twentieth of a turn a minute.
            const ThrottledIndicatorResult slow = throttledIndicatorDiagram(m, position, s, 0.05);
            ASSERT_TRUE(slow.settled);
            EXPECT_NEAR(slow.front.card.mep, ideal.front.mep, 0.01 * ideal.front.mep);
            EXPECT_NEAR(slow.rear.card.mep, ideal.rear.mep, 0.01 * ideal.rear.mep);
            EXPECT_NEAR(slow.front.card.cutOffPct, ideal.front.cutOffPct, 0.01);
            EXPECT_NEAR(slow.rear.card.releasePressure, ideal.rear.releasePressure,
                        0.01 * ideal.rear.releasePressure);
        }
        // At speed the running notch's card is another.
        const float notch = runningNotch(m);
        const IndicatorResult ideal = indicatorDiagram(m, notch, s);
        const ThrottledIndicatorResult fast = throttledIndicatorDiagram(m, notch, s, 1000);
        EXPECT_LT(fast.front.card.mep, 0.95 * ideal.front.mep);
        EXPECT_LT(fast.rear.card.mep, 0.95 * ideal.rear.mep);
    }
}

TEST(ThrottledCard, ThinsAsTheSpeedRises) {
    const Model m = startedModel();
    for (float position : {runningNotch(m), m.ReverseArmCentre()}) {
        double front = HUGE_VAL, rear = HUGE_VAL;
        for (double rpm : {50.0, 200.0, 500.0, 1000.0}) {
            SCOPED_TRACE(testing::Message() << rpm << " rpm at " << position);
            const ThrottledIndicatorResult r =
                throttledIndicatorDiagram(m, position, m.indicator, rpm);
            ASSERT_TRUE(r.settled);
            EXPECT_LT(r.front.card.mep, front);
            EXPECT_LT(r.rear.card.mep, rear);
            front = r.front.card.mep, rear = r.rear.card.mep;
            expectSteamBalanced(r);
        }
    }
}

namespace {

// The work of a card from the exhaust's opening to the dead centre while the volume still grows
// (the card's toe), and the rest of it, in the card's pressure times the stroke.
struct SplitWork {
    double toe = 0, rest = 0;
};

SplitWork splitWork(const IndicatorCard& card) {
    SplitWork w;
    for (std::size_t i = 1; i < card.points.size(); ++i) {
        const CardPoint &a = card.points[i - 1], &b = card.points[i];
        const double work = 0.5 * (a.pressure + b.pressure) * (b.stroke - a.stroke);
        (b.stroke > a.stroke && a.phase == CardPhase::Exhaust ? w.toe : w.rest) += work;
    }
    return w;
}

}  // namespace

TEST(ThrottledCard, AtALongCutOffOnlyTheToeGainsOnTheIdealisedCard) {
    // At normal forward (cut-off near 73 %, release near 91 % of the stroke) the idealised card
    // drops to back pressure the instant the exhaust opens; at a moderate speed the steam
    // takes some degrees to blow down and goes on pushing the piston to the dead centre. That
    // toe may outweigh the wire-drawing: the card at speed then shows more work. Everywhere
    // else it can only lose, and the toe cannot pass the expansion carried on to the dead
    // centre. Once the blow-down runs past the dead centre the MEP falls with the speed.
    const Model m = startedModel();
    const IndicatorSettings& s = m.indicator;
    const float fwd = m.reverseArmPositions[2];
    const IndicatorResult ideal = indicatorDiagram(m, fwd, s);
    const ThrottledIndicatorResult r = throttledIndicatorDiagram(m, fwd, s, 200);
    ASSERT_TRUE(r.settled);
    for (bool front : {true, false}) {
        SCOPED_TRACE(front ? "front" : "rear");
        const IndicatorCard& idealCard = front ? ideal.front : ideal.rear;
        const IndicatorCard& card = (front ? r.front : r.rear).card;
        const SplitWork i = splitWork(idealCard), t = splitWork(card);
        EXPECT_NEAR(i.toe + i.rest, idealCard.mep, 2e-3 * idealCard.mep);
        EXPECT_NEAR(t.toe + t.rest, card.mep, 2e-3 * card.mep);
        EXPECT_LT(t.rest, i.rest);
        EXPECT_GT(t.toe, i.toe);
        // The steam at release expanding as p V^n (n = 1) to the dead centre, clearance c.
        const double c = (front ? s.frontClearancePct : s.rearClearancePct) / 100.0;
        EXPECT_NEAR(card.releasePressure, idealCard.releasePressure,
                    0.1 * idealCard.releasePressure);
        double toeBound = 0;
        for (std::size_t k = 1; k < card.points.size(); ++k) {
            const CardPoint &before = card.points[k - 1], &p = card.points[k];
            if (p.phase != CardPhase::Exhaust || before.phase == CardPhase::Exhaust ||
                p.stroke < 0.5)
                continue;
            const double v = c + p.stroke;
            toeBound = card.releasePressure * v * std::log((c + 1.0) / v);
        }
        EXPECT_LT(t.toe, toeBound);
    }
    double front = r.front.card.mep, rear = r.rear.card.mep;
    for (double rpm : {2000.0, 4000.0}) {
        const ThrottledIndicatorResult fast = throttledIndicatorDiagram(m, fwd, s, rpm);
        EXPECT_LT(fast.front.card.mep, front) << rpm;
        EXPECT_LT(fast.rear.card.mep, rear) << rpm;
        front = fast.front.card.mep, rear = fast.rear.card.mep;
    }
    EXPECT_LT(front, 0.95 * ideal.front.mep);
    EXPECT_LT(rear, 0.95 * ideal.rear.mep);
}

TEST(ThrottledCard, PressuresStayBetweenBackPressureAndTheLiftingLimit) {
    const Model m = startedModel();
    const IndicatorSettings& s = m.indicator;
    for (float position : {m.ReverseArmCentre(), runningNotch(m), m.reverseArmPositions[3]}) {
        const ThrottledIndicatorResult r = throttledIndicatorDiagram(m, position, s, 200);
        for (const ThrottledEnd* e : {&r.front, &r.rear}) {
            EXPECT_LE(e->greatestPressure, s.chestPressure * (1 + 1e-12));
            // An end whose volume still grows with its exhaust open draws the exhaust's steam
            // back in, a little below back pressure.
            EXPECT_GE(e->leastPressure, s.backPressure * (1 - 0.005));
            for (const CardPoint& p : e->card.points) {
                EXPECT_LE(p.pressure, e->greatestPressure);
                EXPECT_GE(p.pressure, e->leastPressure);
            }
        }
        expectSteamBalanced(r);
    }

    // With a small clearance mid gear compresses its steam far above chest pressure on the
    // idealised card; at speed the valve lifts and holds it to chest pressure.
    IndicatorSettings small = s;
    small.frontClearancePct = small.rearClearancePct = 1;
    const IndicatorResult ideal = indicatorDiagram(m, m.ReverseArmCentre(), small);
    double idealGreatest = 0;
    for (const CardPoint& p : ideal.front.points)
        idealGreatest = std::max(idealGreatest, p.pressure);
    EXPECT_GT(idealGreatest, 1.5 * s.chestPressure);
    const ThrottledIndicatorResult r =
        throttledIndicatorDiagram(m, m.ReverseArmCentre(), small, 200);
    EXPECT_GT(r.front.lifted, 0);
    EXPECT_DOUBLE_EQ(r.front.greatestPressure, s.chestPressure);
    expectSteamBalanced(r);
    small.valveLifts = false;
    const ThrottledIndicatorResult held =
        throttledIndicatorDiagram(m, m.ReverseArmCentre(), small, 200);
    EXPECT_EQ(held.front.lifted, 0);
    EXPECT_GT(held.front.greatestPressure, 1.2 * s.chestPressure);
}

TEST(ThrottledCard, UnitsAreTheSettingsOwn) {
    const Model m = startedModel();
    const float position = runningNotch(m);
    const ThrottledIndicatorResult psi = throttledIndicatorDiagram(m, position, m.indicator, 200);
    // The same pressures in kPa: the same card, in kPa.
    IndicatorSettings kpa = m.indicator;
    const double perPsi = 6.894757293168;  // kPa
    kpa.pressureUnit = PressureUnit::Kilopascal;
    kpa.chestPressure *= perPsi;
    kpa.backPressure *= perPsi;
    const ThrottledIndicatorResult k = throttledIndicatorDiagram(m, position, kpa, 200);
    EXPECT_NEAR(k.front.card.mep, psi.front.card.mep * perPsi, 1e-5 * k.front.card.mep);
    EXPECT_NEAR(k.rear.card.mep, psi.rear.card.mep * perPsi, 1e-5 * k.rear.card.mep);
    // Drawn in millimetres the engine is 25.4 times smaller: a flow area over a volume scales
    // as one over the size, so the small engine at 25.4 times the speed gives the same card;
    // its steam is 25.4 cubed times less.
    IndicatorSettings mm = m.indicator;
    mm.lengthUnit = LengthUnit::Millimetre;
    const ThrottledIndicatorResult small = throttledIndicatorDiagram(m, position, mm, 200 * 25.4);
    EXPECT_NEAR(small.front.card.mep, psi.front.card.mep, 1e-5 * psi.front.card.mep);
    EXPECT_NEAR(small.rear.card.mep, psi.rear.card.mep, 1e-5 * psi.rear.card.mep);
    EXPECT_NEAR(small.front.steamIn * 25.4 * 25.4 * 25.4, psi.front.steamIn,
                1e-4 * psi.front.steamIn);
    // A longer port throttles less.
    IndicatorSettings wide = m.indicator;
    wide.portLength *= 2;
    EXPECT_GT(throttledIndicatorDiagram(m, position, wide, 200).front.card.mep, psi.front.card.mep);
}

TEST(ThrottledCard, RefusesASpeedOutOfRangeAndMakesSettingsUsable) {
    const Model m = startedModel();
    for (double rpm : {0.0, -5.0, std::nan(""), 1e9}) {
        const ThrottledIndicatorResult r =
            throttledIndicatorDiagram(m, m.reverseArmPositions[2], m.indicator, rpm);
        EXPECT_FALSE(r.problem.empty());
        EXPECT_TRUE(r.front.card.points.empty());
    }
    IndicatorSettings s;
    s.portLength = NAN;
    EXPECT_EQ(indicatorSettingsProblem(s), "the port length is not a number");
    s.portLength = -1;
    EXPECT_EQ(indicatorSettingsProblem(s), "the port length -1 lies outside 0 to 1e+06");
    s.pressureUnit = static_cast<PressureUnit>(7);
    const IndicatorSettings usable = usableIndicatorSettings(s);
    EXPECT_EQ(usable.portLength, IndicatorSettings{}.portLength);
    EXPECT_EQ(usable.pressureUnit, PressureUnit::Psi);
    EXPECT_EQ(indicatorSettingsProblem(usable), "");
}
