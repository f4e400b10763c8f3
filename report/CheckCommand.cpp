// tarvell-report check: the checks a designer makes before cutting metal, one line each, and an
// exit status a script can test.
#include <ostream>

#include "CommandOptions.h"
#include "GearChecks.h"
#include "Numbers.h"
#include "Report.h"
#include "ReportArgs.h"

namespace tarvell {
namespace {

constexpr std::string_view kCheckUsage =
    "Usage: tarvell-report check [--notch PCT] [--file PATH]\n"
    "\n"
    "Checks the design of the Tarvell gear (the default dimension set, or a data file's)\n"
    "and prints one line per check: \"pass\" or \"FAIL\", the check's name, then where the\n"
    "worst case is and by how much. The checks:\n"
    "\n"
    "  negative lead                  no lead below 0 from mid gear out to full gear either\n"
    "                                 way (mid gear and four positions each side)\n"
    "  port never opens at mid gear   both steam ports open at mid gear\n"
    "  exhaust passage below the steam port\n"
    "                                 the cavity's far edge leaves no less of the\n"
    "                                 exhaust port than the steam port's width\n"
    "  cut-off difference at the running notch\n"
    "                                 front and rear cut-offs at most 2 % of the\n"
    "                                 stroke apart at the running notch, both ways\n"
    "  trapped pressure above chest pressure\n"
    "                                 on the idealised cards (chest 115, back 15, n 1,\n"
    "                                 clearances 8 %) no trapped steam above the chest\n"
    "  solver failures                every solve of the checks succeeded\n"
    "\n"
    "  --notch PCT      the running notch's mean cut-off, per cent (default 25)\n"
    "  --file PATH      check the dimension set of a data file (.dtv) instead of the defaults\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 when every check passes, 1 when any fails or the data file cannot be\n"
    "read, 2 for bad arguments. Numbers use \".\" as the decimal point.\n";

}  // namespace

int runCheckCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                    std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--file", OptionKind::Once},
        {"--notch", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done =
            readCommandOptions(args, first, kOptions, "check", kCheckUsage, options, out, err))
        return *done;
    GearCheckOptions checkOptions;
    if (options.has("--notch")) {
        const std::string v = options.value("--notch");
        if (!parseNumber(v, checkOptions.runningNotch) || !(checkOptions.runningNotch > 0) ||
            !(checkOptions.runningNotch < 100)) {
            complain(err) << "check: --notch takes a mean cut-off between 0 and 100 per cent, "
                             "not \""
                          << v << "\"\n";
            return 2;
        }
    }
    Model m;
    if (const int status = loadDimensionSet(m, options.value("--file"), err)) return status;
    const std::vector<GearCheck> checks = gearChecks(m, checkOptions);
    for (const GearCheck& c : checks)
        out << (c.passed ? "pass" : "FAIL") << "  " << c.name << ": " << c.detail << "\n";
    return allPassed(checks) ? 0 : 1;
}

}  // namespace tarvell
