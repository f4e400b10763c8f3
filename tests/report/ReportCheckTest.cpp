// tarvell-report check: one line per design check and an exit status a script can test.
#include <gtest/gtest.h>

#include <filesystem>

#include "Balance.h"
#include "DataFile.h"
#include "DataFileBytes.h"
#include "ReportRun.h"
#include "TestModel.h"

using namespace tarvell;
using test::runReportTool;
using test::textLines;

TEST(ReportCheck, TheDefaultGearFailsOnItsExhaustAndItsCutOffs) {
    const test::ReportRun r = runReportTool({"check"});
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> lines = textLines(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    // Full forward gear runs the valve 0.682 forward: the cavity's far edge leaves 0.131 of
    // the exhaust port against a steam port of 0.25.
    EXPECT_TRUE(lines[2].starts_with("FAIL  exhaust passage")) << lines[2];
    EXPECT_NE(lines[2].find("0.131"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find("max fwd"), std::string::npos) << lines[2];
    EXPECT_TRUE(lines[3].starts_with("FAIL  cut-off difference")) << lines[3];
    EXPECT_NE(lines[3].find("25 % fwd"), std::string::npos) << lines[3];
    for (std::size_t i : {0u, 1u, 4u, 5u}) EXPECT_TRUE(lines[i].starts_with("pass  ")) << lines[i];
    // A running notch of 40 %: the checks say where they looked.
    EXPECT_NE(runReportTool({"check", "--notch", "40"}).out.find("40 % fwd"), std::string::npos);

    for (const char* bad : {"0", "100", "x"}) {
        const test::ReportRun refused = runReportTool({"check", "--notch", bad});
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_TRUE(refused.out.empty());
    }
    EXPECT_EQ(runReportTool({"check", "--file", "/nonexistent/x.dtv"}).status, 1);
}

TEST(ReportCheck, ADesignBalancedAtItsNotchWithAWideEnoughExhaustPasses) {
    // Even the cut-offs at the 25 % notch, then widen the exhaust port by the rule of thumb
    // (at least half the valve's travel plus the steam port plus the inside lap less the
    // bridge): 0.16 wider, the valve and its cavity 0.08 longer each side so that every lap,
    // and so every event, stays as it was, the cavity's far edge leaving 0.16 more of it.
    const Model start = test::startedModel();
    BalanceRequest r;
    for (int code : {11, 9})
        r.vary.push_back(defaultBalanceVariable(code, dimensionValue(start, code)));
    r.positions = {BalancePosition::notch(25, true), BalancePosition::notch(25, false)};
    Model design = balanceDesign(start, r).design;
    for (const auto& [code, wider] :
         {std::pair{110, 0.16f}, {118, 0.08f}, {119, 0.08f}, {120, 0.08f}, {121, 0.08f}})
        ASSERT_TRUE(setDimensionValue(design, code, dimensionValue(design, code) + wider));
    test::TempFile file("balanced.dtv");
    file.write(encodeDataFile(design));
    const test::ReportRun checked = runReportTool({"check", "--file", file.path()});
    EXPECT_EQ(checked.status, 0) << checked.out;
    EXPECT_EQ(checked.out.find("FAIL"), std::string::npos) << checked.out;
}

TEST(ReportCheck, EveryExamplePasses) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TARVELL_SOURCE_DIR "/examples")) {
        if (entry.path().extension() != ".dtv") continue;
        ++examples;
        const test::ReportRun r = runReportTool({"check", "--file", entry.path().string()});
        EXPECT_EQ(r.status, 0) << entry.path() << "\n" << r.out;
    }
    EXPECT_GE(examples, 2);
}
