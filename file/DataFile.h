// The dimension data file: a working set (dimensions, view, reverse arm settings, overlay)
// as 72 records of five little-endian single floats. Encoding reads the model; decoding
// checks bytes completely into a DataSet; applying writes a checked DataSet into the model.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Vari.h"

namespace tarvell {

inline constexpr int kFieldsPerRecord = 5;
inline constexpr int kRecordBytes = kFieldsPerRecord * 4;
inline constexpr int kFullRecordCount = 72;  // what the program writes
inline constexpr int kBaseRecordCount = 19;  // dimensions, view and reverse arm settings only
inline constexpr int kFieldCount = kFullRecordCount * kFieldsPerRecord;
// 1,440: bytes after these never change what a file opens to, so readers may stop there.
inline constexpr std::size_t kFullFileBytes = kFullRecordCount * kRecordBytes;

// The values of one file, checked and ready to apply: every field the program reads is a
// finite number, and the small whole numbers (overlay types, colours, modes, pivots, the
// current item) and the graphic zoom and vertical scale are brought into their ranges.
struct DataSet {
    int records = 0;                          // whole records taken: 19, 20 or 72
    std::array<float, kFieldCount> fields{};  // record by record, five fields each

    bool hasOverlay() const { return records == kFullRecordCount; }
};

// Either a DataSet or the reason the file cannot be opened: one sentence for the user,
// without the file's name (the caller puts "<file name>: " in front).
struct DecodedDataFile {
    std::optional<DataSet> dataSet;
    std::string reason;
};

// The 72 records of the current state, 1,440 bytes. The model is only read.
std::vector<unsigned char> encodeDataFile(const Model& m);

// Checks the bytes of a file without touching any model.
DecodedDataFile decodeDataFile(std::span<const unsigned char> bytes);

// What the main window's reverse arm scroll bar takes after a file has been opened: the
// range +-round(1000 * RevArmToCentMax) (0 when that is negative) and the position
// round(1000 * (P - C)), or round(1000 * (C - P)) when LiftingArmLength is not positive,
// P being the file's reverse arm position and C the new centre, held inside the range.
struct ReverseArmBar {
    int position = 0;
    int maximum = 0;  // the minimum is -maximum
};

// Opens a checked data set into the model: records 1-19 always; the overlay and its current
// item from a full file, otherwise the overlay stays and item 1 becomes current. Then the
// valve stem line and mid gear are recomputed (mid gear replaces reverse arm positions 1-3),
// and ReverseArmPosition is left at the file's value; the window's scroll bar handler then
// takes it to the bar's nearest step. The data set name is the caller's to set.
ReverseArmBar applyDataSet(Model& m, const DataSet& set);

// The data set name of a file: its last path component ("/" or "\" separated) without the
// extension. "C:\Data\Loco.dtv" -> "Loco"; a leading dot is not an extension.
std::string dataSetNameFromPath(std::string_view path);

}  // namespace tarvell
