// Encoding, checking and opening the dimension data file (see DataFile.h).
#include "DataFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "Calc.h"
#include "DataFileLayout.h"
#include "DesignCheck.h"
#include "Numbers.h"

namespace tarvell {
namespace {

constexpr int kOverlayItemCount = 20;
constexpr int kOlderRecordCount = 20;    // files from before the overlay: 19 or 20 records
constexpr float kMinGraphicZoom = 0.5f;  // the graphic zoom dialog's limits; G divides
constexpr float kMaxGraphicZoom = 2000.0f;
constexpr float kMinVerticalScale = 0.1f;  // the diagrams divide by it

void putFloat(std::vector<unsigned char>& out, float v) {
    const auto bits = std::bit_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(bits >> shift));
}

float getFloat(const unsigned char* p) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | p[i];
    return std::bit_cast<float>(bits);
}

// Values that are sure to be wrong but harmless to mend: no message, the nearest sound value.
float mend(const FieldSlot& slot, float v) {
    switch (slot.kind) {
        case FieldKind::OverlayNumber: {
            const int n = roundToInt(v);
            return static_cast<float>(n >= -1 && n <= overlayNumberMax(slot.part) ? n : -1);
        }
        case FieldKind::CurrentOverlayItem: {
            const int n = roundToInt(v);
            return static_cast<float>(n >= 1 && n <= kOverlayItemCount ? n : 1);
        }
        case FieldKind::GraphicZoom:
            return std::fmin(std::fmax(v, kMinGraphicZoom), kMaxGraphicZoom);
        case FieldKind::VerticalScale:
            return std::fmax(v, kMinVerticalScale);
        case FieldKind::Dimension:
            // The link rocking angle is kept in [0, 360) everywhere else too.
            return slot.index == 16 ? wrapAngle360(v) : v;
        default:
            return v;
    }
}

std::string recordCountReason(int whole) {
    const std::string count = std::to_string(whole);
    if (whole == 0) return "the file is empty, so it holds no dimension data.";
    if (whole < kBaseRecordCount)
        return "the file is too short to be a dimension data file: it holds " + count +
               (whole == 1 ? " whole record" : " whole records") +
               " of 20 bytes where at least 19 are needed.";
    return "the file is damaged: it holds " + count +
           " whole records of 20 bytes, but a dimension data file has 19, 20 or 72.";
}

}  // namespace

std::vector<unsigned char> encodeDataFile(const Model& m) {
    std::vector<unsigned char> out;
    out.reserve(static_cast<std::size_t>(kFullRecordCount) * kRecordBytes);
    for (const FieldSlot& slot : dataFileLayout()) {
        float v = readField(m, slot);
        // A pivot the solve could not place at the angle the design stands at is worked out
        // again on opening; written as it is, it would make the file unreadable.
        const bool pivot = slot.kind == FieldKind::PivotX || slot.kind == FieldKind::PivotY;
        if (pivot && !std::isfinite(v) && Pivot::workedOut(slot.index)) v = 0;
        putFloat(out, v);
    }
    return out;
}

DecodedDataFile decodeDataFile(std::span<const unsigned char> bytes) {
    DecodedDataFile result;
    // A trailing part of a record is ignored; records after the 72nd are left unread, as
    // they would be in a file that a later version extends.
    const std::size_t whole = bytes.size() / kRecordBytes;
    if (whole < static_cast<std::size_t>(kBaseRecordCount) ||
        (whole > static_cast<std::size_t>(kOlderRecordCount) &&
         whole < static_cast<std::size_t>(kFullRecordCount))) {
        result.reason = recordCountReason(static_cast<int>(whole));
        return result;
    }
    DataSet set;
    set.records = whole >= static_cast<std::size_t>(kFullRecordCount) ? kFullRecordCount
                                                                      : static_cast<int>(whole);
    // A file without the overlay has its data set values in the first 19 records only.
    const int used = set.hasOverlay() ? kFieldCount : kBaseRecordCount * kFieldsPerRecord;
    const auto& layout = dataFileLayout();
    for (int i = 0; i < used; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (!fieldIsRead(layout[n])) continue;
        const float v = getFloat(bytes.data() + n * 4);
        if (!std::isfinite(v)) {
            result.reason = "the file is damaged: record " +
                            std::to_string(i / kFieldsPerRecord + 1) + ", field " +
                            std::to_string(i % kFieldsPerRecord + 1) + " (" +
                            describeField(layout[n]) + ") " +
                            (std::isnan(v) ? "is not a number." : "is infinite.");
            return result;
        }
        set.fields[n] = mend(layout[n], v);
    }
    // Well-formed numbers may still be no design at all (a picture renamed ".dtv").
    if (std::string reason = implausibleDesignReason(set); !reason.empty()) {
        result.reason = std::move(reason);
        return result;
    }
    result.dataSet = set;
    return result;
}

ReverseArmBar applyDataSet(Model& m, const DataSet& set) {
    const auto& layout = dataFileLayout();
    const int used = set.hasOverlay() ? kFieldCount : kBaseRecordCount * kFieldsPerRecord;
    for (int i = 0; i < used; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (fieldIsRead(layout[n])) writeField(m, layout[n], set.fields[n]);
    }
    if (!set.hasOverlay()) m.currentOverlayItem = 1;

    // The valve stem line follows the cylinder dimensions just read, whatever the file says.
    updateValveStemLine(m);

    // Mid gear moves the arm to the centre; the file's position is put back for the bar.
    const float position = m.gear.ReverseArmPosition;
    CalcMidGear(m);
    m.gear.ReverseArmPosition = position;

    ReverseArmBar bar;
    bar.maximum = reverseArmRangeMax(m);
    bar.position = reverseArmBarPosition(m, position);
    return bar;
}

}  // namespace tarvell
