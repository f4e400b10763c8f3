// tarvell-report table: the pivot data table of six chosen pivots over one turn.
#include <array>
#include <charconv>
#include <chrono>
#include <ctime>
#include <ostream>

#include "CommandOptions.h"
#include "PivotTableText.h"
#include "Report.h"
#include "ReportArgs.h"

namespace tarvell {
namespace {

constexpr std::string_view kTableUsage =
    "Usage: tarvell-report table --pivots N,N,N,N,N,N [--step S]\n"
    "                            [--reverse-arm P | --notch PCT] [--file PATH]\n"
    "\n"
    "Prints the pivot data table of the Tarvell gear (the default dimension set, or a data\n"
    "file's) as the program's Pivot Data Table window shows it: four heading lines (data set\n"
    "name, date and time; reverse arm position and step; column titles), then one row per\n"
    "driver angle from 0 in steps of S degrees while not above 360, giving the angle and the\n"
    "vertical (Y) and horizontal (X) world position of each of the six chosen pivots.\n"
    "\n"
    "  --pivots N,...   the pivot numbers (0-26) of columns No.1 to No.6, separated by\n"
    "                   commas; with fewer than six the remaining columns list pivot 0,\n"
    "                   the driver centre (always 0.000, 0.000)\n"
    "  --step S         driver step in degrees, 0.01 to 360 (default 10)\n"
    "  --reverse-arm P  reverse arm end position: a number (its X), or mid for mid gear,\n"
    "                   fwd or rev for the normal forward or reverse position (forward on\n"
    "                   the side the valve events window takes it; default mid); a\n"
    "                   position beyond the maximum travel gets a warning on stderr\n"
    "  --notch PCT      instead, the forward position whose mean cut-off (front and rear\n"
    "                   averaged) is PCT per cent; PCTrev (25rev) the reverse one. A\n"
    "                   cut-off the gear cannot reach is refused, naming those it can\n"
    "  --file PATH      tabulate the dimension set of a data file (.dtv) instead of the\n"
    "                   defaults; mid, fwd and rev then mean that set's own positions\n"
    "  --help           show this text\n"
    "\n"
    "The date and time are the local ones, as YYYY-MM-DD and HH:MM:SS. Numbers use \".\" as\n"
    "the decimal point.\n";

// Up to six pivot numbers 0-26 separated by commas; the slots not named stay 0.
bool parsePivots(std::string_view text, std::array<int, 6>& slots) {
    slots.fill(0);
    std::size_t count = 0;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        int n = -1;
        const auto res = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || res.ec != std::errc() || res.ptr != item.data() + item.size() ||
            n < 0 || n >= PivotSet::kCount || count == slots.size())
            return false;
        slots[count++] = n;
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

PivotTableHeading localHeading(const std::string& name) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char date[32] = "", time[32] = "";
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return {name, date, time};
}

}  // namespace

int runTableCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                    std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--pivots", OptionKind::Once}, {"--reverse-arm", OptionKind::Once},
        {"--notch", OptionKind::Once},  {"--file", OptionKind::Once},
        {"--step", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done =
            readCommandOptions(args, first, kOptions, "table", kTableUsage, options, out, err))
        return *done;
    double step = 10;
    if (options.has("--step") && !parseStep(options.value("--step"), step, err)) return 2;
    const bool pivotsGiven = options.has("--pivots");
    const std::string pivots = options.value("--pivots");
    const std::string file = options.value("--file");
    const std::string reverseArm = options.value("--reverse-arm");
    const std::string notch = options.value("--notch");
    std::array<int, 6> slots{};
    if (!pivotsGiven) {
        complain(err) << "table needs --pivots N,N,N,N,N,N (see table --help)\n";
        return 2;
    }
    if (!parsePivots(pivots, slots)) {
        complain(err) << "--pivots takes up to six pivot numbers from 0 to 26 separated by "
                         "commas, not \""
                      << pivots << "\"\n";
        return 2;
    }

    Model m;
    if (const int status =
            loadWithPosition(m, file, options.has("--reverse-arm") ? &reverseArm : nullptr,
                             options.has("--notch") ? &notch : nullptr, err))
        return status;
    m.gear.StepAngle = static_cast<float>(step);
    m.pivotDataSlots = slots;
    out << buildPivotTable(m, localHeading(m.DataSetName));
    return 0;
}

}  // namespace tarvell
