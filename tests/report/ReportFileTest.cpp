// The report tool's --file option: a data file's set instead of the defaults, its own named
// positions on its own forward side.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "DataFileBytes.h"
#include "ReportRun.h"
#include "SolveAt.h"

using namespace tarvell;
using namespace tarvell::test;

namespace {

// Field `column` of the row at driver angle 0 (the first row after the header).
std::string firstRowField(const std::string& csv, std::size_t column) {
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    std::istringstream row(line);
    std::string f;
    for (std::size_t i = 0; i <= column && std::getline(row, f, ',');) ++i;
    return f;
}

constexpr std::size_t kX18 = 37;  // angle, then x and y of pivots 0-21

}  // namespace

TEST(ReportFile, SavedDefaultSetReportsLikeNoFile) {
    TempFile file("default.dtv");
    file.write(encodeDataFile(startedModel()));
    for (const char* position : {"mid", "fwd", "rev", "11.1"}) {
        const ReportRun withFile =
            runReportTool({"--file", file.path(), "--reverse-arm", position});
        const ReportRun without = runReportTool({"--reverse-arm", position});
        ASSERT_EQ(withFile.status, 0) << withFile.err;
        EXPECT_EQ(withFile.out, without.out) << position;
        EXPECT_TRUE(withFile.err.empty());
    }
}

TEST(ReportFile, TheFilesStrokeShows) {
    Model m = startedModel();
    m.frame.Stroke = 4.0f;
    TempFile file("stroke.dtv");
    file.write(encodeDataFile(m));
    const ReportRun r = runReportTool({"--file", file.path(), "--step", "90"});
    ASSERT_EQ(r.status, 0) << r.err;
    // At 90 degrees the crank pin is half the stroke straight below the driver centre.
    std::istringstream in(r.out);
    std::string line;
    for (int i = 0; i < 3; ++i) std::getline(in, line);  // header, 0, 90
    EXPECT_EQ(line.substr(0, 3), "90,");
    EXPECT_NE(line.find(",-2,"), std::string::npos) << line;
    EXPECT_EQ(firstRowField(r.out, 5), "2");  // x2 at angle 0: the crank radius
}

TEST(ReportFile, NamedPositionsAreTheFilesOwnAfterMidGear) {
    // A file whose normal travel is 0.5 and whose saved positions 1-3 are nonsense: mid
    // gear is recomputed, so mid, fwd and rev are the centre (10.533 for these
    // dimensions) and the centre +- 0.5.
    Model m = startedModel();
    m.frame.RevArmToCentNorm = 0.5f;
    m.reverseArmPositions[1] = 1.0f;
    m.reverseArmPositions[2] = 2.0f;
    m.reverseArmPositions[3] = 3.0f;
    m.gear.ReverseArmPosition = 12.0f;
    TempFile file("norm.dtv");
    file.write(encodeDataFile(m));
    auto x18 = [&](const char* position) {
        const ReportRun r = runReportTool({"--file", file.path(), "--reverse-arm", position});
        EXPECT_EQ(r.status, 0) << r.err;
        return std::stod(firstRowField(r.out, kX18));
    };
    EXPECT_NEAR(x18("mid"), 10.533, 0.0005);
    EXPECT_NEAR(x18("fwd"), 11.033, 0.0005);
    EXPECT_NEAR(x18("rev"), 10.033, 0.0005);
}

TEST(ReportFile, UnusableFilesGiveTheReasonAndStatus1) {
    TempFile shortFile("short.dtv");
    shortFile.write(Bytes(18 * 20, 0));
    const ReportRun r = runReportTool({"--file", shortFile.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.find("tarvell-report: " + shortFile.path() + ": the file is too short"), 0u)
        << r.err;
    EXPECT_EQ(r.err.back(), '\n');

    Bytes nan = encodeDataFile(startedModel());
    putField(nan, 2, 2, std::numeric_limits<float>::quiet_NaN());
    TempFile damaged("nan.dtv");
    damaged.write(nan);
    const ReportRun d = runReportTool({"--file", damaged.path()});
    EXPECT_EQ(d.status, 1);
    EXPECT_NE(d.err.find("record 2, field 2"), std::string::npos) << d.err;

    TempFile missing("missing.dtv");  // never written
    const ReportRun n = runReportTool({"--file", missing.path()});
    EXPECT_EQ(n.status, 1);
    EXPECT_TRUE(n.out.empty());
    EXPECT_NE(n.err.find(missing.path() + ": the file cannot be opened (no such file"),
              std::string::npos)
        << n.err;

    const ReportRun folder =
        runReportTool({"--file", std::filesystem::temp_directory_path().string()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("folder"), std::string::npos) << folder.err;
}

TEST(ReportFile, FwdAndRevAreOnTheForwardSideInEveryCommand) {
    // The default gear mirrored about the lifting arm's end at mid gear: the arm points the
    // other way, so forward gear lies below the centre (as the valve events window and
    // Balance take it): fwd is the centre less the normal travel of 1.1, rev the centre
    // plus it.
    Model m = startedModel();
    const Pivot end = solveLinkageAt(m, 0, m.ReverseArmCentre()).pivots[Pivot::LiftingArmEnd];
    setDimensionValue(m, 23, 2 * end.x - m.pivots[Pivot::ReverseArmPivot].x);
    m.frame.LiftingArmLength = -m.frame.LiftingArmLength;
    CalcMidGear(m);
    const double centre = m.ReverseArmCentre();
    TempFile file("mirrored.dtv");
    file.write(encodeDataFile(m));
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--file", file.path()});
        const ReportRun r = runReportTool(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;  // both within the travel
        return r.out;
    };
    for (const auto& [word, side, tag] :
         {std::tuple{"fwd", -1.0, "Fwd"}, std::tuple{"rev", 1.0, "Rev"}}) {
        const double expected = centre + side * 1.1;
        EXPECT_NEAR(std::stod(firstRowField(run({"--reverse-arm", word}), kX18)), expected, 1e-5)
            << word;
        for (const char* command : {"events", "indicator"}) {
            const auto row = csvFields(textLines(run({command, "--reverse-arm", word}))[1]);
            EXPECT_NEAR(std::stod(row[0]), expected, 1e-5) << command << " " << word;
            EXPECT_EQ(row[1], tag) << command << " " << word;
        }
        const auto table = textLines(run({"table", "--pivots", "18", "--reverse-arm", word}));
        const std::size_t arm = table[1].find("Reverse Arm ");
        ASSERT_NE(arm, std::string::npos) << table[1];
        EXPECT_NEAR(std::stod(table[1].substr(arm + 12)), expected, 0.0005) << table[1];
    }
    // Balance names its positions as fwd and rev resolve them.
    const auto balance = textLines(run({"balance", "--vary", "11", "--reverse-arm", "fwd"}));
    const auto header = std::find(balance.begin(), balance.end(), "# front minus rear");
    ASSERT_NE(header, balance.end());
    const auto row = csvFields(*(header + 2));
    EXPECT_EQ(row[1], "normal fwd");
    EXPECT_NEAR(std::stod(row[2]), centre - 1.1, 1e-5);
}
