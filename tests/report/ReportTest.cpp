// The command-line report.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Report.h"
#include "ReportRun.h"

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

}  // namespace

TEST(Report, MidGearAtTenDegreesHas37Rows) {
    const ReportRun r = run({"--reverse-arm", "mid", "--step", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 38u);
    EXPECT_EQ(rows[0].substr(0, 22), "angle,x0,y0,x1,y1,x2,y");
    EXPECT_NE(rows[0].find(",x21,y21,piston_travel,valve_offset,front_steam,front_exhaust,"
                           "rear_steam,rear_exhaust,front_event,rear_event,status"),
              std::string::npos);
    EXPECT_EQ(fields(rows[0]).size(), 54u);
    EXPECT_EQ(fields(rows[1])[0], "0");
    EXPECT_EQ(fields(rows[37])[0], "360");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto f = fields(rows[i]);
        ASSERT_EQ(f.size(), 54u);
        EXPECT_EQ(f[53], "Z");
    }
    // At 90 degrees the crank pin is straight below the driver centre.
    const auto row90 = fields(rows[10]);
    EXPECT_EQ(row90[0], "90");
    EXPECT_NEAR(std::stod(row90[5]), 0.0, 1e-6);
    EXPECT_EQ(row90[6], "-1.625");
}

TEST(Report, NumbersCarryFullSingleDigitsAndEventNames) {
    EXPECT_EQ(CsvWriter::number(0.1f), "0.100000001");
    EXPECT_EQ(CsvWriter::number(640.0f), "640");
    const auto rows = lines(run({"--reverse-arm", "fwd", "--step", "90"}).out);
    ASSERT_EQ(rows.size(), 6u);
    const auto at0 = fields(rows[1]);
    EXPECT_EQ(at0[51], "ADMISSION");  // front port takes steam at the front dead centre
    EXPECT_EQ(at0[52], "EXHAUST");
    const auto at180 = fields(rows[3]);
    EXPECT_EQ(at180[45], "640");  // piston at the rear dead centre
    EXPECT_EQ(at180[52], "ADMISSION");
}

TEST(Report, ReverseArmTakesANumberOrANamedPosition) {
    const auto mid = fields(lines(run({"--reverse-arm", "mid"}).out)[1]);
    const auto value = fields(lines(run({"--reverse-arm", "11.2"}).out)[1]);
    EXPECT_NEAR(std::stod(mid[37]), 10.533, 0.0005);  // x18
    EXPECT_EQ(value[37], "11.1999998");
    EXPECT_EQ(lines(run({}).out).size(), 38u);  // defaults: mid gear, step 10
}

TEST(Report, BadArgumentsGetAMessageAndStatus2) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--step", "0"},
                                                                  {"--step", "abc"},
                                                                  {"--step", "nan"},
                                                                  {"--step", "10x"},
                                                                  {"--step"},
                                                                  {"--reverse-arm", "forward"},
                                                                  {"--reverse-arm", "1e99"},
                                                                  {"--frobnicate"}}) {
        const ReportRun r = run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("tarvell-report"), std::string::npos);
    }
    const ReportRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--reverse-arm"), std::string::npos);
}
