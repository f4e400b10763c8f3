// The recovery file: the working design written aside a few seconds after each change, so a
// program that was killed (or a machine that lost power) can offer it back at the next start.
// A short text header names the data set, the file it came from and when it was written; the
// design follows as the 1,440 bytes of a full data file. No Qt.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "DataFile.h"

namespace tarvell {

// The longest header a recovery file may have, and so the longest file.
inline constexpr std::size_t kLongestRecoveryHeader = 8192;
inline constexpr std::size_t kLongestRecoveryFile = kLongestRecoveryHeader + kFullFileBytes;

struct RecoveryHeader {
    std::string dataSetName;  // as the title showed it
    std::string sourcePath;   // the data file it was opened from or saved to; empty for none
    std::string writtenAt;    // local date and time, "YYYY-MM-DD HH:MM:SS"
    bool unsaved = true;      // the design differs from its file (a restart may hand over both)
};

std::vector<unsigned char> encodeRecoveryFile(const RecoveryHeader& header, const Model& m);

// Either the header and the checked design, or the reason the file cannot be used. A file
// is taken whole or not at all.
struct DecodedRecoveryFile {
    std::optional<RecoveryHeader> header;
    std::optional<DataSet> dataSet;
    std::string reason;
};
DecodedRecoveryFile decodeRecoveryFile(std::span<const unsigned char> bytes);

}  // namespace tarvell
