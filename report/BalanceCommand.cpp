// tarvell-report balance: searches chosen dimensions for equal valve events (or MEPs) front
// and rear, prints the dimensions and events before and after, and saves the balanced design.
#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>

#include "Balance.h"
#include "BalanceVerdict.h"
#include "CommandOptions.h"
#include "DataFile.h"
#include "PositionOptions.h"
#include "Report.h"
#include "ReportArgs.h"
#include "SafeWrite.h"

namespace tarvell {
namespace {

constexpr std::string_view kBalanceUsage =
    "Usage: tarvell-report balance --vary CODE[,CODE...] [--reverse-arm P]... [--notch PCT]...\n"
    "                              [--objective "
    "cutoff|lead|release|compression|mep|dieslip[,...]]\n"
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
    "                      115, back 15, n 1, clearances 8 %; see indicator --help);\n"
    "                      dieslip makes the greatest die slip at the positions small\n"
    "                      instead (how far the die block slides in the link over a\n"
    "                      turn), counted in per cent of the stroke\n"
    "  --reverse-arm P     a position to compare at: fwd or rev (normal forward or reverse),\n"
    "                      max-fwd or max-rev (maximum forward or reverse), mid (mid gear),\n"
    "                      set (every entry of the reverse arm position set) or a number (a\n"
    "                      fixed X); may be given more than once (default: fwd and rev;\n"
    "                      fwd alone or rev alone evens one running direction only). The\n"
    "                      named positions follow each design's own mid gear, forward on\n"
    "                      the side the valve events window takes it. A position beyond\n"
    "                      the maximum travel is compared at, with a warning on stderr.\n"
    "  --notch PCT         compare at the running notch of mean cut-off PCT per cent, forward\n"
    "                      and reverse (25fwd or 25rev for one of them), its position found\n"
    "                      afresh on every design tried; may be given more than once, and\n"
    "                      with --reverse-arm (then its positions come first). A cut-off the\n"
    "                      starting design cannot reach is refused, naming those it can\n"
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
    "Differences are front minus rear (the die slip is the slip itself, a length):\n"
    "cut-off, release and compression in per cent of the\n"
    "stroke, lead in length, MEP in per cent of the mean of the two. The search makes the\n"
    "sum of their squares small, counting a lead difference in per cent of the mean steam\n"
    "port width (and the distance of the mean cut-off from its target in per cent), and\n"
    "judges the result by that sum: the design is improved when the sum came down, even\n"
    "where one difference grew. The first line gives the sum and the worst difference (the\n"
    "largest term on that scale) before and after; \"# note:\" lines say when the target\n"
    "cut-off is not reached within the ranges and when a dimension ends on an end of its\n"
    "range (a wider --range may let the search go further); \"# cost:\" lines say what the\n"
    "balanced design gives up: a lead that turns negative or a port that no longer opens at\n"
    "the compared positions, at normal forward and reverse, or at mid gear. The\n"
    "dimensions' range_end column says lower or upper for one that ended there; the\n"
    "differences carry the leads at each position before and after. When no design tried\n"
    "has a smaller sum the search says so and the design stays as it was.\n"
    "\n"
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
    } else if (text == "dieslip" || text == "die-slip") {
        objective = BalanceObjective::DieSlip;
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
    return v ? CsvWriter::number(*v) : std::string();
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

// The first lines: the verdict with both measures, then what it means and what it cost.
void writeSummary(CsvWriter& csv, const BalanceResult& r) {
    std::string verdict = "balance: ";
    verdict += r.improved() ? "improved" : "not improved, the design is unchanged";
    verdict += "; sum of squares " + CsvWriter::number(r.sumBefore) + " -> " +
               CsvWriter::number(r.sumAfter) + ", worst difference " +
               CsvWriter::number(r.worstBefore) + " -> " + CsvWriter::number(r.worstAfter) +
               " after " + std::to_string(r.evaluations) + " evaluations";
    csv.comment(verdict);
    for (const std::string& note : balanceNotes(r)) csv.comment("note: " + note);
    for (const std::string& cost : r.costs) csv.comment("cost: " + cost);
}

std::string rangeEndText(RangeEnd end) {
    switch (end) {
        case RangeEnd::Lower:
            return "lower";
        case RangeEnd::Upper:
            return "upper";
        case RangeEnd::Inside:
            break;
    }
    return {};
}

void writeDimensions(CsvWriter& csv, const BalanceResult& r) {
    csv.header({"code", "dimension", "lower", "upper", "before", "after", "range_end"});
    for (const DimensionChange& c : r.dimensions) {
        const DimensionInfo* d = findDimension(c.code);
        csv.row({std::to_string(c.code), std::string(d ? d->field : ""), CsvWriter::number(c.lower),
                 CsvWriter::number(c.upper), CsvWriter::number(c.before),
                 CsvWriter::number(c.after), rangeEndText(c.end)});
    }
}

void appendLeads(std::vector<std::string>& row, const std::optional<BalanceLeads>& leads) {
    row.push_back(leads ? CsvWriter::number(leads->front) : std::string());
    row.push_back(leads ? CsvWriter::number(leads->rear) : std::string());
}

void writeDifferences(CsvWriter& csv, const BalanceResult& r) {
    csv.comment("front minus rear");
    csv.header({"objective", "position", "reverse_arm_before", "reverse_arm_after", "before",
                "after", "front_lead_before", "rear_lead_before", "front_lead_after",
                "rear_lead_after"});
    for (const BalanceDifference& d : r.differences) {
        std::vector<std::string> row = {std::string(balanceObjectiveName(d.objective)),
                                        balancePositionName(d.position),
                                        CsvWriter::number(d.positionBefore),
                                        CsvWriter::number(d.positionAfter),
                                        optionalNumber(d.before),
                                        optionalNumber(d.after)};
        appendLeads(row, d.leadsBefore);
        appendLeads(row, d.leadsAfter);
        csv.row(row);
    }
    if (r.targetMeanBefore || r.targetMeanAfter)
        csv.row({"mean cut-off", "normal fwd", "", "", optionalNumber(r.targetMeanBefore),
                 optionalNumber(r.targetMeanAfter)});
}

std::string resultText(const BalanceResult& r, const Model& start) {
    CsvWriter csv;
    writeSummary(csv, r);
    writeDimensions(csv, r);
    csv.blank();
    writeDifferences(csv, r);
    if (!r.differences.empty()) {
        csv.blank();
        csv.comment("events before");
        appendEventsCsv(csv, start, comparedPositions(r, false));
        csv.blank();
        csv.comment("events after");
        appendEventsCsv(csv, r.design, comparedPositions(r, true));
    }
    return csv.text();
}

// Each reads one option into the request; false after saying on `err` what is wrong.
bool readVary(const CommandOptions& options, const Model& m, BalanceRequest& request,
              std::ostream& err) {
    for (const std::string& item : options.values("--vary")) {
        int code = 0;
        if (!parseCode(item, code)) {
            complain(err) << "--vary takes dimension codes separated by commas, not \"" << item
                          << "\"\n";
            return false;
        }
        request.vary.push_back(defaultBalanceVariable(code, dimensionValue(m, code)));
    }
    return true;
}

bool readRanges(const std::vector<RangeArg>& ranges, const Model& m, BalanceRequest& request,
                std::ostream& err) {
    for (const RangeArg& range : ranges) {
        BalanceVariable* v = nullptr;
        for (BalanceVariable& candidate : request.vary)
            if (candidate.code == range.code) v = &candidate;
        if (!v) {
            complain(err) << "--range names code " << range.code << ", which --vary does not\n";
            return false;
        }
        const double value = dimensionValue(m, range.code);
        v->lower = value - range.delta;
        v->upper = value + range.delta;
    }
    return true;
}

bool readObjectives(const CommandOptions& options, BalanceRequest& request, std::ostream& err) {
    std::vector<std::string> objectives = options.values("--objective");
    if (objectives.empty()) objectives = {"cutoff"};
    request.objectives.clear();
    for (const std::string& item : objectives) {
        BalanceObjective objective;
        if (!parseObjective(item, objective)) {
            complain(err) << "--objective takes cutoff, lead, release, compression, mep or dieslip "
                             "separated by commas, not \""
                          << item << "\"\n";
            return false;
        }
        bool seen = false;
        for (BalanceObjective o : request.objectives) seen = seen || o == objective;
        if (!seen) request.objectives.push_back(objective);
    }
    return true;
}

bool readPositions(const CommandOptions& options, const Model& m, BalanceRequest& request,
                   std::ostream& err) {
    return readComparedPositions(options, m, request.positions, err);
}

bool readTarget(const CommandOptions& options, BalanceRequest& request, std::ostream& err) {
    const std::string target = options.value("--target-cutoff");
    if (target.empty()) return true;
    double pct = 0;
    if (!parseNumber(target, pct)) {
        complain(err) << "--target-cutoff takes a per cent, not \"" << target << "\"\n";
        return false;
    }
    request.targetCutOff = pct;
    return true;
}

// The --range values, read before the design is loaded so that a bad one is said first.
bool readRangeArgs(const CommandOptions& options, std::vector<RangeArg>& ranges,
                   std::ostream& err) {
    for (const std::string& v : options.values("--range")) {
        RangeArg range;
        if (!parseRange(v, range)) {
            complain(err) << "--range takes CODE=DELTA with DELTA a positive number, not \"" << v
                          << "\"\n";
            return false;
        }
        ranges.push_back(range);
    }
    return true;
}

// The whole request from the options, checked against the design; false after saying why.
bool buildRequest(const CommandOptions& options, const std::vector<RangeArg>& ranges,
                  const Model& m, BalanceRequest& request, std::ostream& err) {
    if (!readVary(options, m, request, err) || !readRanges(ranges, m, request, err) ||
        !readObjectives(options, request, err) || !readPositions(options, m, request, err) ||
        !readTarget(options, request, err))
        return false;
    if (const std::string reason = checkBalanceRequest(m, request); !reason.empty()) {
        complain(err) << "balance: " << reason << "\n";
        return false;
    }
    return true;
}

// Every compared position the starting design cannot reach is said, as the other commands
// say theirs.
void warnOfUnreachablePositions(const Model& m, const BalanceRequest& request, std::ostream& err) {
    for (float position : resolveBalancePositions(m, request.positions))
        if (std::isfinite(position)) warnBeyondMaximumTravel(m, position, err);
}

int saveResult(const BalanceResult& result, const std::string& save, std::ostream& out,
               std::ostream& err) {
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

}  // namespace

bool readComparedPositions(const CommandOptions& options, const Model& m,
                           std::vector<BalancePosition>& out, std::ostream& err) {
    const std::vector<std::string> words = options.values("--reverse-arm");
    std::vector<Notch> notches;
    if (!readNotchWords(options.values("--notch"), true, notches, err)) return false;
    if (words.empty() && notches.empty()) {
        out = normalBalancePositions();
        return true;
    }
    std::vector<float> found;  // a notch the starting design cannot reach is refused here
    if (resolveNotches(m, notches, found, err) != 0) return false;
    std::vector<BalancePosition> positions;
    for (const std::string& p : words)
        if (!parsePositions(m, p, positions)) {
            complain(err) << "--reverse-arm takes fwd, rev, max-fwd, max-rev, mid, set or a "
                             "number, not \""
                          << p << "\"\n";
            return false;
        }
    for (const Notch& n : notches)
        positions.push_back(BalancePosition::notch(static_cast<float>(n.cutOff), n.forward));
    out.clear();
    for (const BalancePosition& p : positions) {
        bool seen = false;
        for (const BalancePosition& q : out) seen = seen || p == q;
        if (!seen) out.push_back(p);
    }
    return true;
}

int runBalanceCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                      std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--vary", OptionKind::List},
        {"--objective", OptionKind::List},
        {"--reverse-arm", OptionKind::Repeated},
        {"--notch", OptionKind::Repeated},
        {"--range", OptionKind::Repeated},
        {"--target-cutoff", OptionKind::Once},
        {"--file", OptionKind::Once},
        {"--save", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done =
            readCommandOptions(args, first, kOptions, "balance", kBalanceUsage, options, out, err))
        return *done;
    std::vector<RangeArg> ranges;
    if (!readRangeArgs(options, ranges, err)) return 2;
    if (!options.has("--vary")) {
        complain(err) << "balance needs --vary CODE[,CODE...] (see balance --help)\n";
        return 2;
    }

    Model m;
    if (const int status = loadDimensionSet(m, options.value("--file"), err)) return status;
    BalanceRequest request;
    if (!buildRequest(options, ranges, m, request, err)) return 2;
    warnOfUnreachablePositions(m, request, err);

    const BalanceResult result = balanceDesign(m, request);
    out << resultText(result, m);
    const std::string save = options.value("--save");
    return save.empty() ? 0 : saveResult(result, save, out, err);
}

}  // namespace tarvell
