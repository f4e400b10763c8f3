// The report tool's events and table commands.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "Report.h"
#include "ReportRun.h"
#include "Vari.h"

using namespace tarvell;

namespace {

using test::ReportRun;

ReportRun run(const std::vector<std::string>& args) {
    return test::runReportTool(args);
}
std::vector<std::string> lines(const std::string& text) {
    return test::textLines(text);
}
std::vector<std::string> fields(const std::string& line) {
    return test::csvFields(line);
}

void expectBadArguments(const std::vector<std::string>& args) {
    const ReportRun r = run(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_TRUE(r.out.empty()) << args.back();
    EXPECT_NE(r.err.find("tarvell-report"), std::string::npos) << args.back();
}

}  // namespace

TEST(ReportEvents, DefaultsListMidForwardAndReverse) {
    const ReportRun r = run({"events"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0],
              "position,tag,end,admission_deg,lead,max_steam_opening,cutoff_pct,release_pct,"
              "compression_pct,max_exhaust_opening,max_port_opening,over_travel,"
              "max_exhaust_port_opening,exhaust_over_travel,dead_centre_deg,die_slip,"
              "least_exhaust_passage");
    EXPECT_TRUE(r.err.empty()) << r.err;  // every position within the travel
    const char* tags[] = {"Cen", "Cen", "Fwd", "Fwd", "Rev", "Rev"};
    const char* ends[] = {"front", "rear", "front", "rear", "front", "rear"};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto f = fields(rows[i]);
        ASSERT_EQ(f.size(), 17u);
        EXPECT_EQ(f[14], i % 2 ? "0" : "180");
        // At the normal positions the cavity's far edge leaves more of the exhaust port than
        // the steam port's 0.25, so the port itself is the narrowest way out.
        if (i > 2) {
            EXPECT_EQ(f[16], "0.25") << rows[i];
        }  // the cylinder line passes through the axle
        EXPECT_EQ(f[1], tags[i - 1]);
        // The die works the link about 0.11 at mid gear, 0.14 forward and 0.35 in reverse,
        // the same figure on both ends' rows.
        const double slips[] = {0.11, 0.14, 0.35};
        EXPECT_NEAR(std::stod(f[15]), slips[(i - 1) / 2], 0.006) << rows[i];
        if (i % 2 == 0) {
            EXPECT_EQ(f[15], fields(rows[i - 1])[15]);
        }
        // The ports are 0.25 wide: the port's opening stops there and the valve's greatest
        // opening is it plus the over-travel.
        EXPECT_LE(std::stod(f[10]), 0.25);
        EXPECT_GE(std::stod(f[11]), 0.0);
        EXPECT_NEAR(std::stod(f[10]) + std::stod(f[11]), std::stod(f[5]), 1e-7);
        EXPECT_EQ(f[2], ends[i - 1]);
        for (const std::string& v : f) EXPECT_FALSE(v.empty()) << rows[i];
    }
    // Mid gear 10.533, normal forward 11.633 and normal reverse 9.433.
    EXPECT_NEAR(std::stod(fields(rows[1])[0]), 10.533, 0.0005);
    EXPECT_NEAR(std::stod(fields(rows[3])[0]), 11.633, 0.0005);
    EXPECT_NEAR(std::stod(fields(rows[5])[0]), 9.433, 0.0005);
    // Normal forward, front end (from the openings sampled every 0.1 degree): steam taken
    // 2.098 degrees before dead centre with a lead of 0.0201, cut off at 72.881 %, released
    // at 91.178 %, compression from 95.503 % of the return stroke.
    const auto fwd = fields(rows[3]);
    EXPECT_NEAR(std::stod(fwd[3]), 2.098, 0.03);
    EXPECT_EQ(fwd[4], "0.0200967789");
    EXPECT_NEAR(std::stod(fwd[6]), 72.881, 0.03);
    EXPECT_NEAR(std::stod(fwd[7]), 91.178, 0.03);
    EXPECT_NEAR(std::stod(fwd[8]), 95.503, 0.03);
    EXPECT_NEAR(std::stod(fwd[5]), 0.27812, 1e-4);
    EXPECT_EQ(fwd[10], "0.25");
    EXPECT_NEAR(std::stod(fwd[11]), 0.02812, 1e-4);
}

