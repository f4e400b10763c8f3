// Argument reading shared by the report tool's commands (see ReportArgs.h).
#include "ReportArgs.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

#include "DataFile.h"
#include "Numbers.h"
#include "Report.h"

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

namespace {

void warnBeyondMaximumTravel(const Model& m, float position, std::ostream& err) {
    const double c = m.ReverseArmCentre();
    const double max = std::fabs(static_cast<double>(m.frame.RevArmToCentMax));
    if (!(std::fabs(position - c) > max + 1e-6 * (1.0 + max))) return;
    err << "tarvell-report: warning: reverse arm position " << csvNumber(position)
        << " is beyond the maximum travel of " << formatFixed(max, 0, 3)
        << " either side of mid gear (" << formatFixed(c - max, 0, 3) << " to "
        << formatFixed(c + max, 0, 3) << "); the gear cannot reach it\n";
}

}  // namespace

bool resolveReverseArms(const Model& m, std::vector<std::string> named,
                        std::vector<float>& positions, ArgReader& in, std::ostream& err) {
    if (named.empty()) named = {"mid", "fwd", "rev"};
    for (const std::string& p : named) {
        float position = 0;
        if (!resolveReverseArm(m, p, position)) {
            in.complain() << "--reverse-arm takes a number, mid, fwd or rev, not \"" << p << "\"\n";
            return false;
        }
        positions.push_back(position);
        warnBeyondMaximumTravel(m, position, err);
    }
    return true;
}

namespace {

// The operating system's text for the last failure, as the end of a sentence.
std::string systemReason() {
    std::string text = std::generic_category().message(errno);
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

// The whole file, or false with the reason.
bool readFileBytes(const std::string& path, std::vector<unsigned char>& bytes,
                   std::string& reason) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "this is a folder, not a data file.";
        return false;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "the file cannot be opened (" + systemReason() + ").";
        return false;
    }
    // Nothing after the 72nd record matters, so a huge file (or a device) is not read on.
    bytes.resize(kFullFileBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        reason = "the file cannot be read (" + systemReason() + ").";
        return false;
    }
    return true;
}

}  // namespace

int loadDimensionSet(Model& m, const std::string& file, std::ostream& err) {
    StartUp(m);
    if (file.empty()) return 0;
    std::vector<unsigned char> bytes;
    std::string reason;
    if (readFileBytes(file, bytes, reason)) {
        const DecodedDataFile decoded = decodeDataFile(bytes);
        if (decoded.dataSet) {
            applyDataSet(m, *decoded.dataSet);
            m.DataSetName = dataSetNameFromPath(file);
            return 0;
        }
        reason = decoded.reason;
    }
    err << "tarvell-report: " << file << ": " << reason << "\n";
    return 1;
}

int loadWithReverseArm(Model& m, const std::string& file, std::string_view reverseArm,
                       std::ostream& err) {
    if (const int status = loadDimensionSet(m, file, err)) return status;
    float position = 0;
    if (!resolveReverseArm(m, reverseArm, position)) {
        err << "tarvell-report: --reverse-arm takes a number, mid, fwd or rev, not \"" << reverseArm
            << "\"\n";
        return 2;
    }
    m.gear.ReverseArmPosition = position;
    return 0;
}

}  // namespace tarvell
