// Balancing: the search evens out the default gear's cut-offs with the valve rod and the
// fulcrum lever's lower arm, varies only what moves the events, stops when asked, and takes a
// design whose events cannot be found without harm; it is judged by the sum it makes small,
// says when a target or a range held it back and what the balance cost; the report command
// prints and saves its result.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Balance.h"
#include "BalanceMeasure.h"
#include "BalanceVerdict.h"
#include "Calc.h"
#include "DataFile.h"
#include "DieSlip.h"
#include "Indicator.h"
#include "Numbers.h"
#include "ReportRun.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;

namespace {

BalanceRequest valveRodAndLowerArm(const Model& m) {
    BalanceRequest r;
    for (int code : {11, 9})
        r.vary.push_back(defaultBalanceVariable(code, dimensionValue(m, code)));
    return r;
}

// Front-minus-rear cut-offs at normal forward and reverse, worked out afresh: mid gear
// recomputed, the normal positions RevArmToCentNorm either side of it (forward on the plus
// side for this gear), the events as the program finds them everywhere else.
std::array<double, 2> normalCutOffDifferences(Model m) {
    CalcMidGear(m);
    const float c = m.ReverseArmCentre(), norm = m.frame.RevArmToCentNorm;
    std::array<double, 2> out{};
    for (std::size_t i = 0; i < 2; ++i) {
        const PositionEvents e = valveEvents(m, i == 0 ? c + norm : c - norm);
        EXPECT_TRUE(e.front.cutOff.occurs() && e.rear.cutOff.occurs());
        out[i] = static_cast<double>(e.front.cutOff.value) - e.rear.cutOff.value;
    }
    return out;
}

// Front minus rear MEP at normal forward in per cent of their mean, from the indicator cards
// of the design with its mid gear recomputed.
double normalForwardMepDifference(Model m) {
    CalcMidGear(m);
    const float forward = m.ReverseArmCentre() + m.frame.RevArmToCentNorm;
    const IndicatorResult cards = indicatorDiagram(m, forward, m.indicator);
    const double f = cards.front.mep, r = cards.rear.mep;
    EXPECT_GT(f + r, 0);
    return 100.0 * (f - r) / (0.5 * (f + r));
}

// Codes 11 and 9 moved within 5 % of their defaults (9.813 and 3.113); every other
// dimension exactly as it was.
void expectOnlyRodAndArmChanged(const Model& before, const Model& after) {
    for (const DimensionInfo& d : allDimensions()) {
        const float was = dimensionValue(before, d), is = dimensionValue(after, d);
        if (d.code == 11 || d.code == 9) {
            EXPECT_NE(is, was) << d.code;
            EXPECT_LE(std::fabs(is - was), 0.05 * was + 1e-6) << d.code;
        } else {
            EXPECT_EQ(is, was) << d.code;
        }
    }
}

Model lappedFrontPort() {
    Model m = test::startedModel();
    // The front steam lap becomes 2 - (0.28125 + 0.25 + 0.25) = 1.22, while the valve moves
    // about half an inch either way of centre: the port never opens to steam.
    m.cyl.ValveLengthFrontHalf() = 2.0f;
    return m;
}

std::filesystem::path tempPath(const char* name) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove(path);
    return path;
}

std::vector<unsigned char> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Balance, EvensOutTheNormalCutOffs) {
    const Model m = test::startedModel();
    // Before: about 73 % against 84 % forward, and several per cent apart in reverse.
    for (double d : normalCutOffDifferences(m)) EXPECT_GT(std::fabs(d), 5.0);

    const BalanceResult result = balanceDesign(m, valveRodAndLowerArm(m));
    ASSERT_TRUE(result.improved()) << result.reason;
    expectOnlyRodAndArmChanged(m, result.design);
    Model applied = m;
    for (const DimensionChange& c : result.dimensions) setDimensionValue(applied, c.code, c.after);
    for (double d : normalCutOffDifferences(applied)) EXPECT_LT(std::fabs(d), 0.3);
}

