// Argument reading shared by the report tool's commands (see ReportArgs.h).
#include "ReportArgs.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>

#include "CommandOptions.h"
#include "Csv.h"
#include "DataFile.h"
#include "FileAccess.h"
#include "Numbers.h"
#include "ValveEvents.h"
#include "ValveEventsTable.h"

namespace tarvell {

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
    } else if (text == "fwd" || text == "rev") {
        LinkageSolver solver(m);
        const std::array<float, 4> named = namedPositions(m, midGearOrientation(solver));
        position = text == "fwd" ? named[0] : named[1];
    } else {
        double v;
        if (!parseNumber(text, v) || std::fabs(v) > 1e30) return false;
        position = static_cast<float>(v);
    }
    return true;
}

void warnBeyondMaximumTravel(const Model& m, float position, std::ostream& err) {
    const double c = m.ReverseArmCentre();
    const double max = std::fabs(static_cast<double>(m.frame.RevArmToCentMax));
    if (!(std::fabs(position - c) > max + 1e-6 * (1.0 + max))) return;
    err << "tarvell-report: warning: reverse arm position " << CsvWriter::number(position)
        << " is beyond the maximum travel of " << formatFixed(max, 0, 3)
        << " either side of mid gear (" << formatFixed(c - max, 0, 3) << " to "
        << formatFixed(c + max, 0, 3) << "); the gear cannot reach it\n";
}

bool resolveReverseArms(const Model& m, std::vector<std::string> named,
                        std::vector<float>& positions, std::ostream& err) {
    if (named.empty()) named = {"mid", "fwd", "rev"};
    for (const std::string& p : named) {
        float position = 0;
        if (!resolveReverseArm(m, p, position)) {
            complain(err) << "--reverse-arm takes a number, mid, fwd or rev, not \"" << p << "\"\n";
            return false;
        }
        positions.push_back(position);
        warnBeyondMaximumTravel(m, position, err);
    }
    return true;
}

bool parseNotchWord(std::string_view text, bool bothWays, std::vector<Notch>& notches) {
    bool forward = true, reverse = bothWays;
    for (const auto& [suffix, fwd] :
         {std::pair<std::string_view, bool>{"fwd", true}, {"rev", false}})
        if (text.ends_with(suffix)) {
            text.remove_suffix(suffix.size());
            forward = fwd;
            reverse = !fwd;
        }
    double cutOff = 0;
    if (!parseNumber(text, cutOff)) return false;
    if (forward) notches.push_back({cutOff, true});
    if (reverse) notches.push_back({cutOff, false});
    return true;
}

bool readNotchWords(const std::vector<std::string>& words, bool bothWays,
                    std::vector<Notch>& notches, std::ostream& err) {
    for (const std::string& word : words)
        if (!parseNotchWord(word, bothWays, notches)) {
            complain(err) << "--notch takes a mean cut-off in per cent, optionally followed by "
                             "fwd or rev (25, 25fwd, 25rev), not \""
                          << word << "\"\n";
            return false;
        }
    return true;
}

int resolveNotches(const Model& m, const std::vector<Notch>& notches, std::vector<float>& positions,
                   std::ostream& err) {
    for (const Notch& notch : notches) {
        const NotchPosition found = findNotch(m, notch);
        if (!found.found) {
            complain(err) << "--notch: " << found.reason << "\n";
            return 2;
        }
        positions.push_back(found.position);
    }
    return 0;
}

int resolvePositions(const Model& m, const std::vector<std::string>& reverseArms,
                     const std::vector<std::string>& notchWords, std::vector<float>& positions,
                     std::ostream& err) {
    std::vector<Notch> notches;
    if (!readNotchWords(notchWords, true, notches, err)) return 2;
    if (!(reverseArms.empty() && !notches.empty()) &&
        !resolveReverseArms(m, reverseArms, positions, err))
        return 2;
    return resolveNotches(m, notches, positions, err);
}

int loadDimensionSet(Model& m, const std::string& file, std::ostream& err) {
    StartUp(m);
    if (file.empty()) return 0;
    // Nothing after the 72nd record matters, so a huge file is not read on.
    const FileBytes read = readRegularFile(file, kFullFileBytes);
    std::string reason = read.reason;
    if (read.ok()) {
        const DecodedDataFile decoded = decodeDataFile(read.bytes);
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
        complain(err) << "--reverse-arm takes a number, mid, fwd or rev, not \"" << reverseArm
                      << "\"\n";
        return 2;
    }
    m.gear.ReverseArmPosition = position;
    warnBeyondMaximumTravel(m, position, err);
    return 0;
}

int loadWithPosition(Model& m, const std::string& file, const std::string* reverseArm,
                     const std::string* notchWord, std::ostream& err) {
    if (reverseArm && notchWord) {
        complain(err) << "give the position by --reverse-arm or by --notch, not both\n";
        return 2;
    }
    std::vector<Notch> notches;
    if (notchWord && !readNotchWords({*notchWord}, false, notches, err)) return 2;
    if (!notchWord) return loadWithReverseArm(m, file, reverseArm ? *reverseArm : "mid", err);
    if (const int status = loadDimensionSet(m, file, err)) return status;
    std::vector<float> positions;
    if (const int status = resolveNotches(m, notches, positions, err)) return status;
    m.gear.ReverseArmPosition = positions.front();
    return 0;
}

}  // namespace tarvell
