// Two designs side by side: the dimensions in which they differ, and their valve events at a
// position, quantity by quantity (cut-off, lead, release and compression of each end), with
// the difference of the first less the second. What the report's compare command and the
// valve events window's comparison show.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ValveEvents.h"
#include "ValveEventsTable.h"
#include "Vari.h"

namespace tarvell {

struct DimensionDifference {
    int code = 0;
    std::string_view field;  // the dimension's name in the model
    float a = 0, b = 0;
};

// Every dimension whose value differs between `a` and `b` (bit for bit), in code order.
std::vector<DimensionDifference> differingDimensions(const Model& a, const Model& b);

enum class ComparedQuantity { CutOff, Lead, Release, Compression };
inline constexpr std::array<ComparedQuantity, 4> kComparedQuantities{
    ComparedQuantity::CutOff, ComparedQuantity::Lead, ComparedQuantity::Release,
    ComparedQuantity::Compression};

// "cutoff", "lead", "release", "compression".
std::string_view comparedQuantityName(ComparedQuantity q);

struct ComparedValue {
    bool front = true;
    ComparedQuantity quantity = ComparedQuantity::CutOff;
    std::optional<double> a, b;  // empty where the event does not occur
    std::optional<double> difference() const {
        return a && b ? std::optional<double>(*a - *b) : std::nullopt;
    }
};

// The eight values of two positions' events: the front end's four quantities, then the rear's.
std::vector<ComparedValue> compareEvents(const PositionEvents& a, const PositionEvents& b);

// One row of the valve events table beside the same row of another design: a set entry at the
// same reverse arm position, a named position (normal and maximum either way) at the other
// design's own.
struct ComparedRow {
    std::string entry;
    float position = 0, otherPosition = 0;
    PositionTag tag = PositionTag::Cen;
    std::vector<ComparedValue> values;  // as compareEvents gives them
};
std::vector<ComparedRow> compareWithTable(const ValveEventsTable& table, const Model& other);

}  // namespace tarvell
