// The report commands at notches named by their mean cut-off, and the card at speed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Calc.h"
#include "Report.h"
#include "ReportRun.h"

using namespace tarvell;
using test::csvFields;
using test::ReportRun;
using test::runReportTool;
using test::textLines;

namespace {

// The rows of a CSV report below its header, each split into fields.
std::vector<std::vector<std::string>> rows(const std::string& text) {
    std::vector<std::vector<std::string>> result;
    const std::vector<std::string> lines = textLines(text);
    for (std::size_t i = 1; i < lines.size(); ++i) result.push_back(csvFields(lines[i]));
    return result;
}

void expectRefused(const std::vector<std::string>& args, const std::string& said) {
    const ReportRun r = runReportTool(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
}

}  // namespace

TEST(ReportNotches, EventsAtANotchGiveItsMeanCutOffForwardThenReverse) {
    const ReportRun r =
        runReportTool({"events", "--reverse-arm", "mid", "--notch", "25", "--notch", "40"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto events = rows(r.out);
    ASSERT_EQ(events.size(), 10u);  // mid, then 25 fwd, 25 rev, 40 fwd, 40 rev; two ends each
    const double mid = std::stod(events[0][0]);
    const char* tags[] = {"Cen", "Fwd", "Rev", "Fwd", "Rev"};
    const double cutOffs[] = {0, 25, 25, 40, 40};
    std::vector<double> distance;
    for (std::size_t p = 0; p < 5; ++p) {
        const auto& front = events[2 * p];
        const auto& rear = events[2 * p + 1];
        EXPECT_EQ(front[1], tags[p]);
        EXPECT_EQ(front[0], rear[0]);
        distance.push_back(std::fabs(std::stod(front[0]) - mid));
        if (p == 0) continue;
        // What a notch means: the two ends' cut-offs average to it.
        EXPECT_NEAR((std::stod(front[6]) + std::stod(rear[6])) / 2, cutOffs[p], 0.01);
    }
    // The longer cut-off lies further from mid gear, each way.
    EXPECT_GT(distance[3], distance[1]);
    EXPECT_GT(distance[4], distance[2]);

    // One direction alone, and the same position from the motion report.
    const ReportRun reverse = runReportTool({"events", "--notch", "25rev"});
    ASSERT_EQ(reverse.status, 0);
    ASSERT_EQ(rows(reverse.out).size(), 2u);
    EXPECT_EQ(rows(reverse.out)[0][0], events[4][0]);
    const ReportRun motion = runReportTool({"--notch", "25rev", "--step", "90"});
    ASSERT_EQ(motion.status, 0) << motion.err;
    EXPECT_EQ(rows(motion.out).size(), 5u);
    const ReportRun table = runReportTool({"table", "--pivots", "1", "--notch", "40"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find(events[6][0].substr(0, 5)), std::string::npos) << table.out;
}

TEST(ReportNotches, ACutOffOutOfReachOrNotANumberIsRefused) {
    // Full forward gear cuts off near 80 %: 95 % cannot be had, and the refusal names the range.
    expectRefused({"events", "--notch", "95"}, "out of reach");
    expectRefused({"events", "--notch", "95"}, "at mid gear to ");
    expectRefused({"indicator", "--notch", "quarter"}, "--notch takes a mean cut-off");
    expectRefused({"--notch", "25", "--reverse-arm", "mid"}, "not both");
    expectRefused({"table", "--pivots", "1", "--notch", "1"}, "out of reach");
    expectRefused({"balance", "--vary", "11", "--notch", "95"}, "out of reach");
    expectRefused({"compare", "a.dtv", "b.dtv", "--notch", "x"}, "--notch takes");
}

TEST(ReportNotches, CompareFindsTheNotchOnEachDesign) {
    const std::string dir = TARVELL_SOURCE_DIR "/examples/";
    const ReportRun r = runReportTool({"compare", dir + "default-gear-even-cutoffs.dtv",
                                       dir + "long-stroke-wide-ports.dtv", "--notch", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = textLines(r.out);
    std::size_t header = 0;
    while (header < lines.size() && !lines[header].starts_with("position,")) ++header;
    ASSERT_EQ(lines.size() - header - 1, 16u);  // two positions, two ends, four quantities
    // Each design's cut-offs average to 30 % at its own notch.
    double a = 0, b = 0;
    for (std::size_t i = header + 1; i < header + 9; ++i) {
        const auto f = csvFields(lines[i]);
        if (f[3] != "cutoff") continue;
        a += std::stod(f[4]) / 2;
        b += std::stod(f[5]) / 2;
    }
    EXPECT_NEAR(a, 30, 0.01);
    EXPECT_NEAR(b, 30, 0.01);
}

TEST(ReportCardAtSpeed, TendsToTheIdealisedCardAndThinsAsTheEngineSpeedsUp) {
    const ReportRun slow = runReportTool({"indicator", "--notch", "25fwd", "--speed", "0.01"});
    ASSERT_EQ(slow.status, 0) << slow.err;
    EXPECT_NE(slow.out.find(",speed_rpm,throttled_mep,"), std::string::npos);
    const ReportRun fast = runReportTool({"indicator", "--notch", "25fwd", "--speed", "600"});
    ASSERT_EQ(fast.status, 0) << fast.err;
    const auto s = rows(slow.out), f = rows(fast.out);
    ASSERT_EQ(s.size(), 2u);
    for (std::size_t end = 0; end < 2; ++end) {
        const double ideal = std::stod(s[end][3]);
        EXPECT_EQ(s[end][8], "0.01");
        EXPECT_NEAR(std::stod(s[end][9]), ideal, 0.01 * ideal);
        EXPECT_LT(std::stod(f[end][9]), 0.97 * ideal);
        // The valve cuts the steam off where it does whatever the speed.
        EXPECT_NEAR(std::stod(f[end][11]), std::stod(f[end][5]), 0.1);
    }

    const ReportRun cards =
        runReportTool({"indicator", "--reverse-arm", "mid", "--speed", "100", "--card"});
    ASSERT_EQ(cards.status, 0) << cards.err;
    EXPECT_TRUE(cards.out.starts_with("card,position,tag,end,s,p,"));
    EXPECT_NE(cards.out.find("\nideal,"), std::string::npos);
    EXPECT_NE(cards.out.find("\nthrottled,"), std::string::npos);

    expectRefused({"indicator", "--speed", "0"}, "--speed takes");
    expectRefused({"indicator", "--speed", "fast"}, "--speed takes");
    expectRefused({"indicator", "--port-length", "2"}, "give --speed");
    expectRefused({"indicator", "--speed", "100", "--length-unit", "ft"}, "in or mm");
    expectRefused({"indicator", "--speed", "100", "--port-length", "-1"}, "port length");
}

TEST(ReportDeadCentres, EventsGiveWhereThePistonTurnsBack) {
    // The cylinder line 1.0 above the axle: the crank and the main rod come into line at
    // 356.5 and 175.6 degrees, not 0 and 180.
    Model m;
    StartUp(m);
    ASSERT_TRUE(setDimensionValue(m, 102, 1.0f));
    CalcMidGear(m);
    const auto events = rows(eventsCsv(m, {m.ReverseArmCentre()}));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_NEAR(std::stod(events[0][14]), 356.5, 0.05);
    EXPECT_NEAR(std::stod(events[1][14]), 175.6, 0.05);
}