TEST(ReportEvents, APositionBeyondTheMaximumTravelIsReportedWithAWarning) {
    // Mid gear 10.533 with a maximum travel of 1.5 either way: 9.033 to 12.033.
    const ReportRun r = run({"events", "--reverse-arm", "100", "--reverse-arm", "12"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out).size(), 5u);
    EXPECT_EQ(r.err,
              "tarvell-report: warning: reverse arm position 100 is beyond the maximum travel of "
              "1.500 either side of mid gear (9.033 to 12.033); the gear cannot reach it\n");
}

TEST(ReportEvents, PositionsInTheOrderGiven) {
    const ReportRun r = run({"events", "--reverse-arm", "11.2", "--reverse-arm", "rev"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(fields(rows[1])[0], "11.1999998");
    EXPECT_EQ(fields(rows[1])[1], "Fwd");
    EXPECT_EQ(fields(rows[2])[0], "11.1999998");
    EXPECT_EQ(fields(rows[3])[1], "Rev");
}

TEST(ReportEvents, EventsThatDoNotOccurAreLeftEmpty) {
    Model m;
    StartUp(m);
    m.cyl.ValveLengthFrontHalf() = 2.0f;  // the front port is lapped over the whole travel
    const auto rows = lines(eventsCsv(m, {m.reverseArmPositions[2]}));
    ASSERT_EQ(rows.size(), 3u);
    const auto front = fields(rows[1]);
    ASSERT_EQ(front.size(), 17u);
    EXPECT_EQ(front[3], "");              // admission
    EXPECT_EQ(front[6], "");              // cut-off
    EXPECT_LT(std::stod(front[4]), 0.0);  // the port is still lapped at dead centre
    // A port that never opens to steam has no steam openings to give, as the window's "-".
    EXPECT_EQ(front[5], "");
    EXPECT_EQ(front[10], "");
    EXPECT_EQ(front[11], "");
    // The exhaust edge is unaffected.
    EXPECT_FALSE(front[7].empty());
    EXPECT_FALSE(front[9].empty());
    EXPECT_FALSE(front[12].empty());
    EXPECT_FALSE(front[13].empty());
    const auto rear = fields(rows[2]);
    EXPECT_FALSE(rear[3].empty());
    EXPECT_FALSE(rear[6].empty());
}

TEST(ReportEvents, BadArgumentsGetAMessageAndStatus2) {
    expectBadArguments({"events", "--reverse-arm", "forward"});
    expectBadArguments({"events", "--reverse-arm", "mid", "--reverse-arm", "nan"});
    expectBadArguments({"events", "--reverse-arm"});
    expectBadArguments({"events", "--step", "1"});
    expectBadArguments({"events", "--file"});
    const ReportRun help = run({"events", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("cutoff_pct"), std::string::npos);
    const ReportRun missing = run({"events", "--file", "/nonexistent/folder/none.dtv"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
}

TEST(ReportTable, SixPivotsOverATurn) {
    const ReportRun r = run({"table", "--pivots", "2,4,8,18,0,21", "--step", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 4u + 13u);
    EXPECT_TRUE(std::regex_match(
        rows[0],
        std::regex("Pivot Data   Nominal     \\d{4}-\\d{2}-\\d{2}   \\d{2}:\\d{2}:\\d{2}")))
        << rows[0];
    EXPECT_EQ(rows[1], "       Reverse Arm 10.533      Step Angle 30.000");
    EXPECT_EQ(rows[4].substr(0, 26), "   0.00     0.000    1.625");
    EXPECT_EQ(rows[7].substr(0, 26), "  90.00    -1.625    0.000");
    EXPECT_EQ(rows[16].substr(0, 7), " 360.00");
}

TEST(ReportTable, FewerPivotsLeaveTheRestAtZeroAndOptionsApply) {
    const ReportRun r = run({"table", "--pivots", "18", "--reverse-arm", "fwd"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 41u);
    EXPECT_EQ(rows[1].substr(0, 25), "       Reverse Arm 11.633");
    EXPECT_EQ(rows[10].substr(19, 7), " 11.633");  // pivot 18's X is the reverse arm position
    // Each of the other five slots: "   ", Y in 9, "  ", X in 7, all for pivot 0.
    std::string zeros;
    for (int k = 0; k < 5; ++k) zeros += std::string("   ") + "    0.000" + "  " + "  0.000";
    EXPECT_EQ(rows[10].substr(26), zeros);
}

TEST(ReportTable, BadArgumentsGetAMessageAndStatus2) {
    expectBadArguments({"table"});
    expectBadArguments({"table", "--pivots"});
    expectBadArguments({"table", "--pivots", "1,2,3,4,5,6,7"});
    expectBadArguments({"table", "--pivots", "27"});
    expectBadArguments({"table", "--pivots", "-1"});
    expectBadArguments({"table", "--pivots", "1,,2"});
    expectBadArguments({"table", "--pivots", "1,2,"});
    expectBadArguments({"table", "--pivots", "2.5"});
    expectBadArguments({"table", "--pivots", ""});
    expectBadArguments({"table", "--pivots", "2", "--step", "0"});
    expectBadArguments({"table", "--pivots", "2", "--reverse-arm", "up"});
    expectBadArguments({"table", "--pivots", "2", "--frobnicate"});
    const ReportRun help = run({"table", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--pivots"), std::string::npos);
}

TEST(ReportIndicator, SixRowsByDefaultAndTheSettingsApply) {
    const ReportRun r = run({"indicator"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].substr(0, 23), "position,tag,end,mep,wo");
    const char* tags[] = {"Cen", "Cen", "Fwd", "Fwd", "Rev", "Rev"};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto f = fields(rows[i]);
        ASSERT_EQ(f.size(), 8u);
        EXPECT_EQ(f[1], tags[i - 1]);
        EXPECT_EQ(f[2], i % 2 ? "front" : "rear");
    }
    // Normal forward: the ideal card from its events (see IndicatorTest) gives 88.91 and 94.08.
    EXPECT_NEAR(std::stod(fields(rows[3])[3]), 88.91, 0.01);
    EXPECT_NEAR(std::stod(fields(rows[4])[3]), 94.08, 0.01);

    // A front clearance of its own leaves the rear card as it was.
    const ReportRun changed = run({"indicator", "--reverse-arm", "fwd", "--clearance-front", "12"});
    ASSERT_EQ(changed.status, 0) << changed.err;
    const auto two = lines(changed.out);
    ASSERT_EQ(two.size(), 3u);
    EXPECT_NE(fields(two[1])[3], fields(rows[3])[3]);
    EXPECT_EQ(fields(two[2])[3], fields(rows[4])[3]);
}

TEST(ReportIndicator, CardsRunOverATurnAndClose) {
    const ReportRun r = run({"indicator", "--card", "--reverse-arm", "rev", "--n", "1.2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    EXPECT_EQ(rows[0], "position,tag,end,s,p,angle,stroke_pct,phase");
    std::vector<std::vector<std::string>> front;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (fields(rows[i])[2] == "front") front.push_back(fields(rows[i]));
    ASSERT_GT(front.size(), 360u);
    EXPECT_EQ(front.front()[3], front.back()[3]);  // back where it started
    EXPECT_EQ(front[1][5], "359");                 // reverse runs the driver backward
    for (const auto& f : front) {
        EXPECT_TRUE(f[7] == "steam" || f[7] == "exhaust" || f[7] == "trapped") << f[7];
        EXPECT_LE(std::stod(f[4]), 115.0 * (1 + 1e-12));
    }
}

TEST(ReportIndicator, BadArgumentsGetAMessageAndStatus2) {
    expectBadArguments({"indicator", "--n", "1.5"});
    expectBadArguments({"indicator", "--chest", "abc"});
    expectBadArguments({"indicator", "--back", "120"});
    expectBadArguments({"indicator", "--back", "-1"});
    expectBadArguments({"indicator", "--clearance", "-2"});
    expectBadArguments({"indicator", "--clearance", "5", "--clearance-rear", "6"});
    expectBadArguments({"indicator", "--chest"});
    expectBadArguments({"indicator", "--reverse-arm", "up"});
    expectBadArguments({"indicator", "--frobnicate"});
    const ReportRun back = run({"indicator", "--back", "120"});
    EXPECT_NE(back.err.find("back pressure 120 is not below the chest pressure 115"),
              std::string::npos);
    const ReportRun help = run({"indicator", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("wire-drawing"), std::string::npos);
}

TEST(ReportEvents, TheGreatestExhaustOpeningSplitsAsTheSteamOneDoes) {
    // The front exhaust opening is V + 0.5313 - (0.28125 + 0.25) = V + 0.00005 and the rear
    // steam opening V - 1 + (0.28125 + 0.25 + 0.25) = V - 0.21875: at one valve offset the
    // front's greatest exhaust opening is the rear's greatest steam opening plus 0.2188, and
    // the rear's the front's likewise. The ports are 0.25 wide; what the cavity's edge runs
    // on past one is the over-travel.
    const auto rows = lines(run({"events", "--reverse-arm", "fwd", "--reverse-arm", "mid"}).out);
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i : {1u, 2u}) {
        const auto end = fields(rows[i]), other = fields(rows[3 - i]);
        const double exhaust = std::stod(end[9]);
        EXPECT_NEAR(exhaust, std::stod(other[5]) + 0.2188, 2e-6) << i;
        ASSERT_GT(exhaust, 0.25) << i;  // the valve runs about half an inch either way
        EXPECT_EQ(end[12], "0.25");
        EXPECT_NEAR(std::stod(end[13]), exhaust - 0.25, 1e-7);
    }
    // At mid gear the valve moves less than the port is wide: no over-travel.
    for (std::size_t i : {3u, 4u}) {
        const auto end = fields(rows[i]);
        EXPECT_LT(std::stod(end[9]), 0.25);
        EXPECT_EQ(end[12], end[9]);
        EXPECT_EQ(end[13], "0");
    }
}

TEST(ReportEvents, APortOfNoWidthHasNoOpenings) {
    // A front steam port -0.01 wide: its edge still uncovers the valve's outer edge by up to
    // 0.018 at normal forward (V falls to about -0.497 there, past -0.47875), but the port
    // has nothing to open, so its opening figures stay empty, as the window's "-".
    Model m;
    StartUp(m);
    m.cyl.SteamPortWidthFront() = -0.01f;
    const auto rows = lines(eventsCsv(m, {m.reverseArmPositions[2]}));
    ASSERT_EQ(rows.size(), 3u);
    const auto front = fields(rows[1]);
    EXPECT_FALSE(front[3].empty());  // the edge's event is still found
    for (std::size_t column : {5u, 9u, 10u, 11u, 12u, 13u}) EXPECT_EQ(front[column], "") << column;
    const auto rear = fields(rows[2]);
    for (std::size_t column : {5u, 9u, 10u, 11u, 12u, 13u})
        EXPECT_FALSE(rear[column].empty()) << column;
}

TEST(ReportCommands, EveryCommandThatTakesAPositionWarnsBeyondTheTravel) {
    // Mid gear 10.533 with a maximum travel of 1.5 either way: 9.033 to 12.033.
    const std::string warning =
        "tarvell-report: warning: reverse arm position 12.1999998 is beyond the maximum travel "
        "of 1.500 either side of mid gear (9.033 to 12.033); the gear cannot reach it\n";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--reverse-arm", "12.2", "--step", "90"},
             {"events", "--reverse-arm", "12.2"},
             {"table", "--pivots", "18", "--reverse-arm", "12.2", "--step", "90"},
             {"indicator", "--reverse-arm", "12.2"},
             {"balance", "--vary", "11", "--reverse-arm", "12.2"}}) {
        const ReportRun r = run(args);
        EXPECT_EQ(r.status, 0) << args[0];
        EXPECT_FALSE(r.out.empty()) << args[0];
        EXPECT_EQ(r.err, warning) << args[0];
    }
    // Within the travel, nothing is said.
    EXPECT_EQ(run({"table", "--pivots", "18", "--reverse-arm", "12.0", "--step", "90"}).err, "");
}
