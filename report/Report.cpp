// The command-line report (see Report.h).
#include "Report.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "Calc.h"
#include "Sweep.h"

namespace tarvell {
namespace {

constexpr std::string_view kUsage =
    "Usage: tarvell-report [--reverse-arm VALUE|mid|fwd|rev] [--step S]\n"
    "\n"
    "Prints the motion of the Tarvell valve gear of the default dimension set over one\n"
    "turn of the driver as CSV: one row per driver angle from 0 in steps of S degrees\n"
    "while not above 360, giving the angle, X and Y of pivots 0-21, piston travel\n"
    "(0 at the front dead centre, 640 at the rear), valve offset, the front and rear\n"
    "steam and exhaust openings, the port event of each end and the solver's status\n"
    "(Z good, E after a failed valve-rod search).\n"
    "\n"
    "  --reverse-arm P  reverse arm end position: a number (its X), or mid for mid gear,\n"
    "                   fwd or rev for the normal forward or reverse position (default mid)\n"
    "  --step S         driver step in degrees, 0.01 to 360 (default 10)\n"
    "  --help           show this text\n"
    "\n"
    "The port events follow the history of the openings, as in the main window; the turn\n"
    "is run once before it is printed so that the first rows show settled events.\n"
    "Numbers use \".\" as the decimal point.\n";

bool parseNumber(std::string_view text, double& value) {
    if (text.empty()) return false;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc() && res.ptr == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

std::string csvNumber(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
    return std::string(buf, res.ptr);
}

bool resolveReverseArm(const Model& m, std::string_view text, float& position) {
    if (text == "mid") {
        position = m.ReverseArmCentre();
    } else if (text == "fwd") {
        position = m.reverseArmPositions[2];
    } else if (text == "rev") {
        position = m.reverseArmPositions[3];
    } else {
        double v;
        if (!parseNumber(text, v) || std::fabs(v) > 1e30) return false;
        position = static_cast<float>(v);
    }
    return true;
}

std::string motionCsv(Model& m, float step) {
    std::string out = "angle";
    for (int n = 0; n <= 21; ++n) out += ",x" + std::to_string(n) + ",y" + std::to_string(n);
    out +=
        ",piston_travel,valve_offset,front_steam,front_exhaust,rear_steam,rear_exhaust,"
        "front_event,rear_event,status\n";

    auto solve = [](Model& mm) {
        SolveLinkage(mm);
        ComputePistonAndOpenings(mm);
        UpdatePortEvents(mm);
    };
    sweepDriverTurn(m, step, solve);  // settle the port-event latches
    sweepDriverTurn(m, step, [&](Model& mm) {
        solve(mm);
        out += csvNumber(mm.gear.DriverAngle);
        for (int n = 0; n <= 21; ++n) {
            out += ',';
            out += csvNumber(mm.pivots[n].x);
            out += ',';
            out += csvNumber(mm.pivots[n].y);
        }
        const Openings& o = mm.openings;
        for (float v : {o.PistonTravel, mm.limits.ValveOffset, o.FrontSteamOpening,
                        o.FrontExhaustOpening, o.RearSteamOpening, o.RearExhaustOpening}) {
            out += ',';
            out += csvNumber(v);
        }
        out += ',';
        out += portEventName(mm.frontEvent.event);
        out += ',';
        out += portEventName(mm.rearEvent.event);
        out += ',';
        out += mm.solver.SolveStatus;
        out += '\n';
    });
    return out;
}

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string reverseArm = "mid";
    double step = 10;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                err << "tarvell-report: " << a << " needs a value\n";
                return false;
            }
            v = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        } else if (a == "--reverse-arm") {
            if (!value(reverseArm)) return 2;
        } else if (a == "--step") {
            std::string v;
            if (!value(v)) return 2;
            if (!parseNumber(v, step) || step < 0.01 || step > 360) {
                err << "tarvell-report: --step takes a number of degrees from 0.01 to 360, not \""
                    << v << "\"\n";
                return 2;
            }
        } else {
            err << "tarvell-report: unknown argument \"" << a << "\" (see --help)\n";
            return 2;
        }
    }

    Model m;
    StartUp(m);
    float position = 0;
    if (!resolveReverseArm(m, reverseArm, position)) {
        err << "tarvell-report: --reverse-arm takes a number, mid, fwd or rev, not \"" << reverseArm
            << "\"\n";
        return 2;
    }
    m.gear.ReverseArmPosition = position;
    out << motionCsv(m, static_cast<float>(step));
    return 0;
}

}  // namespace tarvell
