// Two designs side by side (see DesignComparison.h).
#include "DesignComparison.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "Data.h"
#include "SolveAt.h"

namespace tarvell {
namespace {

std::optional<double> valueOf(const EndEvents& e, ComparedQuantity q) {
    auto event = [](const ValveEvent& v) {
        return v.occurs() ? std::optional<double>(v.value) : std::nullopt;
    };
    switch (q) {
        case ComparedQuantity::CutOff:
            return event(e.cutOff);
        case ComparedQuantity::Lead:
            return e.lead;
        case ComparedQuantity::Release:
            return event(e.release);
        case ComparedQuantity::Compression:
            return event(e.compression);
    }
    return std::nullopt;
}

}  // namespace

std::vector<DimensionDifference> differingDimensions(const Model& a, const Model& b) {
    std::vector<DimensionDifference> out;
    for (const DimensionInfo& d : allDimensions()) {
        const float va = dimensionValue(a, d), vb = dimensionValue(b, d);
        if (std::bit_cast<std::uint32_t>(va) != std::bit_cast<std::uint32_t>(vb))
            out.push_back({d.code, d.field, va, vb});
    }
    std::sort(
        out.begin(), out.end(),
        [](const DimensionDifference& x, const DimensionDifference& y) { return x.code < y.code; });
    return out;
}

std::string_view comparedQuantityName(ComparedQuantity q) {
    switch (q) {
        case ComparedQuantity::CutOff:
            return "cutoff";
        case ComparedQuantity::Lead:
            return "lead";
        case ComparedQuantity::Release:
            return "release";
        case ComparedQuantity::Compression:
            return "compression";
    }
    return "";
}

std::vector<ComparedValue> compareEvents(const PositionEvents& a, const PositionEvents& b) {
    std::vector<ComparedValue> out;
    for (const bool front : {true, false})
        for (ComparedQuantity q : kComparedQuantities)
            out.push_back({front, q, valueOf(front ? a.front : a.rear, q),
                           valueOf(front ? b.front : b.rear, q)});
    return out;
}

std::vector<ComparedRow> compareWithTable(const ValveEventsTable& table, const Model& other) {
    LinkageSolver solver(other);
    const std::array<float, 4> named = namedPositions(other, midGearOrientation(solver));
    const std::array<std::string_view, 4> names = {"Normal fwd", "Normal rev", "Max fwd",
                                                   "Max rev"};
    std::vector<ComparedRow> rows;
    for (const EventsTableRow& row : table.rows) {
        float otherPosition = row.events.position;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (row.entry == names[i]) otherPosition = named[i];
        rows.push_back({row.entry, row.events.position, otherPosition, row.events.tag,
                        compareEvents(row.events, valveEvents(other, otherPosition))});
    }
    return rows;
}

}  // namespace tarvell
