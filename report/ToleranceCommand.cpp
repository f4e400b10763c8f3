// tarvell-report tolerance: what the valve events become when the parts are made to a
// tolerance and the pins have worn, as CSV.
#include <atomic>
#include <charconv>
#include <cmath>
#include <csignal>
#include <ostream>

#include "CommandOptions.h"
#include "PositionOptions.h"
#include "Report.h"
#include "ReportArgs.h"
#include "Tolerance.h"

namespace tarvell {
namespace {

constexpr std::string_view kToleranceUsage =
    "Usage: tarvell-report tolerance [--tolerance T] [--tolerance CODE=T]...\n"
    "                                [--angle-tolerance DEG] [--wear C] [--samples N]\n"
    "                                [--seed S] [--reverse-arm P]... [--notch PCT]...\n"
    "                                [--file PATH]\n"
    "\n"
    "A Monte-Carlo study of the Tarvell gear (the default dimension set, or a data\n"
    "file's): every length that moves the valve events varies within plus or minus its\n"
    "tolerance and the link's rocking angle within the angle tolerance, uniformly and\n"
    "independently; each sample has its mid gear and positions worked out again, as\n"
    "closing the frame dialog does. Prints CSV: one row per event and end at each\n"
    "position, then the samples that could not be measured, then the five dimensions\n"
    "that contribute most to the spread of the cut-off difference (at the first\n"
    "position: each one's squared correlation with it, in per cent).\n"
    "\n"
    "  position, tag   the reverse arm position on the design as it is, Cen/Fwd/Rev\n"
    "  quantity        cutoff, lead, release or compression\n"
    "  end             front, rear, or difference (front minus rear cut-off)\n"
    "  nominal         the design's own figure\n"
    "  min, p05, median, p95, max  over the samples that have the event\n"
    "\n"
    "  --tolerance T         every length within plus or minus T (default 0.002)\n"
    "  --tolerance CODE=T    dimension CODE within plus or minus T instead (0: exact)\n"
    "  --angle-tolerance DEG the rocking angle within plus or minus DEG (default 0.05)\n"
    "  --wear C              worn pins: each link acts up to C longer or shorter at each\n"
    "                        of its pins (the envelope of the motion, not the motion\n"
    "                        under load, which depends on the forces) (default 0)\n"
    "  --samples N           samples, 1 to 1000000 (default 2000)\n"
    "  --seed S              the random seed: the same seed gives the same figures\n"
    "                        (default 1)\n"
    "  --reverse-arm P       fwd, rev, max-fwd, max-rev, mid, set or a number; may be\n"
    "                        given more than once (default: fwd and rev)\n"
    "  --notch PCT           the forward and the reverse position of a mean cut-off of\n"
    "                        PCT per cent, found afresh on every sample; may be repeated\n"
    "  --file PATH           the dimension set of a data file (.dtv)\n"
    "  --help                show this text\n"
    "\n"
    "Progress goes to stderr; Ctrl+C stops the study and prints nothing (exit status\n"
    "130). Exit status 1 for a data file that cannot be read, 2 for bad arguments.\n"
    "Numbers use \".\" as the decimal point.\n";

std::atomic<bool> interrupted{false};

extern "C" void stopOnInterrupt(int) {
    interrupted.store(true);
}

bool parseCount(std::string_view text, long long& v) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool parseTolerance(std::string_view text, ToleranceSettings& s) {
    double t = 0;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        if (!parseNumber(text, t) || !(t >= 0) || t > 1e6) return false;
        s.lengthTolerance = t;
        return true;
    }
    long long code = 0;
    if (!parseCount(text.substr(0, equals), code) || !parseNumber(text.substr(equals + 1), t) ||
        !(t >= 0) || t > 1e6 || code < 0 || code > 1000)
        return false;
    s.overrides[static_cast<int>(code)] = t;
    return true;
}

}  // namespace

int runToleranceCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                        std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--tolerance", OptionKind::Repeated}, {"--angle-tolerance", OptionKind::Once},
        {"--wear", OptionKind::Once},          {"--samples", OptionKind::Once},
        {"--seed", OptionKind::Once},          {"--reverse-arm", OptionKind::Repeated},
        {"--notch", OptionKind::Repeated},     {"--file", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done = readCommandOptions(args, first, kOptions, "tolerance", kToleranceUsage,
                                             options, out, err))
        return *done;
    ToleranceSettings settings;
    for (const std::string& t : options.values("--tolerance"))
        if (!parseTolerance(t, settings)) {
            complain(err) << "--tolerance takes T or CODE=T with T not below 0, not \"" << t
                          << "\"\n";
            return 2;
        }
    if (const std::string a = options.value("--angle-tolerance"); !a.empty()) {
        if (!parseNumber(a, settings.angleTolerance) || !(settings.angleTolerance >= 0) ||
            settings.angleTolerance > 360) {
            complain(err) << "--angle-tolerance takes degrees from 0 to 360, not \"" << a << "\"\n";
            return 2;
        }
    }
    if (const std::string w = options.value("--wear"); !w.empty()) {
        if (!parseNumber(w, settings.wear) || !(settings.wear >= 0) || settings.wear > 1e6) {
            complain(err) << "--wear takes a clearance not below 0, not \"" << w << "\"\n";
            return 2;
        }
    }
    if (const std::string n = options.value("--samples"); !n.empty()) {
        long long count = 0;
        if (!parseCount(n, count) || count < 1 || count > 1000000) {
            complain(err) << "--samples takes a whole number from 1 to 1000000, not \"" << n
                          << "\"\n";
            return 2;
        }
        settings.samples = static_cast<int>(count);
    }
    if (const std::string s = options.value("--seed"); !s.empty()) {
        long long seed = 0;
        if (!parseCount(s, seed) || seed < 0) {
            complain(err) << "--seed takes a whole number not below 0, not \"" << s << "\"\n";
            return 2;
        }
        settings.seed = static_cast<std::uint64_t>(seed);
    }
    Model m;
    if (const int status = loadDimensionSet(m, options.value("--file"), err)) return status;
    if (!readComparedPositions(options, m, settings.positions, err)) return 2;

    interrupted.store(false);
    const auto previous = std::signal(SIGINT, stopOnInterrupt);
    const int total = settings.samples;
    const ToleranceStudy study = toleranceStudy(
        m, settings,
        [&err, total](int done) {
            err << "\r" << done << " / " << total << " samples" << std::flush;
        },
        &interrupted);
    std::signal(SIGINT, previous == SIG_ERR ? SIG_DFL : previous);
    err << "\n";
    if (study.cancelled) {
        err << "tarvell-report: stopped after " << study.samples << " samples\n";
        return 130;
    }
    out << toleranceCsv(study);
    return 0;
}

}  // namespace tarvell
