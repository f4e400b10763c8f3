// The tolerance study: no tolerance gives the nominal figures everywhere; one dimension varied
// gives the events at its two extremes as the least and greatest; the same seed gives the same
// figures on any number of threads; a design that cannot be solved is counted; the report
// command's rows.
#include <gtest/gtest.h>

#include <cmath>

#include "Calc.h"
#include "ReportRun.h"
#include "TestModel.h"
#include "Tolerance.h"

using namespace tarvell;

namespace {

// Front-minus-rear cut-off at normal forward of the default gear with the valve rod (11) at
// `value`, mid gear worked out again.
double forwardCutOffDifference(double value) {
    Model m = test::startedModel();
    setDimensionValue(m, 11, static_cast<float>(value));
    CalcMidGear(m);
    const PositionEvents e = valveEvents(m, m.ReverseArmCentre() + m.frame.RevArmToCentNorm);
    return static_cast<double>(e.front.cutOff.value) - e.rear.cutOff.value;
}

ToleranceSettings exact(int samples) {
    ToleranceSettings s;
    s.lengthTolerance = 0;
    s.angleTolerance = 0;
    s.samples = samples;
    return s;
}

}  // namespace

TEST(Tolerance, NoToleranceGivesTheNominalFiguresEverywhere) {
    const Model m = test::startedModel();
    const ToleranceStudy study = toleranceStudy(m, exact(40));
    EXPECT_EQ(study.samples, 40);
    EXPECT_EQ(study.failedSamples, 0);
    ASSERT_EQ(study.rows.size(), 18u);
    for (const SpreadRow& row : study.rows) {
        const Spread& s = row.spread;
        EXPECT_EQ(s.count, 40);
        for (double v : {s.min, s.p05, s.median, s.p95, s.max}) EXPECT_EQ(v, s.nominal);
    }
    EXPECT_TRUE(study.contributions.empty());  // nothing varied, nothing to share out
}

TEST(Tolerance, OneDimensionSpansTheEventsAtItsExtremes) {
    const Model m = test::startedModel();
    ToleranceSettings s = exact(600);
    s.overrides[11] = 0.05;
    s.positions = {BalancePosition::named(BalancePosition::Kind::NormalForward)};
    const ToleranceStudy study = toleranceStudy(m, s);
    const SpreadRow& difference = study.rows[8];
    ASSERT_EQ(difference.end, SpreadEnd::Difference);
    // A longer valve rod lowers the difference about 1.8 per cent of stroke per 0.01.
    const double v = m.frame.ValveRodTotalLen;
    EXPECT_NEAR(difference.spread.min, forwardCutOffDifference(v + 0.05), 0.1);
    EXPECT_NEAR(difference.spread.max, forwardCutOffDifference(v - 0.05), 0.1);
    EXPECT_LT(difference.spread.p05, difference.spread.median);
    ASSERT_FALSE(study.contributions.empty());
    EXPECT_EQ(study.contributions[0].code, 11);
    EXPECT_GT(study.contributions[0].sharePercent, 95.0);
}

TEST(Tolerance, TheSameSeedGivesTheSameFiguresOnAnyThreads) {
    const Model m = test::startedModel();
    ToleranceSettings s;
    s.samples = 60;
    s.wear = 0.001;
    s.threads = 1;
    const ToleranceStudy one = toleranceStudy(m, s);
    s.threads = 3;
    const ToleranceStudy three = toleranceStudy(m, s);
    s.seed = 2;
    const ToleranceStudy other = toleranceStudy(m, s);
    ASSERT_EQ(one.rows.size(), three.rows.size());
    for (std::size_t i = 0; i < one.rows.size(); ++i) {
        EXPECT_EQ(one.rows[i].values, three.rows[i].values) << i;
        EXPECT_EQ(one.rows[i].spread.median, three.rows[i].spread.median) << i;
    }
    EXPECT_NE(one.rows[0].values, other.rows[0].values);
}

TEST(Tolerance, SamplesThatCannotBeSolvedAreCountedNotDropped) {
    Model m = test::startedModel();
    ToleranceSettings s = exact(30);
    s.overrides[14] = 9.0;  // link radii down to 0.8: in many the die never reaches the link
    const ToleranceStudy study = toleranceStudy(m, s);
    EXPECT_EQ(study.samples, 30);
    EXPECT_GT(study.failedSamples, 0);
    // A sample that solved but lacks the event (the port never cuts off) is left out of
    // that event's figures alone, and counted too.
    EXPECT_LE(study.rows[0].spread.count, 30 - study.failedSamples);
    EXPECT_GE(study.rows[0].spread.count, 30 - study.failedSamples - study.samplesMissingEvents);
}

TEST(ReportTolerance, PrintsTheSpreadsAndTheLargestContributions) {
    const test::ReportRun r =
        test::runReportTool({"tolerance", "--samples", "200", "--seed", "7", "--reverse-arm", "fwd",
                             "--tolerance", "0.002", "--tolerance", "11=0.01"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = test::textLines(r.out);
    ASSERT_GE(lines.size(), 1u + 9 + 1 + 2 + 1 + 1 + 5);
    EXPECT_EQ(lines[0], "position,tag,quantity,end,nominal,min,p05,median,p95,max");
    EXPECT_NE(lines[9].find(",Fwd,cutoff,difference,"), std::string::npos) << lines[9];
    EXPECT_EQ(lines[12], "200,0,0");
    EXPECT_EQ(test::csvFields(lines[15])[0], "11");  // five times the others' tolerance
    EXPECT_EQ(test::runReportTool({"tolerance", "--samples", "200", "--seed", "7", "--reverse-arm",
                                   "fwd", "--tolerance", "0.002", "--tolerance", "11=0.01"})
                  .out,
              r.out);
    for (const char* bad : {"--samples=0", "--wear=-1", "--tolerance=x", "--seed=-3"}) {
        const std::string arg = bad;
        const auto eq = arg.find('=');
        EXPECT_EQ(test::runReportTool({"tolerance", arg.substr(0, eq), arg.substr(eq + 1)}).status,
                  2)
            << bad;
    }
}
