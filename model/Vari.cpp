// Program-wide state: initial values, defaults and the start-up order.
#include "Vari.h"

#include <algorithm>
#include <cmath>

#include "Calc.h"
#include "Numbers.h"

namespace tarvell {

std::string_view directionName(Direction d) {
    return d == Direction::Fwd ? "Fwd" : "Rev";
}

std::string_view portEventName(PortEvent e) {
    switch (e) {
        case PortEvent::Admission:
            return "ADMISSION";
        case PortEvent::Expansion:
            return "EXPANSION";
        case PortEvent::Exhaust:
            return "EXHAUST";
        case PortEvent::Compression:
            return "COMPRESSION";
        case PortEvent::None:
            break;
    }
    return "";
}

float& dimensionRef(Model& m, const DimensionInfo& d) {
    switch (d.store) {
        case DimensionStore::Frame:
            return m.frame.*(d.frameField);
        case DimensionStore::Cylinder:
            return m.cyl.slot[static_cast<std::size_t>(d.index)];
        case DimensionStore::PivotX:
            return m.pivots[d.index].x;
        case DimensionStore::PivotY:
            break;
    }
    return m.pivots[d.index].y;
}

float dimensionValue(const Model& m, const DimensionInfo& d) {
    return dimensionRef(const_cast<Model&>(m), d);
}

float dimensionValue(const Model& m, int code) {
    const DimensionInfo* d = findDimension(code);
    return d ? dimensionValue(m, *d) : 0.0f;
}

bool setDimensionValue(Model& m, int code, float value) {
    const DimensionInfo* d = findDimension(code);
    if (!d) return false;
    dimensionRef(m, *d) = value;
    if (code == 102 || code == 109) updateValveStemLine(m);
    return true;
}

void updateValveStemLine(Model& m) {
    m.pivots[4].y = toSingle(static_cast<double>(m.pivots[3].y) + m.cyl.ValveStemClToCylCl());
}

float wrapAngle360(float deg) {
    if (!std::isfinite(deg)) return 0.0f;
    const float wrapped = static_cast<float>(wrapDegrees(deg));
    return wrapped >= 360.0f ? 0.0f : wrapped;
}

void InitProgramState(Model& m) {
    m.gear = GearState{};
    m.solver = SolverState{};
    m.SteamDisplay = false;
    m.LineWidth = 1;
    m.UndoEnabled = false;
    m.DynamicStep = 0.001f;
    m.TextScaleX = 1.0f;
    m.TextScaleY = 1.0f;
    m.DataSetName = "Nominal";
    m.HighlightCode = 0;
    for (int n : {0, 1, 6, 16, 19, 20}) m.pivots[n].x = m.pivots[n].y = 0;
    m.pivots[3].y = 0;
    m.reverseArmPositions.fill(0);
    m.view = ViewState{};
    for (auto& s : m.dynamicSlots) s = DynamicSlot{};
    for (auto& u : m.undo) u = UndoEntry{};
    m.undoCount = 0;
    m.undoPending = false;
    m.DynamicVariablesShown = false;
    m.PositionCount = 1;
    m.VerticalScale = 1.5f;
    m.PositionsChanged = false;
    m.lastPlottedPosition = 0;
    m.indicator = IndicatorSettings{};
    for (auto& item : m.overlay) item = OverlayItem{};
    m.currentOverlayItem = 1;
    m.pivotDataSlots.fill(0);
    m.frontEvent = m.rearEvent = PortEventState{};
    m.cutoff = CutoffReadouts{};
}

void InstallDefaultView(Model& m) {
    m.view.current = m.view.saved;
    m.view.normal = m.view.saved;
    m.view.zoomRef = m.view.saved;
}

void LoadFrameDefaults(Model& m) {
    const auto all = allDimensions();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (groupOf(all[i]) == DimensionGroup::Frame) m.defaults[i] = all[i].defaultValue;
}

void LoadCylinderDefaults(Model& m) {
    const auto all = allDimensions();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (groupOf(all[i]) == DimensionGroup::Cylinder) m.defaults[i] = all[i].defaultValue;
}

void ApplyFrameDefaults(Model& m) {
    const auto all = allDimensions();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (groupOf(all[i]) == DimensionGroup::Frame) dimensionRef(m, all[i]) = m.defaults[i];
}

void ApplyCylinderDefaults(Model& m) {
    const auto all = allDimensions();
    m.cyl.SpareSlot() = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (groupOf(all[i]) == DimensionGroup::Cylinder) dimensionRef(m, all[i]) = m.defaults[i];
    updateValveStemLine(m);
}

void StartUp(Model& m) {
    InitProgramState(m);
    InstallDefaultView(m);
    LoadFrameDefaults(m);
    LoadCylinderDefaults(m);
    ApplyFrameDefaults(m);
    ApplyCylinderDefaults(m);
    CalcMidGear(m);
}

int reverseArmRangeMax(const Model& m) {
    return std::max(0, roundToInt(1000.0 * static_cast<double>(m.frame.RevArmToCentMax)));
}

int reverseArmBarPosition(const Model& m, double position) {
    const double offset = position - static_cast<double>(m.ReverseArmCentre());
    const int max = reverseArmRangeMax(m);
    return std::clamp(roundToInt(1000.0 * (m.frame.LiftingArmLength > 0 ? offset : -offset)), -max,
                      max);
}

}  // namespace tarvell
