// tarvell-report balance: searches chosen dimensions for equal valve events (or MEPs) front
// and rear, prints the dimensions and events before and after, and saves the balanced design.
#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>

#include "Balance.h"
#include "CommandOptions.h"
#include "DataFile.h"
#include "Report.h"
#include "ReportArgs.h"
#include "SafeWrite.h"

namespace tarvell {
namespace {

constexpr std::string_view kBalanceUsage =
    "Usage: tarvell-report balance --vary CODE[,CODE...] [--reverse-arm P]...\n"
    "                              [--objective cutoff|lead|release|compression|mep[,...]]\n"
    "                              [--range CODE=DELTA]... [--target-cutoff PCT]\n"
    "                              [--file PATH] [--save OUT.dtv]\n"
    "\n"
    "Searches for the values of up to four dimensions of the Tarvell gear (the default\n"
    "dimension set, or a data file's) that make the chosen valve events, or the mean\n"
    "effective pressures (MEP) of the indicator cards, the same at the front and the rear\n"
    "of the cylinder, and prints the dimensions and the events before and after as CSV\n"
    "sections separated by empty lines, each under a \"#\" line. Every design tried has\n"
    "its mid gear and its normal and maximum positions recomputed, as closing the frame\n"
    "dialog does.\n"
    "\n"
    "  --vary CODE,...     the dimension codes of the dialogs to vary, at most four: 11 the\n"
    "                      valve rod's total length, 9 the fulcrum lever's lower arm, 16 the\n"
    "                      link's rocking angle, ... Not accepted: 27 and 28 (the reverse\n"
    "                      arm's travel) and the dimensions that do not move the valve\n"
    "                      events (1, 10, 103-108, 115-117)\n"
    "  --range CODE=DELTA  vary CODE from its value minus DELTA to its value plus DELTA\n"
    "                      (default 5 % of the value and at least 0.05; for the rocking\n"
    "                      angle, 16, 5 degrees)\n"
    "  --objective LIST    what to make equal, separated by commas: cutoff, lead, release,\n"
    "                      compression, mep (default cutoff). mep takes the idealised\n"
    "                      indicator card of each end with the default settings (chest\n"
    "                      115, back 15, n 1, clearances 8 %; see indicator --help)\n"
    "  --reverse-arm P     a position to compare at: fwd or rev (normal forward or reverse),\n"
    "                      max-fwd or max-rev (maximum forward or reverse), mid (mid gear),\n"
    "                      set (every entry of the reverse arm position set) or a number (a\n"
    "                      fixed X); may be given more than once (default: fwd and rev). The\n"
    "                      named positions follow each design's own mid gear.\n"
    "  --target-cutoff PCT also draw the mean of the front and rear cut-offs at normal\n"
    "                      forward to PCT per cent\n"
    "  --file PATH         start from the dimension set of a data file (.dtv) instead of the\n"
    "                      defaults\n"
    "  --save OUT.dtv      write the balanced design there as a whole data file, through a\n"
    "                      temporary file, so a failed write leaves a file already there as\n"
    "                      it was. When the search cannot improve the design nothing is\n"
    "                      written.\n"
    "  --help              show this text\n"
    "\n"
    "Differences are front minus rear: cut-off, release and compression in per cent of the\n"
    "stroke, lead in length, MEP in per cent of the mean of the two. The search makes the sum of "
    "their squares small, counting a\n"
    "lead difference in per cent of the mean steam port width; the worst difference is the\n"
    "largest of them on that scale (or the distance of the mean cut-off from its target).\n"
    "When no design tried is better the search says so and the design stays as it was.\n"
    "Exit status: 0 when the search ran, improved or not; 1 when the data file cannot be\n"
    "read or the result cannot be saved; 2 for bad arguments. Numbers use \".\" as the\n"
    "decimal point.\n";

bool parseCode(std::string_view text, int& code) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), code);
    return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
}

