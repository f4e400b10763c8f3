// Dynamic variables and undo: up to four dimensions chosen for live adjustment with scroll
// bars, and the stack of recorded changes that the "UnDo" buttons take back. Windows call
// these and enable or disable their "UnDo" buttons from the results.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "Vari.h"

namespace tarvell {

// Empties the five slots (code 0, value 0, the empty-slot name). The dimension dialogs'
// resets use the same name as start-up, so every window recognises an empty slot.
void EmptyDynamicSlots(Model& m);

// Places slot 0 (the dimension just stored) among slots 1-4: a dimension already there
// keeps its place and takes the new value; otherwise the others move down one and the
// oldest drops out.
void RegisterDynamicVariable(Model& m);

// Applies DynamicStep to the dimension of slot 1-4 (x100 for the rocking angle, which is
// then kept in [0, 360)); an empty slot changes nothing. Clears the cut-off read-outs.
void ApplyDynamicChange(Model& m, int slot);

// Pushes a new entry when the undo-pending flag is set; returns whether it did (the caller
// then enables the "UnDo" buttons and fills entry 1). When the stack is full the oldest
// change drops out, every entry of it.
bool PushUndo(Model& m);

// Takes back the most recent change, all its entries when it changed several dimensions at
// once, keeping it to be made again (RedoChange); returns whether another change is left to
// undo. A new change forgets what was taken back.
bool PopUndo(Model& m);

// Makes again the change UnDo took back last, all its entries, and puts it back on the undo
// stack; returns false when there is none (nothing was undone since the last change).
bool RedoChange(Model& m);

// Zeroes every entry, and forgets what could be made again; the caller disables the "UnDo"
// buttons.
void ClearUndo(Model& m);

// The exit of a gray dimension field: records an undo entry when a key was typed, stores
// the number read from `text` (the rocking angle kept in [0, 360)), and makes the dimension
// the most recent dynamic variable. Returns whether an undo entry was recorded.
bool StoreDimensionField(Model& m, int code, std::string_view text);

// The same exit with the value already known: a field left as it was filled stores the
// dimension's exact value again, not the rounded or cut text it shows.
bool StoreDimensionValue(Model& m, int code, float value);

// One dimension's new value in a change of several at once.
struct DimensionSetting {
    int code = 0;
    float value = 0;
};

// The longest change of several dimensions that can be recorded as one.
inline constexpr std::size_t kMaxUndoGroup = 10;

// Stores several dimensions as one change that one UnDo takes back whole: each is stored as
// a typed gray field's exit stores it (with its own undo entry, the rocking angle kept in
// [0, 360), made the most recent dynamic variable), and `stepName` describes the change on
// the undo line. Returns whether it recorded anything; nothing is stored when a code names
// no dimension or there are more than kMaxUndoGroup settings.
bool StoreDimensionGroup(Model& m, std::span<const DimensionSetting> settings,
                         std::string_view stepName);

// Stores several dimensions as one change (StoreDimensionGroup), then works mid gear out
// again as closing the frame dialog does: the reverse arm's centre and positions 1-3 follow
// the new dimensions and the reverse arm stands at the new mid gear. One UnDo takes back the
// dimensions and mid gear exactly, and Redo makes them again; a reverse arm still at a place
// the change gave it moves with them, and a position of the set the user has changed since
// is left alone. Returns whether it recorded anything (as StoreDimensionGroup).
bool StoreDimensionGroupWithMidGear(Model& m, std::span<const DimensionSetting> settings,
                                    std::string_view stepName);

// The position history of one dynamic-variable scroll bar.
struct DynamicBar {
    int p1 = 0;            // position at the previous change
    int p2 = 0;            // the one before
    float startValue = 0;  // the slot's value when the bar took the focus
};

// One change of a dynamic-variable scroll bar to position p: derives DynamicStep from p and
// the bar's history (an arrow click +-0.001, a page click +-0.010, a drag |p|/1000 in its
// direction), applies it to the slot and shifts the history. The caller then sets the bar
// back to 0, which comes here once more with p = 0 and changes nothing.
void DynamicBarChange(Model& m, DynamicBar& bar, int slot, int p);

// The end of a scroll on a bar: the whole scroll becomes one undo entry (old value = the
// bar's start value). Returns true (the caller enables the "UnDo" buttons).
bool RecordScrollUndo(Model& m, const DynamicBar& bar, int slot);

// The undo line shown beside the "UnDo" buttons, rebuilt from the most recent entry and
// stored in the model: count, name, value after and before the change; for a change of
// several dimensions, count and its step name.
const std::string& RebuildUndoLine(Model& m);

}  // namespace tarvell
