// The report's compare command: the dimensions two designs differ in, and the events of both
// side by side, each difference the first less the second as the events command gives them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DataFileBytes.h"
#include "ReportRun.h"

using namespace tarvell;
using namespace tarvell::test;

namespace {

// The lines of the events section (after the blank line), fields split.
std::vector<std::vector<std::string>> eventRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    bool events = false;
    for (const std::string& line : textLines(csv)) {
        if (line.empty()) {
            events = true;
            continue;
        }
        if (events && !line.starts_with("position")) rows.push_back(csvFields(line));
    }
    return rows;
}

}  // namespace

TEST(ReportCompare, ADesignAgainstItselfDiffersInNothing) {
    TempFile file("same.dtv");
    file.write(encodeDataFile(startedModel()));
    const ReportRun r = runReportTool({"compare", file.path(), file.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(textLines(r.out)[0], "code,dimension,a,b");
    EXPECT_EQ(textLines(r.out)[1], "");  // no dimension differs
    const auto rows = eventRows(r.out);
    EXPECT_EQ(rows.size(), 3u * 2 * 4);  // mid, fwd, rev; two ends; four quantities
    for (const auto& row : rows) {
        if (row[4].empty()) continue;  // an event that does not occur
        EXPECT_EQ(row[6], "0") << row[3];
    }
}

TEST(ReportCompare, NamesExactlyTheChangedDimensionsAndTheEventsMoveAsEventsSays) {
    Model changed = startedModel();
    changed.frame.ValveRodTotalLen = 9.77f;
    changed.frame.FulcrumLeverLower = 3.128f;
    TempFile a("a.dtv"), b("b.dtv");
    a.write(encodeDataFile(startedModel()));
    b.write(encodeDataFile(changed));
    const ReportRun r = runReportTool({"compare", a.path(), b.path(), "--reverse-arm", "fwd"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = textLines(r.out);
    EXPECT_EQ(lines[1], "9,FulcrumLeverLower,3.11299992,3.12800002");
    EXPECT_EQ(lines[2], "11,ValveRodTotalLen,9.81299973,9.77000046");
    EXPECT_EQ(lines[3], "");
    // Each design's own normal forward, as the events command reports it for each file.
    std::map<std::string, std::string> cutOffA, cutOffB;
    for (const auto& [file, into] :
         {std::pair{a.path(), &cutOffA}, std::pair{b.path(), &cutOffB}}) {
        const ReportRun e = runReportTool({"events", "--file", file, "--reverse-arm", "fwd"});
        for (std::size_t i = 1; i < textLines(e.out).size(); ++i) {
            const auto f = csvFields(textLines(e.out)[i]);
            (*into)[f[2]] = f[6];  // end -> cutoff_pct
        }
    }
    int seen = 0;
    for (const auto& row : eventRows(r.out)) {
        if (row[3] != "cutoff") continue;
        ++seen;
        EXPECT_EQ(row[4], cutOffA[row[2]]);
        EXPECT_EQ(row[5], cutOffB[row[2]]);
        EXPECT_NEAR(std::stod(row[6]), std::stod(row[4]) - std::stod(row[5]), 1e-6);
    }
    EXPECT_EQ(seen, 2);
}

TEST(ReportCompare, BadFilesAndArgumentsSayWhy) {
    TempFile good("good.dtv"), shortFile("short.dtv");
    good.write(encodeDataFile(startedModel()));
    shortFile.write(Bytes(100, 0));
    ReportRun r = runReportTool({"compare", good.path(), shortFile.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(shortFile.path()), std::string::npos) << r.err;
    r = runReportTool({"compare", good.path()});
    EXPECT_EQ(r.status, 2);
    r = runReportTool({"compare", good.path(), good.path(), "--reverse-arm", "sideways"});
    EXPECT_EQ(r.status, 2);
}