TEST(Balance, EvensOutTheMepsAtNormalForward) {
    const Model m = test::startedModel();
    const double before = normalForwardMepDifference(m);
    EXPECT_GT(std::fabs(before), 2.0);

    BalanceRequest request = valveRodAndLowerArm(m);
    request.objectives = {BalanceObjective::Mep};
    request.positions = {BalancePosition::named(BalancePosition::Kind::NormalForward)};
    const BalanceResult result = balanceDesign(m, request);
    ASSERT_TRUE(result.improved()) << result.reason;
    expectOnlyRodAndArmChanged(m, result.design);
    Model applied = m;
    for (const DimensionChange& c : result.dimensions) setDimensionValue(applied, c.code, c.after);
    const double after = normalForwardMepDifference(applied);
    EXPECT_LT(std::fabs(after), 0.25 * std::fabs(before));
    ASSERT_EQ(result.differences.size(), 1u);
    ASSERT_TRUE(result.differences[0].before && result.differences[0].after);
    EXPECT_NEAR(*result.differences[0].before, before, 0.01);
    EXPECT_NEAR(*result.differences[0].after, after, 0.01);
}

TEST(Balance, MakesTheGreatestDieSlipSmall) {
    const Model m = test::startedModel();
    BalanceRequest request;
    for (int code : {12, 21})
        request.vary.push_back(defaultBalanceVariable(code, dimensionValue(m, code)));
    request.objectives = {BalanceObjective::DieSlip};
    // Only the greater of the two slips counts, in per cent of the 3.25 stroke: reverse's.
    const DesignMeasure start = measureDesign(m, request, balanceScale(m));
    ASSERT_EQ(start.differences.size(), 2u);
    const double forward = dieSlip(m, m.reverseArmPositions[2]).slip();
    const double reverse = dieSlip(m, m.reverseArmPositions[3]).slip();
    EXPECT_NEAR(*start.differences[0], forward, 1e-9);
    EXPECT_NEAR(*start.differences[1], reverse, 1e-9);
    EXPECT_NEAR(start.objective, std::pow(reverse * 100 / 3.25, 2), 1e-6);

    const BalanceResult result = balanceDesign(m, request);
    ASSERT_TRUE(result.improved()) << result.reason;
    Model applied = m;
    for (const DimensionChange& c : result.dimensions) setDimensionValue(applied, c.code, c.after);
    CalcMidGear(applied);
    const double after = std::max(dieSlip(applied, applied.reverseArmPositions[2]).slip(),
                                  dieSlip(applied, applied.reverseArmPositions[3]).slip());
    EXPECT_LT(after, reverse - 0.01);
}

TEST(Balance, VariesOnlyWhatMovesTheEvents) {
    for (int code : {0, 26, 27, 28, 100, 123}) EXPECT_FALSE(varyCodeRefusal(code).empty()) << code;
    // Every other dimension either moves the events at a fixed position when nudged, and may
    // be varied, or only redraws the engine, and is refused.
    const Model m = test::startedModel();
    const float position = m.reverseArmPositions[2];
    const PositionEvents base = valveEvents(m, position);
    for (const DimensionInfo& d : allDimensions()) {
        if (d.code == 27 || d.code == 28) continue;
        Model nudged = m;
        setDimensionValue(nudged, d.code, dimensionValue(m, d) + 0.05f);
        const PositionEvents e = valveEvents(nudged, position);
        bool moved = false;
        for (auto end : {&PositionEvents::front, &PositionEvents::rear})
            for (auto event : {&EndEvents::cutOff, &EndEvents::release})
                moved = moved || (e.*end.*event).value != (base.*end.*event).value;
        EXPECT_EQ(varyCodeRefusal(d.code).empty(), moved) << d.code;
    }
    BalanceRequest r = valveRodAndLowerArm(m);
    r.vary[0].upper = 9.8f;  // leaves out the present 9.813
    EXPECT_FALSE(checkBalanceRequest(m, r).empty());
    r = valveRodAndLowerArm(m);
    r.vary.push_back(r.vary[0]);
    EXPECT_FALSE(checkBalanceRequest(m, r).empty());
}

