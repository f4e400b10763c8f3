// The record layout of the dimension data file and the way to each value it names.
#include "DataFileLayout.h"

#include <cstddef>

#include "Data.h"
#include "Numbers.h"

namespace tarvell {
namespace {

constexpr FieldSlot dim(int code) {
    return {FieldKind::Dimension, code, 0};
}
constexpr FieldSlot px(int pivot) {
    return {FieldKind::PivotX, pivot, 0};
}
constexpr FieldSlot py(int pivot) {
    return {FieldKind::PivotY, pivot, 0};
}
constexpr FieldSlot preset(int i) {
    return {FieldKind::PresetValue, i, 0};
}
constexpr FieldSlot arm(int k) {
    return {FieldKind::ArmPosition, k, 0};
}
constexpr FieldSlot of(FieldKind kind) {
    return {kind, 0, 0};
}

// Records 1-19: dimensions, solved pivots, the view, reverse arm settings and positions.
// Code 121 and code 8 appear twice; the later field wins on reading.
constexpr FieldSlot kBaseRecords[kBaseRecordCount][kFieldsPerRecord] = {
    {dim(2), dim(8), dim(1), dim(3), dim(5)},
    {dim(6), dim(4), dim(9), dim(7), dim(11)},
    {dim(14), dim(15), dim(10), dim(17), dim(12)},
    {dim(13), dim(21), dim(20), dim(18), dim(16)},
    {dim(19), dim(25), dim(24), dim(23), dim(22)},
    {px(10), py(10), px(17), py(17), dim(102)},
    {dim(101), dim(103), dim(104), of(FieldKind::CylinderSpare), dim(105)},
    {dim(106), dim(107), dim(108), dim(109), dim(110)},
    {dim(111), dim(113), dim(115), dim(116), dim(117)},
    {dim(118), dim(120), dim(122), dim(112), dim(114)},
    {dim(119), dim(121), dim(121), py(4), dim(8)},
    {of(FieldKind::ViewScale), of(FieldKind::ViewOffsetX), of(FieldKind::GraphicZoom),
     of(FieldKind::ViewOffsetY), dim(27)},
    {dim(28), px(18), of(FieldKind::ReverseArmPosition), of(FieldKind::LastPlotted),
     of(FieldKind::VerticalScale)},
    {preset(0), preset(1), preset(2), preset(3), preset(4)},
    {preset(5), preset(6), preset(7), preset(8), preset(9)},
    {preset(10), preset(11), preset(12), preset(13), preset(14)},
    {preset(15), preset(16), preset(17), preset(18), preset(19)},
    {preset(20), arm(1), arm(2), arm(3), arm(4)},
    {arm(5), arm(6), arm(7), arm(8), arm(9)},
};

constexpr int kOverlayItems = 20;
constexpr int kOverlayPoints = 8;
constexpr int kOverlayNumbers = 5;
constexpr int kRecordsPerOverlayField = kOverlayItems / kFieldsPerRecord;

constexpr float OverlayItem::*kPointMembers[kOverlayPoints] = {
    &OverlayItem::p1x,   &OverlayItem::p1y,   &OverlayItem::p2x,   &OverlayItem::p2y,
    &OverlayItem::ref1x, &OverlayItem::ref1y, &OverlayItem::ref2x, &OverlayItem::ref2y};
constexpr int OverlayItem::*kNumberMembers[kOverlayNumbers] = {
    &OverlayItem::type, &OverlayItem::colour, &OverlayItem::refMode, &OverlayItem::pivot1,
    &OverlayItem::pivot2};
constexpr int kNumberMax[kOverlayNumbers] = {1, 5, 3, PivotSet::kCount - 1, PivotSet::kCount - 1};

constexpr const char* kPointNames[kOverlayPoints] = {
    "point 1 horizontal",          "point 1 vertical",
    "point 2 horizontal",          "point 2 vertical",
    "first reference horizontal",  "first reference vertical",
    "second reference horizontal", "second reference vertical"};
constexpr const char* kNumberNames[kOverlayNumbers] = {
    "type", "colour", "reference mode", "first reference pivot", "second reference pivot"};

// Records 20-71 hold one overlay field of all 20 items in each run of four records, five
// items per record in item order (the eight coordinates, then the five numbers); record 72
// holds four zeros and the current item.
constexpr std::array<FieldSlot, kFieldCount> buildLayout() {
    std::array<FieldSlot, kFieldCount> t{};
    std::size_t n = 0;
    for (const auto& record : kBaseRecords)
        for (const FieldSlot& f : record) t[n++] = f;
    for (int part = 0; part < kOverlayPoints + kOverlayNumbers; ++part)
        for (int item = 0; item < kOverlayItems; ++item)
            t[n++] = part < kOverlayPoints
                         ? FieldSlot{FieldKind::OverlayPoint, item, part}
                         : FieldSlot{FieldKind::OverlayNumber, item, part - kOverlayPoints};
    for (int f = 1; f < kFieldsPerRecord; ++f) t[n++] = of(FieldKind::Zero);
    t[n++] = of(FieldKind::CurrentOverlayItem);
    return t;
}

constexpr std::array<FieldSlot, kFieldCount> kLayout = buildLayout();
static_assert(kRecordsPerOverlayField * (kOverlayPoints + kOverlayNumbers) + kBaseRecordCount + 1 ==
              kFullRecordCount);

View& presetView(ViewState& v, int i) {
    return v.presets[static_cast<std::size_t>(i / 3)];
}
float& presetComponent(View& view, int i) {
    return i % 3 == 0 ? view.scale : i % 3 == 1 ? view.ox : view.oy;
}
OverlayItem& overlayItem(Model& m, int item) {
    return m.overlay[static_cast<std::size_t>(item)];
}

// Where each single-precision value lives; the overlay numbers and the current item are
// integers and handled by the callers.
float* valuePointer(Model& m, const FieldSlot& s) {
    switch (s.kind) {
        case FieldKind::Dimension:
            return &dimensionRef(m, *findDimension(s.index));
        case FieldKind::PivotX:
            return &m.pivots[s.index].x;
        case FieldKind::PivotY:
            return &m.pivots[s.index].y;
        case FieldKind::CylinderSpare:
            return &m.cyl.SpareSlot();
        case FieldKind::ViewScale:
            return &m.view.current.scale;
        case FieldKind::ViewOffsetX:
            return &m.view.current.ox;
        case FieldKind::ViewOffsetY:
            return &m.view.current.oy;
        case FieldKind::GraphicZoom:
            return &m.view.graphicZoom;
        case FieldKind::ReverseArmPosition:
            return &m.gear.ReverseArmPosition;
        case FieldKind::LastPlotted:
            return &m.lastPlottedPosition;
        case FieldKind::VerticalScale:
            return &m.VerticalScale;
        case FieldKind::PresetValue:
            return &presetComponent(presetView(m.view, s.index), s.index);
        case FieldKind::ArmPosition:
            return &m.reverseArmPositions[static_cast<std::size_t>(s.index)];
        case FieldKind::OverlayPoint:
            return &(overlayItem(m, s.index).*kPointMembers[s.part]);
        case FieldKind::OverlayNumber:
        case FieldKind::Zero:
        case FieldKind::CurrentOverlayItem:
            break;
    }
    return nullptr;
}

// A dimension's name for a message: its runs of spaces (there for dialog layout) made single.
std::string singleSpaced(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    return out;
}

}  // namespace

const std::array<FieldSlot, kFieldCount>& dataFileLayout() {
    return kLayout;
}

bool fieldIsRead(const FieldSlot& slot) {
    return slot.kind != FieldKind::Zero;
}

int overlayNumberMax(int part) {
    return kNumberMax[part];
}

float readField(const Model& m, const FieldSlot& s) {
    Model& mm = const_cast<Model&>(m);  // only read through
    switch (s.kind) {
        case FieldKind::OverlayNumber:
            return static_cast<float>(overlayItem(mm, s.index).*kNumberMembers[s.part]);
        case FieldKind::Zero:
            return 0.0f;
        case FieldKind::CurrentOverlayItem:
            return static_cast<float>(m.currentOverlayItem);
        default:
            return *valuePointer(mm, s);
    }
}

void writeField(Model& m, const FieldSlot& s, float value) {
    switch (s.kind) {
        case FieldKind::OverlayNumber:
            overlayItem(m, s.index).*kNumberMembers[s.part] = roundToInt(value);
            return;
        case FieldKind::Zero:
            return;
        case FieldKind::CurrentOverlayItem:
            m.currentOverlayItem = roundToInt(value);
            return;
        default:
            *valuePointer(m, s) = value;
    }
}

std::string describeField(const FieldSlot& s) {
    const std::string n = std::to_string(s.index);
    switch (s.kind) {
        case FieldKind::Dimension: {
            const DimensionInfo* d = findDimension(s.index);
            return singleSpaced(d->shortName.empty() ? d->caption : d->shortName) + ", code " + n;
        }
        case FieldKind::PivotX:
            return "pivot " + n + " horizontal";
        case FieldKind::PivotY:
            return "pivot " + n + " vertical";
        case FieldKind::CylinderSpare:
            return "the spare cylinder value";
        case FieldKind::ViewScale:
            return "the view scale";
        case FieldKind::ViewOffsetX:
            return "the view's horizontal offset";
        case FieldKind::ViewOffsetY:
            return "the view's vertical offset";
        case FieldKind::GraphicZoom:
            return "the graphic-position zoom";
        case FieldKind::ReverseArmPosition:
            return "the current reverse arm position";
        case FieldKind::LastPlotted:
            return "the reverse arm position last plotted";
        case FieldKind::VerticalScale:
            return "the diagrams' vertical scale";
        case FieldKind::PresetValue: {
            static constexpr const char* kComponent[] = {"scale", "horizontal offset",
                                                         "vertical offset"};
            return "view preset " + std::to_string(s.index / 3) + " " + kComponent[s.index % 3];
        }
        case FieldKind::ArmPosition:
            return "reverse arm position " + n;
        case FieldKind::OverlayPoint:
            return "overlay item " + std::to_string(s.index + 1) + ", " + kPointNames[s.part];
        case FieldKind::OverlayNumber:
            return "overlay item " + std::to_string(s.index + 1) + ", " + kNumberNames[s.part];
        case FieldKind::Zero:
            return "an unused field";
        case FieldKind::CurrentOverlayItem:
            return "the current overlay item";
    }
    return {};
}

}  // namespace tarvell