bool parseObjective(std::string_view text, BalanceObjective& objective) {
    if (text == "cutoff" || text == "cut-off") {
        objective = BalanceObjective::CutOff;
    } else if (text == "lead") {
        objective = BalanceObjective::Lead;
    } else if (text == "release") {
        objective = BalanceObjective::Release;
    } else if (text == "compression") {
        objective = BalanceObjective::Compression;
    } else if (text == "mep") {
        objective = BalanceObjective::Mep;
    } else {
        return false;
    }
    return true;
}

// fwd, rev, max-fwd, max-rev, mid, set or a number; `set` adds the set's entries.
bool parsePositions(const Model& m, std::string_view text, std::vector<BalancePosition>& out) {
    using Kind = BalancePosition::Kind;
    if (text == "fwd") {
        out.push_back(BalancePosition::named(Kind::NormalForward));
    } else if (text == "rev") {
        out.push_back(BalancePosition::named(Kind::NormalReverse));
    } else if (text == "max-fwd") {
        out.push_back(BalancePosition::named(Kind::MaxForward));
    } else if (text == "max-rev") {
        out.push_back(BalancePosition::named(Kind::MaxReverse));
    } else if (text == "mid") {
        out.push_back(BalancePosition::named(Kind::MidGear));
    } else if (text == "set") {
        for (const BalancePosition& p : setBalancePositions(m)) out.push_back(p);
    } else {
        double v;
        if (!parseNumber(text, v) || std::fabs(v) > 1e30) return false;
        out.push_back(BalancePosition::fixed(static_cast<float>(v)));
    }
    return true;
}

struct RangeArg {
    int code = 0;
    double delta = 0;
};

bool parseRange(std::string_view text, RangeArg& range) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || !parseCode(text.substr(0, equals), range.code))
        return false;
    return parseNumber(text.substr(equals + 1), range.delta) && range.delta > 0 &&
           range.delta < 1e30;
}

std::string optionalNumber(const std::optional<double>& v) {
    return v ? csvNumber(*v) : std::string();
}

// The distinct positions of the compared differences, as resolved on one design.
std::vector<float> comparedPositions(const BalanceResult& r, bool after) {
    std::vector<float> out;
    for (const BalanceDifference& d : r.differences) {
        const float x = after ? d.positionAfter : d.positionBefore;
        bool seen = false;
        for (float y : out) seen = seen || y == x;
        if (!seen) out.push_back(x);
    }
    return out;
}

std::string resultText(const BalanceResult& r, Model& start) {
    std::string out = "# balance: ";
    out += r.improved() ? "improved" : "not improved, the design is unchanged";
    out += "; worst difference " + csvNumber(r.worstBefore) + " -> " + csvNumber(r.worstAfter) +
           " after " + std::to_string(r.evaluations) + " evaluations\n";
    out += "code,dimension,lower,upper,before,after\n";
    for (const DimensionChange& c : r.dimensions) {
        const DimensionInfo* d = findDimension(c.code);
        out += std::to_string(c.code) + ',' + std::string(d ? d->field : "") + ',' +
               csvNumber(c.lower) + ',' + csvNumber(c.upper) + ',' + csvNumber(c.before) + ',' +
               csvNumber(c.after) + '\n';
    }
    out += "\n# front minus rear\n";
    out += "objective,position,reverse_arm_before,reverse_arm_after,before,after\n";
    for (const BalanceDifference& d : r.differences)
        out += std::string(balanceObjectiveName(d.objective)) + ',' +
               balancePositionName(d.position) + ',' + csvNumber(d.positionBefore) + ',' +
               csvNumber(d.positionAfter) + ',' + optionalNumber(d.before) + ',' +
               optionalNumber(d.after) + '\n';
    if (r.targetMeanBefore || r.targetMeanAfter)
        out += "mean cut-off,normal fwd,,," + optionalNumber(r.targetMeanBefore) + ',' +
               optionalNumber(r.targetMeanAfter) + '\n';
    if (!r.differences.empty()) {
        out += "\n# events before\n" + eventsCsv(start, comparedPositions(r, false));
        Model after = r.design;
        out += "\n# events after\n" + eventsCsv(after, comparedPositions(r, true));
    }
    return out;
}

}  // namespace

int runBalanceCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                      std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--vary", OptionKind::List},
        {"--objective", OptionKind::List},
        {"--reverse-arm", OptionKind::Repeated},
        {"--range", OptionKind::Repeated},
        {"--target-cutoff", OptionKind::Once},
        {"--file", OptionKind::Once},
        {"--save", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done =
            readCommandOptions(args, first, kOptions, "balance", kBalanceUsage, options, out, err))
        return *done;
    const std::vector<std::string> vary = options.values("--vary");
    std::vector<std::string> objectives = options.values("--objective");
    if (objectives.empty()) objectives = {"cutoff"};
    const std::vector<std::string> positionArgs = options.values("--reverse-arm");
    const std::string file = options.value("--file"), save = options.value("--save"),
                      target = options.value("--target-cutoff");
    std::vector<RangeArg> ranges;
    for (const std::string& v : options.values("--range")) {
        RangeArg range;
        if (!parseRange(v, range)) {
            complain(err) << "--range takes CODE=DELTA with DELTA a positive number, not \"" << v
                          << "\"\n";
            return 2;
        }
        ranges.push_back(range);
    }
    if (vary.empty()) {
        complain(err) << "balance needs --vary CODE[,CODE...] (see balance --help)\n";
        return 2;
    }

    Model m;
    if (const int status = loadDimensionSet(m, file, err)) return status;

    BalanceRequest request;
    for (const std::string& item : vary) {
        int code = 0;
        if (!parseCode(item, code)) {
            complain(err) << "--vary takes dimension codes separated by commas, not \"" << item
                          << "\"\n";
            return 2;
        }
        request.vary.push_back(defaultBalanceVariable(code, dimensionValue(m, code)));
    }
    for (const RangeArg& range : ranges) {
        BalanceVariable* v = nullptr;
        for (BalanceVariable& candidate : request.vary)
            if (candidate.code == range.code) v = &candidate;
        if (!v) {
            complain(err) << "--range names code " << range.code << ", which --vary does not\n";
            return 2;
        }
        const double value = dimensionValue(m, range.code);
        v->lower = value - range.delta;
        v->upper = value + range.delta;
    }
    request.objectives.clear();
    for (const std::string& item : objectives) {
        BalanceObjective objective;
        if (!parseObjective(item, objective)) {
            complain(err)
                << "--objective takes cutoff, lead, release, compression or mep separated "
                   "by commas, not \""
                << item << "\"\n";
            return 2;
        }
        bool seen = false;
        for (BalanceObjective o : request.objectives) seen = seen || o == objective;
        if (!seen) request.objectives.push_back(objective);
    }
    if (!positionArgs.empty()) {
        std::vector<BalancePosition> positions;
        for (const std::string& p : positionArgs)
            if (!parsePositions(m, p, positions)) {
                complain(err) << "--reverse-arm takes fwd, rev, max-fwd, max-rev, mid, set or a "
                                 "number, not \""
                              << p << "\"\n";
                return 2;
            }
        request.positions.clear();
        for (const BalancePosition& p : positions) {
            bool seen = false;
            for (const BalancePosition& q : request.positions) seen = seen || p == q;
            if (!seen) request.positions.push_back(p);
        }
    }
    if (!target.empty()) {
        double pct = 0;
        if (!parseNumber(target, pct)) {
            complain(err) << "--target-cutoff takes a per cent, not \"" << target << "\"\n";
            return 2;
        }
        request.targetCutOff = pct;
    }
    if (const std::string reason = checkBalanceRequest(m, request); !reason.empty()) {
        complain(err) << "balance: " << reason << "\n";
        return 2;
    }

    const BalanceResult result = balanceDesign(m, request);
    out << resultText(result, m);
    if (save.empty()) return 0;
    if (!result.improved()) {
        out << "\n# nothing saved to " << save << ": the design is unchanged\n";
        return 0;
    }
    const std::vector<unsigned char> bytes = encodeDataFile(result.design);
    if (const std::string reason = writeFileSafely(save, bytes); !reason.empty()) {
        err << "tarvell-report: " << save << ": saving failed (" << reason
            << "). The previous file, if any, is unchanged.\n";
        return 1;
    }
    out << "\n# saved the balanced design to " << save << "\n";
    return 0;
}

}  // namespace tarvell