TEST(Balance, CancelLeavesTheDesignAsItWas) {
    const Model m = test::startedModel();
    std::atomic<bool> cancel{false};
    int calls = 0;
    BalanceControl control;
    control.cancel = &cancel;
    control.onProgress = [&](const BalanceProgress& p) {
        EXPECT_EQ(p.evaluations, ++calls);
        if (calls == 3) cancel = true;
    };
    const BalanceResult result = balanceDesign(m, valveRodAndLowerArm(m), control);
    EXPECT_EQ(result.outcome, BalanceOutcome::Cancelled);
    EXPECT_EQ(result.evaluations, 3);
    EXPECT_EQ(encodeDataFile(result.design), encodeDataFile(m));
}

TEST(Balance, APortThatNeverOpensIsPenalisedWithoutHarm) {
    const Model m = lappedFrontPort();
    const BalanceResult result = balanceDesign(m, valveRodAndLowerArm(m));
    EXPECT_EQ(result.outcome, BalanceOutcome::NotImproved);
    EXPECT_EQ(result.worstBefore, kMissingPoints);
    for (const BalanceDifference& d : result.differences) EXPECT_FALSE(d.before || d.after);
    EXPECT_EQ(encodeDataFile(result.design), encodeDataFile(m));
}

TEST(ReportBalance, SavesADesignWhoseCutOffsAgree) {
    const auto path = tempPath("tarvell-balance-test.dtv");
    const test::ReportRun r =
        test::runReportTool({"balance", "--vary", "11,9", "--reverse-arm", "fwd", "--reverse-arm",
                             "rev", "--objective", "cutoff", "--save", path.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("# balance: improved", 0), 0u) << r.out;
    const DecodedDataFile decoded = decodeDataFile(fileBytes(path));
    std::filesystem::remove(path);
    ASSERT_TRUE(decoded.dataSet) << decoded.reason;
    Model saved = test::startedModel();
    applyDataSet(saved, *decoded.dataSet);
    expectOnlyRodAndArmChanged(test::startedModel(), saved);
    for (double d : normalCutOffDifferences(saved)) EXPECT_LT(std::fabs(d), 0.3);
}

TEST(ReportBalance, SavesNothingWhenItCannotImprove) {
    const auto lapped = tempPath("tarvell-balance-lapped.dtv");
    const auto out = tempPath("tarvell-balance-none.dtv");
    {
        const std::vector<unsigned char> bytes = encodeDataFile(lappedFrontPort());
        std::ofstream(lapped, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    const test::ReportRun r = test::runReportTool(
        {"balance", "--vary", "11", "--file", lapped.string(), "--save", out.string()});
    std::filesystem::remove(lapped);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("not improved"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ReportBalance, BadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"balance"},
        {"balance", "--vary", "27"},
        {"balance", "--vary", "104"},
        {"balance", "--vary", "999"},
        {"balance", "--vary", "11,x"},
        {"balance", "--vary", "11,11"},
        {"balance", "--vary", "11,9,12,7,16"},
        {"balance", "--vary", "11", "--objective", "speed"},
        {"balance", "--vary", "11", "--objective", "cutoff,"},
        {"balance", "--vary", "11", "--range", "9=0.1"},
        {"balance", "--vary", "11", "--range", "11=-1"},
        {"balance", "--vary", "11", "--reverse-arm", "sideways"},
        {"balance", "--vary", "11", "--target-cutoff", "150"},
    };
    for (const auto& args : bad) {
        const test::ReportRun r = test::runReportTool(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        EXPECT_NE(r.err.find("tarvell-report"), std::string::npos) << args.back();
    }
}

namespace {

// The sum of squares the search makes small, worked out afresh for cut-offs at normal forward
// and reverse with a target for their mean at normal forward.
double cutOffSumWithTarget(Model m, double target) {
    const std::array<double, 2> d = normalCutOffDifferences(m);
    CalcMidGear(m);
    const PositionEvents fwd = valveEvents(m, m.ReverseArmCentre() + m.frame.RevArmToCentNorm);
    const double mean = 0.5 * (static_cast<double>(fwd.front.cutOff.value) + fwd.rear.cutOff.value);
    return d[0] * d[0] + d[1] * d[1] + (mean - target) * (mean - target);
}

Model withDimensions(const Model& m, const BalanceResult& r) {
    Model out = m;
    for (const DimensionChange& c : r.dimensions) setDimensionValue(out, c.code, c.after);
    return out;
}

bool mentions(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(Balance, JudgesByTheSumOfSquaresItMakesSmall) {
    // A target of 50 % the valve rod and the lower arm cannot bring the mean cut-off near
    // (it stays about 78 %): the sum falls as the cut-offs come together, while the worst
    // term, the distance from the target, does not.
    const Model m = test::startedModel();
    BalanceRequest request = valveRodAndLowerArm(m);
    request.targetCutOff = 50;
    const BalanceResult r = balanceDesign(m, request);
    const double before = cutOffSumWithTarget(m, 50);
    EXPECT_NEAR(r.sumBefore, before, 1e-6 * before);
    ASSERT_TRUE(r.improved()) << r.reason;
    const double after = cutOffSumWithTarget(withDimensions(m, r), 50);
    EXPECT_NEAR(r.sumAfter, after, 1e-6 * before);
    EXPECT_LT(after, before);
    EXPECT_GT(r.worstAfter, 20.0);
    // The target is said to be out of reach, with where the mean ended.
    ASSERT_TRUE(r.targetMeanAfter);
    EXPECT_GT(std::fabs(*r.targetMeanAfter - 50), kTargetReachedWithin);
    EXPECT_TRUE(mentions(balanceNotes(r), "target cut-off of 50.0 % is not reached"));

    // Without a target, the cut-offs can be evened: nothing more to say.
    const BalanceResult even = balanceDesign(m, valveRodAndLowerArm(m));
    EXPECT_TRUE(balanceNotes(even).empty());
}

TEST(Balance, SaysWhenADimensionEndsOnItsRange) {
    // The valve rod alone, allowed 0.01 either way of its 9.813: the sum of squares (worked
    // out afresh) still falls at the lower end, so the search stops there.
    const Model m = test::startedModel();
    auto sumAt = [&](float rod) {
        Model d = m;
        d.frame.ValveRodTotalLen = rod;
        const std::array<double, 2> diff = normalCutOffDifferences(d);
        return diff[0] * diff[0] + diff[1] * diff[1];
    };
    EXPECT_LT(sumAt(9.803f), sumAt(9.804f));
    EXPECT_LT(sumAt(9.803f), sumAt(9.823f));

    BalanceRequest request;
    request.vary = {{11, 9.813 - 0.01, 9.813 + 0.01}};
    const BalanceResult r = balanceDesign(m, request);
    ASSERT_TRUE(r.improved()) << r.reason;
    ASSERT_EQ(r.dimensions.size(), 1u);
    EXPECT_EQ(r.dimensions[0].end, RangeEnd::Lower);
    EXPECT_NEAR(r.dimensions[0].after, 9.803, 1e-4);
    EXPECT_TRUE(mentions(balanceNotes(r),
                         "11 Valve Rod Total Len ends on the lower end of its "
                         "range, 9.8030: a wider range"));
    // With the default range it stops inside.
    request.vary = {defaultBalanceVariable(11, 9.813)};
    EXPECT_EQ(balanceDesign(m, request).dimensions[0].end, RangeEnd::Inside);
}

TEST(Balance, EqualisesAtForwardOnly) {
    const Model m = test::startedModel();
    BalanceRequest request = valveRodAndLowerArm(m);
    request.positions = balancePositions(BalancePositionGroup::NormalForward, m);
    const BalanceResult r = balanceDesign(m, request);
    ASSERT_TRUE(r.improved()) << r.reason;
    ASSERT_EQ(r.differences.size(), 1u);
    EXPECT_EQ(balancePositionName(r.differences[0].position), "normal fwd");
    const std::array<double, 2> d = normalCutOffDifferences(withDimensions(m, r));
    EXPECT_LT(std::fabs(d[0]), 0.3);
    EXPECT_GT(std::fabs(d[1]), 1.0);  // reverse was not asked for, and it does not come along
    // Reverse alone compares at normal reverse alone.
    const std::vector<BalancePosition> reverse =
        balancePositions(BalancePositionGroup::NormalReverse, m);
    ASSERT_EQ(reverse.size(), 1u);
    EXPECT_EQ(reverse[0].kind, BalancePosition::Kind::NormalReverse);
}

TEST(Balance, ShowsTheLeadsAndWhatTheBalanceCost) {
    // Evening the default gear's cut-offs with the valve rod and the lower arm moves the
    // valve's setting: the rear lead at normal forward, 0.023 before, goes below zero, and at
    // mid gear the rear port no longer opens. Worked out afresh from the events.
    const Model m = test::startedModel();
    const BalanceResult r = balanceDesign(m, valveRodAndLowerArm(m));
    ASSERT_TRUE(r.improved()) << r.reason;
    Model before = m, after = withDimensions(m, r);
    CalcMidGear(before);
    CalcMidGear(after);
    const float norm = m.frame.RevArmToCentNorm;
    for (const BalanceDifference& d : r.differences) {
        const float side = d.position.kind == BalancePosition::Kind::NormalForward ? norm : -norm;
        const PositionEvents was = valveEvents(before, before.ReverseArmCentre() + side);
        const PositionEvents is = valveEvents(after, after.ReverseArmCentre() + side);
        ASSERT_TRUE(d.leadsBefore && d.leadsAfter);
        EXPECT_EQ(d.leadsBefore->front, was.front.lead);
        EXPECT_EQ(d.leadsBefore->rear, was.rear.lead);
        EXPECT_EQ(d.leadsAfter->front, is.front.lead);
        EXPECT_EQ(d.leadsAfter->rear, is.rear.lead);
    }
    const PositionEvents fwdBefore = valveEvents(before, before.ReverseArmCentre() + norm);
    const PositionEvents fwdAfter = valveEvents(after, after.ReverseArmCentre() + norm);
    EXPECT_NEAR(fwdBefore.rear.lead, 0.023, 0.0005);
    EXPECT_LT(fwdAfter.rear.lead, 0.0f);
    EXPECT_TRUE(mentions(r.costs, "the rear lead at normal fwd turns negative, 0.0231 to " +
                                      formatFixed(fwdAfter.rear.lead, 0, 4)));
    EXPECT_GT(midGearSummary(before).rearLead, 0.0f);
    EXPECT_LE(midGearSummary(after).rearLead, 0.0f);
    EXPECT_TRUE(mentions(r.costs, "the rear port no longer opens at mid gear"));
    EXPECT_FALSE(mentions(r.costs, "front lead at normal fwd"));  // it grew
}

TEST(ReportBalance, PrintsBothMeasuresTheNotesAndTheCosts) {
    const test::ReportRun r =
        test::runReportTool({"balance", "--vary", "11", "--range", "11=0.01"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = test::textLines(r.out);
    EXPECT_EQ(lines[0].rfind("# balance: improved; sum of squares ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(", worst difference "), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1],
              "# note: 11 Valve Rod Total Len ends on the lower end of its range, 9.8030: a "
              "wider range may let the search go further");
    EXPECT_EQ(lines[2], "code,dimension,lower,upper,before,after,range_end");
    EXPECT_EQ(test::csvFields(lines[3]).back(), "lower");
    const test::ReportRun costly = test::runReportTool({"balance", "--vary", "11,9"});
    EXPECT_NE(costly.out.find("\n# cost: the rear lead at normal fwd turns negative, 0.0231 to "),
              std::string::npos)
        << costly.out;
    EXPECT_NE(costly.out.find("front_lead_before,rear_lead_before,front_lead_after,"
                              "rear_lead_after\n"),
              std::string::npos);
}
