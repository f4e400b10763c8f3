// The recovery file (see RecoveryFile.h).
#include "RecoveryFile.h"

#include <algorithm>
#include <string_view>

namespace tarvell {
namespace {

constexpr std::string_view kMagic = "TARVELL RECOVERY 1\n";

// One header line's value: line ends and other control characters would break the header,
// so they become spaces.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return out;
}

void appendLine(std::vector<unsigned char>& out, std::string_view key, std::string_view value) {
    const std::string line = std::string(key) + " " + oneLine(value) + "\n";
    out.insert(out.end(), line.begin(), line.end());
}

}  // namespace

std::vector<unsigned char> encodeRecoveryFile(const RecoveryHeader& header, const Model& m) {
    std::vector<unsigned char> out(kMagic.begin(), kMagic.end());
    appendLine(out, "name", header.dataSetName);
    appendLine(out, "path", header.sourcePath);
    appendLine(out, "time", header.writtenAt);
    appendLine(out, "state", header.unsaved ? "unsaved" : "saved");
    out.push_back('\n');
    const std::vector<unsigned char> design = encodeDataFile(m);
    out.insert(out.end(), design.begin(), design.end());
    return out;
}

DecodedRecoveryFile decodeRecoveryFile(std::span<const unsigned char> bytes) {
    DecodedRecoveryFile out;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                std::min(bytes.size(), kLongestRecoveryHeader));
    if (!text.starts_with(kMagic)) {
        out.reason = "it is not a recovery file of this program.";
        return out;
    }
    RecoveryHeader header;
    bool named = false, pathed = false, timed = false;
    std::size_t at = kMagic.size();
    for (;;) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            out.reason = "its header is cut short.";
            return out;
        }
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty()) break;  // the design follows
        const std::size_t space = line.find(' ');
        const std::string_view key = line.substr(0, space);
        const std::string value(space == std::string_view::npos ? "" : line.substr(space + 1));
        if (key == "name") {
            header.dataSetName = value, named = true;
        } else if (key == "path") {
            header.sourcePath = value, pathed = true;
        } else if (key == "time") {
            header.writtenAt = value, timed = true;
        } else if (key == "state" && (value == "saved" || value == "unsaved")) {
            header.unsaved = value == "unsaved";
        } else {
            out.reason = "its header holds an unknown line.";
            return out;
        }
    }
    if (!named || !pathed || !timed) {
        out.reason = std::string("its header has no ") +
                     (!named    ? "name"
                      : !pathed ? "path"
                                : "time") +
                     " line.";
        return out;
    }
    const std::span<const unsigned char> design = bytes.subspan(at);
    if (design.size() < kFullFileBytes) {
        out.reason = "the design in it is cut short: it holds " + std::to_string(design.size()) +
                     " of its " + std::to_string(kFullFileBytes) + " bytes.";
        return out;
    }
    if (design.size() > kFullFileBytes) {
        out.reason = std::to_string(design.size() - kFullFileBytes) +
                     " bytes follow the design in it, where a recovery file ends.";
        return out;
    }
    DecodedDataFile decoded = decodeDataFile(design);
    if (!decoded.dataSet) {
        out.reason = "the design in it is damaged: " + decoded.reason;
        return out;
    }
    out.header = std::move(header);
    out.dataSet = std::move(decoded.dataSet);
    return out;
}

}  // namespace tarvell
