// Argument reading shared by the report tool's commands (see ReportArgs.h).
#include "ReportArgs.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace tarvell {

bool ArgReader::value(std::string_view name, std::string& out) {
    if (done()) {
        complain() << name << " needs a value\n";
        return false;
    }
    out = next();
    return true;
}

std::ostream& ArgReader::complain() {
    return err_ << "tarvell-report: ";
}

bool parseNumber(std::string_view text, double& value) {
    if (text.empty()) return false;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc() && res.ptr == text.data() + text.size() && std::isfinite(value);
}

bool parseStep(std::string_view text, double& step, std::ostream& err) {
    if (!parseNumber(text, step) || step < 0.01 || step > 360) {
        err << "tarvell-report: --step takes a number of degrees from 0.01 to 360, not \"" << text
            << "\"\n";
        return false;
    }
    return true;
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

int loadDimensionSet(Model& m, const std::string& file, std::ostream& err) {
    StartUp(m);
    if (file.empty()) return 0;
    err << "tarvell-report: reading data files is not available yet (" << file << ")\n";
    return 1;
}

}  // namespace tarvell
