// Which model value each field of the dimension data file holds. One table, read in record
// order, drives both writing and reading, so the two can never disagree.
#pragma once

#include <array>
#include <string>

#include "DataFile.h"
#include "Vari.h"

namespace tarvell {

enum class FieldKind : unsigned char {
    Dimension,      // index: dimension code
    PivotX,         // index: pivot number
    PivotY,         // index: pivot number
    CylinderSpare,  // cylinder slot 3, carried along
    ViewScale,      // the current view
    ViewOffsetX,
    ViewOffsetY,
    GraphicZoom,         // G of the graphic-position display
    ReverseArmPosition,  // the gear's current position
    LastPlotted,         // the position a diagram plotted last
    VerticalScale,       // of the diagrams
    PresetValue,         // index 0-20: preset slot index/3, component index%3 (scale, ox, oy)
    ArmPosition,         // index 1-9 of the reverse arm positions
    OverlayPoint,        // index: item 0-19; part: 0-7, p1x p1y p2x p2y ref1x ref1y ref2x ref2y
    OverlayNumber,       // index: item 0-19; part: 0-4, type colour refMode pivot1 pivot2
    Zero,                // written as 0, never read
    CurrentOverlayItem,  // 1-20
};

struct FieldSlot {
    FieldKind kind;
    int index = 0;
    int part = 0;
};

// The 360 fields of a full file, record by record.
const std::array<FieldSlot, kFieldCount>& dataFileLayout();

// Whether opening takes the field's value at all.
bool fieldIsRead(const FieldSlot& slot);

float readField(const Model& m, const FieldSlot& slot);
void writeField(Model& m, const FieldSlot& slot, float value);

// What the field holds, for messages: "Stroke", "overlay item 3, point 1 horizontal", ...
std::string describeField(const FieldSlot& slot);

// Largest accepted value of an overlay number (part 0-4); from -1 (unset) up to it is in range.
int overlayNumberMax(int part);

}  // namespace tarvell
