// tarvell-report compare: two designs side by side, as CSV.
#include <ostream>

#include "CommandOptions.h"
#include "Csv.h"
#include "DesignComparison.h"
#include "Report.h"
#include "ReportArgs.h"

namespace tarvell {
namespace {

constexpr std::string_view kCompareUsage =
    "Usage: tarvell-report compare A.dtv B.dtv [--reverse-arm VALUE|mid|fwd|rev]...\n"
    "                                          [--notch PCT]...\n"
    "\n"
    "Compares two designs (data files): first the dimensions in which they differ, then,\n"
    "after a blank line, the valve events of both at each reverse arm position.\n"
    "\n"
    "  code,dimension,a,b        a dimension's code, its name, and its value in A and in B\n"
    "\n"
    "  position                  A's reverse arm position (mid, fwd, rev and notches are each\n"
    "                            design's own; a number is the same for both)\n"
    "  tag                       Cen, Fwd or Rev (as events gives it for A)\n"
    "  end                       front or rear\n"
    "  quantity                  cutoff, release, compression (per cent of the stroke, as\n"
    "                            events gives them) or lead\n"
    "  a,b,difference            the value in A, in B, and A less B (empty where an event\n"
    "                            does not occur)\n"
    "\n"
    "  --reverse-arm P  a position to compare at, as events takes it; may be given more than\n"
    "                   once (default: mid, fwd, rev)\n"
    "  --notch PCT      the forward then the reverse position whose mean cut-off is PCT\n"
    "                   per cent (25fwd or 25rev for one), found on each design; may be\n"
    "                   given more than once, after the --reverse-arm positions. A cut-off\n"
    "                   either design cannot reach is refused, naming those it can\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0, 1 when a file cannot be used (with the reason), 2 for bad arguments.\n"
    "Numbers use \".\" as the decimal point.\n";

}  // namespace

std::string comparisonCsv(const Model& a, const Model& b, const std::vector<std::string>& named,
                          const std::vector<Notch>& notches) {
    CsvWriter csv;
    csv.header({"code", "dimension", "a", "b"});
    for (const DimensionDifference& d : differingDimensions(a, b))
        csv.row({std::to_string(d.code), std::string(d.field), CsvWriter::number(d.a),
                 CsvWriter::number(d.b)});
    csv.blank();
    csv.header({"position", "tag", "end", "quantity", "a", "b", "difference"});
    auto optional = [](const std::optional<double>& v) {
        return v ? CsvWriter::number(*v) : std::string();
    };
    // Each position as a pair, A's and B's.
    std::vector<std::pair<float, float>> positions;
    for (const std::string& word : named) {
        float pa = 0, pb = 0;
        resolveReverseArm(a, word, pa);
        resolveReverseArm(b, word, pb);
        positions.emplace_back(pa, pb);
    }
    for (const Notch& notch : notches) {
        const NotchPosition na = findNotch(a, notch), nb = findNotch(b, notch);
        if (na.found && nb.found) positions.emplace_back(na.position, nb.position);
    }
    for (const auto& [pa, pb] : positions) {
        const PositionEvents ea = valveEvents(a, pa), eb = valveEvents(b, pb);
        for (const ComparedValue& v : compareEvents(ea, eb))
            csv.row({CsvWriter::number(pa), std::string(positionTagText(ea.tag)),
                     v.front ? "front" : "rear", std::string(comparedQuantityName(v.quantity)),
                     optional(v.a), optional(v.b), optional(v.difference())});
    }
    return csv.text();
}

int runCompareCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                      std::ostream& err) {
    // The two files come first; the options follow.
    std::vector<std::string> files;
    std::size_t at = first;
    while (at < args.size() && files.size() < 2 && !args[at].starts_with("-"))
        files.push_back(args[at++]);
    static constexpr OptionSpec kOptions[] = {{"--reverse-arm", OptionKind::Repeated},
                                              {"--notch", OptionKind::Repeated}};
    CommandOptions options;
    if (const auto done =
            readCommandOptions(args, at, kOptions, "compare", kCompareUsage, options, out, err))
        return *done;
    if (files.size() != 2) {
        complain(err) << "compare needs two data files, A.dtv B.dtv (see compare --help)\n";
        return 2;
    }
    std::vector<Notch> notches;
    if (!readNotchWords(options.values("--notch"), true, notches, err)) return 2;
    Model a, b;
    if (const int status = loadDimensionSet(a, files[0], err)) return status;
    if (const int status = loadDimensionSet(b, files[1], err)) return status;
    std::vector<std::string> named = options.values("--reverse-arm");
    if (named.empty() && notches.empty()) named = {"mid", "fwd", "rev"};
    for (const std::string& word : named) {
        float position = 0;
        if (!resolveReverseArm(a, word, position)) {
            complain(err) << "--reverse-arm takes a number, mid, fwd or rev, not \"" << word
                          << "\"\n";
            return 2;
        }
    }
    std::vector<float> positions;
    if (!named.empty() && !resolveReverseArms(a, named, positions, err))
        return 2;  // warns beyond the travel
    for (const Model* design : {&a, &b})
        if (const int status = resolveNotches(*design, notches, positions, err)) {
            err << "tarvell-report: (in " << files[design == &a ? 0 : 1] << ")\n";
            return status;
        }
    out << comparisonCsv(a, b, named, notches);
    return 0;
}

}  // namespace tarvell
