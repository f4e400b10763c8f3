// Dynamic variables and undo (see DynamicVariables.h).
#include "DynamicVariables.h"

#include <algorithm>
#include <cstdlib>

#include "Calc.h"
#include "Numbers.h"

namespace tarvell {
namespace {

constexpr int kUndoDepth = 20;

void storeValue(Model& m, int code, float value) {
    if (code == 16) value = wrapAngle360(value);
    setDimensionValue(m, code, value);  // 102 and 109 also move the valve stem line
}

// Makes room for a new, empty entry 1. A full stack loses its oldest change: the oldest entry
// and the later entries of the same change above it. `startsChange` is false for the later
// entries of a change of several dimensions, which count with its first.
void pushEntry(Model& m, bool startsChange) {
    auto& u = m.undo;
    const bool dropsChange = u[kUndoDepth].code != 0;
    for (int i = kUndoDepth; i >= 1; --i) u[i] = u[i - 1];
    u[1] = UndoEntry{};
    u[1].joinsOlder = !startsChange;
    for (int i = kUndoDepth; i >= 1 && u[i].joinsOlder; --i) u[i] = UndoEntry{};
    m.undoCount =
        std::clamp(m.undoCount + (startsChange ? 1 : 0) - (dropsChange ? 1 : 0), 0, kUndoDepth);
}

// A gray field's exit: stores the value, makes the dimension the most recent dynamic
// variable and, when `record`, pushes an undo entry for it.
void storeDimension(Model& m, const DimensionInfo& d, float value, bool record, bool startsChange) {
    if (record) {
        m.redo.clear();  // a new change: what was taken back cannot be made again
        pushEntry(m, startsChange);
        m.undo[1].code = d.code;
        m.undo[1].oldValue = dimensionValue(m, d.code);
    }
    storeValue(m, d.code, value);
    const float stored = dimensionValue(m, d.code);
    DynamicSlot& s0 = m.dynamicSlots[0];
    s0.code = d.code;
    s0.value = stored;
    s0.name = std::string(d.shortName);
    RegisterDynamicVariable(m);
    if (record) {
        m.undo[1].newValue = stored;
        m.undo[1].name = std::string(d.shortName);
    }
    m.undoPending = false;
}

}  // namespace

void EmptyDynamicSlots(Model& m) {
    for (DynamicSlot& s : m.dynamicSlots) s = DynamicSlot{};
}

void RegisterDynamicVariable(Model& m) {
    auto& s = m.dynamicSlots;
    for (int k = 1; k <= 4; ++k) {
        if (s[k].code == s[0].code) {
            s[k].value = s[0].value;
            s[k].name = s[0].name;
            return;
        }
    }
    for (int k = 4; k >= 1; --k) s[k] = s[k - 1];
}

void ApplyDynamicChange(Model& m, int slot) {
    DynamicSlot& s = m.dynamicSlots[static_cast<std::size_t>(slot)];
    if (s.code == 0 || !findDimension(s.code)) return;
    s.value = dimensionValue(m, s.code);
    if (s.code == 16) m.DynamicStep *= 100.0f;  // 0.001 moves the angle by 0.1 degree
    s.value = toSingle(static_cast<double>(s.value) + m.DynamicStep);
    clearCutoffReadouts(m);
    storeValue(m, s.code, s.value);
    if (s.code == 16) s.value = m.frame.LinkRockingAngleDeg;
}

namespace {

// The slots show their dimensions' values again. (Applying +1 and then -1 would come back to
// the same place but could move a value by its last bit.)
void refreshSlots(Model& m) {
    for (int k = 1; k <= 4; ++k) {
        DynamicSlot& s = m.dynamicSlots[static_cast<std::size_t>(k)];
        if (s.code != 0) s.value = dimensionValue(m, s.code);
    }
    clearCutoffReadouts(m);
}

bool restorable(int code) {
    return findDimension(code) && code != 27 && code != 28;
}

std::array<float, 4> midGearPositions(const Model& m) {
    return {m.reverseArmPositions[0], m.reverseArmPositions[1], m.reverseArmPositions[2],
            m.reverseArmPositions[3]};
}

// Mid gear goes from `from` to `to`. Positions 1-3 of the set follow where they still hold
// what `from` gave them; the reverse arm keeps its place relative to mid gear (exactly onto a
// position of `to` when it stood on the matching one of `from`).
void moveMidGear(Model& m, const std::array<float, 4>& from, const std::array<float, 4>& to) {
    float& arm = m.gear.ReverseArmPosition;
    bool placed = false;
    for (std::size_t k = 0; k < 4 && !placed; ++k)
        if (arm == from[k]) {
            arm = to[k];
            placed = true;
        }
    if (!placed) arm = toSingle(static_cast<double>(arm) - from[0] + to[0]);
    m.reverseArmPositions[0] = to[0];
    for (std::size_t k = 1; k < 4; ++k)
        if (m.reverseArmPositions[k] == from[k]) m.reverseArmPositions[k] = to[k];
}

}  // namespace

bool PushUndo(Model& m) {
    if (!m.undoPending) return false;
    m.redo.clear();
    pushEntry(m, true);
    return true;
}

bool PopUndo(Model& m) {
    auto& u = m.undo;
    std::vector<UndoEntry> undone;
    // Newest first, so a dimension changed twice in one change ends at its first old value.
    do {
        for (int i = 0; i < kUndoDepth; ++i) u[i] = u[i + 1];
        u[kUndoDepth] = UndoEntry{};
        undone.push_back(u[0]);
        if (restorable(u[0].code)) storeValue(m, u[0].code, u[0].oldValue);
    } while (u[0].joinsOlder && u[1].code != 0);
    if (const auto& midGear = undone.front().midGear)
        moveMidGear(m, midGear->after, midGear->before);
    if (undone.front().code != 0) m.redo.push_back(std::move(undone));
    refreshSlots(m);
    m.undoCount = std::max(m.undoCount - 1, 0);
    return u[1].code != 0;
}

bool RedoChange(Model& m) {
    if (m.redo.empty()) return false;
    const std::vector<UndoEntry> change = std::move(m.redo.back());
    m.redo.pop_back();
    // Oldest first, so a dimension changed twice in one change ends at its last new value;
    // each entry goes back on the undo stack as it was.
    for (auto it = change.rbegin(); it != change.rend(); ++it) {
        pushEntry(m, it == change.rbegin());
        m.undo[1] = *it;
        if (restorable(it->code)) storeValue(m, it->code, it->newValue);
    }
    if (const auto& midGear = change.front().midGear)
        moveMidGear(m, midGear->before, midGear->after);
    refreshSlots(m);
    return true;
}

void ClearUndo(Model& m) {
    for (UndoEntry& u : m.undo) u = UndoEntry{};
    m.undoCount = 0;
    m.redo.clear();
}

bool StoreDimensionField(Model& m, int code, std::string_view text) {
    return StoreDimensionValue(m, code, parseLeadingNumber(text));
}

bool StoreDimensionValue(Model& m, int code, float value) {
    const DimensionInfo* d = findDimension(code);
    if (!d) return false;
    const bool recording = m.undoPending;
    storeDimension(m, *d, value, recording, true);
    return recording;
}

bool StoreDimensionGroup(Model& m, std::span<const DimensionSetting> settings,
                         std::string_view stepName) {
    if (settings.empty() || settings.size() > kMaxUndoGroup) return false;
    for (const DimensionSetting& s : settings)
        if (!findDimension(s.code)) return false;
    bool first = true;
    for (const DimensionSetting& s : settings) {
        storeDimension(m, *findDimension(s.code), s.value, true, first);
        first = false;
    }
    m.undo[1].stepName = std::string(stepName);
    return true;
}

bool StoreDimensionGroupWithMidGear(Model& m, std::span<const DimensionSetting> settings,
                                    std::string_view stepName) {
    const std::array<float, 4> before = midGearPositions(m);
    if (!StoreDimensionGroup(m, settings, stepName)) return false;
    CalcMidGear(m);
    clearCutoffReadouts(m);
    m.undo[1].midGear = UndoEntry::MidGear{before, midGearPositions(m)};
    return true;
}

void DynamicBarChange(Model& m, DynamicBar& bar, int slot, int p) {
    float step = 0;
    const float fp = static_cast<float>(p);
    if (p > 0 && p > bar.p2) step = fp / 1000.0f;
    if (p < 0 && p > bar.p2) step = -fp / 1000.0f;
    if (p < 0 && p < bar.p2) step = fp / 1000.0f;
    if (p > 0 && p < bar.p2) step = -fp / 1000.0f;
    const int jump = std::abs(p - bar.p1);
    if (jump == 1 || jump == 10) step = fp / 1000.0f;  // an arrow or page click from rest
    m.DynamicStep = step;
    ApplyDynamicChange(m, slot);
    bar.p2 = bar.p1;
    bar.p1 = p;
}

bool RecordScrollUndo(Model& m, const DynamicBar& bar, int slot) {
    const DynamicSlot& s = m.dynamicSlots[static_cast<std::size_t>(slot)];
    m.undoPending = true;
    PushUndo(m);
    m.undo[1].code = s.code;
    m.undo[1].oldValue = bar.startValue;
    m.undo[1].newValue = s.value;
    m.undo[1].name = s.name;
    m.undoPending = false;
    return true;
}

const std::string& RebuildUndoLine(Model& m) {
    const UndoEntry& e = m.undo[1];
    const std::string change = !e.stepName.empty() ? e.stepName
                                                   : e.name + " " + formatFixed(e.newValue, 6, 3) +
                                                         " to " + formatFixed(e.oldValue, 6, 3);
    std::string line = formatInt(m.undoCount, 2) + "- " + change + "." + std::string(46, ' ');
    if (line.size() > 118) line.resize(118);
    m.undoLine = line;
    return m.undoLine;
}

}  // namespace tarvell
