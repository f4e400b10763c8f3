// The report tool's inputs handled alike in every command: empty values and repeated single
// options are usage errors, list options add up, and files that are no design (pipes,
// devices, pictures, zeros) are refused with a reason, as are saves that cannot be made.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "DataFileBytes.h"
#include "DataFileLayout.h"
#include "Report.h"
#include "ReportRun.h"

using namespace tarvell;
using namespace tarvell::test;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runReport(args, out, err);
    return {status, out.str(), err.str()};
}

Bytes contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The field index of the first field of `kind` in the layout, as record and field numbers.
std::pair<int, int> firstFieldOf(FieldKind kind, int index = 0) {
    const auto& layout = dataFileLayout();
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (layout[i].kind == kind && layout[i].index == index)
            return {static_cast<int>(i) / 5 + 1, static_cast<int>(i) % 5 + 1};
    return {0, 0};
}

}  // namespace

TEST(ReportInputs, AnEmptyValueIsAUsageError) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"events", "--file", ""},
                                               {"balance", "--vary", "11", "--save", ""},
                                               {"balance", "--vary", "11", "--target-cutoff", ""},
                                               {"--step", ""},
                                               {"indicator", "--reverse-arm", ""},
                                               {"table", "--pivots", ""}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_NE(r.err.find("empty"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(ReportInputs, ListOptionsAddUpAndSingleOnesMayNotRepeat) {
    const Outcome combined = run(
        {"balance", "--vary", "11", "--vary", "9", "--objective", "cutoff", "--objective", "lead"});
    const Outcome listed = run({"balance", "--vary", "11,9", "--objective", "cutoff,lead"});
    ASSERT_EQ(combined.status, 0) << combined.err;
    EXPECT_EQ(combined.out, listed.out);
    EXPECT_NE(combined.out.find("9,FulcrumLeverLower"), std::string::npos);
    EXPECT_NE(combined.out.find("lead,normal fwd"), std::string::npos);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--step", "x", "--step", "10"},  // the earlier, bad value is not hidden
             {"events", "--file", "a.dtv", "--file", "b.dtv"},
             {"table", "--pivots", "2", "--pivots", "4"},
             {"indicator", "--chest", "100", "--chest", "120"},
             {"balance", "--vary", "11", "--save", "a.dtv", "--save", "b.dtv"}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args[1] << ": " << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_NE(
        run({"events", "--file", "a", "--file", "b"}).err.find("--file may be given only once"),
        std::string::npos);
}

TEST(ReportInputs, FilesThatHoldNoDesignAreRefused) {
    // A run of zeros, as a sparse file of a gigabyte or a device gives: read no further than
    // a data file reaches.
    TempFile zeros("zeros.dtv");
    zeros.write({});
    fs::resize_file(zeros.path(), std::uintmax_t{1} << 30);
    Outcome r = run({"events", "--file", zeros.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("every dimension in it is zero"), std::string::npos) << r.err;

    // Well-formed numbers no gear has: the reverse arm at 1.1e32, the stroke at 2e6.
    const auto [armRecord, armField] = firstFieldOf(FieldKind::ReverseArmPosition);
    Bytes far = encodeDataFile(startedModel());
    putField(far, armRecord, armField, 1.1e32f);
    TempFile farFile("far.dtv");
    farFile.write(far);
    r = run({"events", "--file", farFile.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("beyond any gear's size"), std::string::npos) << r.err;
    Bytes huge = encodeDataFile(startedModel());
    putField(huge, 1, 1, 2e6f);  // record 1, field 1: the stroke
    TempFile hugeFile("huge.dtv");
    hugeFile.write(huge);
    r = run({"--file", hugeFile.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Stroke, code 2 is 2e+06"), std::string::npos) << r.err;

    // Pipes and devices are never opened as designs, so nothing waits for a writer.
    const std::string pipe =
        fs::temp_directory_path() / ("tarvell-pipe-" + std::to_string(getpid()));
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, std::string("/dev/zero")}) {
        r = run({"events", "--file", path});
        EXPECT_EQ(r.status, 1) << path;
        EXPECT_NE(r.err.find("not an ordinary file"), std::string::npos) << r.err;
    }
    fs::remove(pipe);
}

TEST(ReportInputs, ASaveThatCannotBeMadeSaysSoAndKeepsTheOldFile) {
    TempFile target("balanced.dtv");
    const Bytes old = encodeDataFile(startedModel());
    target.write(old);
    Outcome r;
    {
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit limit = before;
        limit.rlim_cur = 1024;  // a data file takes 1,440 bytes
        setrlimit(RLIMIT_FSIZE, &limit);
        r = run({"balance", "--vary", "11", "--save", target.path()});
        setrlimit(RLIMIT_FSIZE, &before);
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("saving failed"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("# saved"), std::string::npos);
    EXPECT_EQ(contents(target.path()), old);

    r = run({"balance", "--vary", "11", "--save", "/dev/null"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not an ordinary file"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(ReportInputs, EachLimitHoldsAsDocumentedAndNotAStepBeyond) {
    // Every command's documented limits, each taken at the limit and refused just past it.
    struct Limit {
        std::vector<std::string> atTheLimit, beyond;
    };
    const Limit limits[] = {
        {{"balance", "--vary", "11,9,16,7"}, {"balance", "--vary", "11,9,16,7,12"}},
        {{"--step", "0.01"}, {"--step", "0.0099"}},
        {{"--step", "360"}, {"--step", "360.01"}},
        {{"table", "--pivots", "2,4,8,14,18,21", "--step", "0.01"},
         {"table", "--pivots", "2,4,8,14,18,21,3"}},
        {{"indicator", "--back", "0"}, {"indicator", "--back", "-0.01"}},
        {{"indicator", "--n", "1.4"}, {"indicator", "--n", "1.41"}},
        {{"indicator", "--clearance", "100"}, {"indicator", "--clearance", "100.1"}},
    };
    for (const Limit& l : limits) {
        const Outcome at = run(l.atTheLimit);
        EXPECT_EQ(at.status, 0) << l.atTheLimit[1] << " " << l.atTheLimit.back() << ": " << at.err;
        const Outcome past = run(l.beyond);
        EXPECT_EQ(past.status, 2) << l.beyond[1] << " " << l.beyond.back();
        EXPECT_FALSE(past.err.empty());
    }
    // --clearance sets both ends: the rear is as --clearance-rear sets it alone.
    const auto rows = [](const std::string& csv) { return textLines(csv); };
    const Outcome both = run({"indicator", "--reverse-arm", "fwd", "--clearance", "12"});
    const Outcome rear = run(
        {"indicator", "--reverse-arm", "fwd", "--clearance-rear", "12", "--clearance-front", "12"});
    ASSERT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(rows(both.out), rows(rear.out));
    const Outcome rearOnly = run({"indicator", "--reverse-arm", "fwd", "--clearance-rear", "12"});
    // The rear row, but for the front-minus-rear difference the front's default changes.
    std::vector<std::string> a = csvFields(rows(both.out)[2]), b = csvFields(rows(rearOnly.out)[2]);
    a.pop_back();
    b.pop_back();
    EXPECT_EQ(a, b);
}
