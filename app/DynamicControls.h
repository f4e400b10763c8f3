// The main window's dynamic variables and undo: the four scroll bars SBDynVar1-4 that nudge
// the four most recently stored dimensions, the "UnDo" button, the DynamicVariables and
// SetUnDo commands, and the slot and undo read-outs of the frame.
#pragma once

#include <array>

namespace tarvell {

class Canvas;
class DynamicBarControl;
class TMainForm;

class DynamicControls {
  public:
    explicit DynamicControls(TMainForm& form);

    void DynamicVariablesClick();
    void SetUnDoClick();
    void UnDoDnClick();

    // The four bars' handlers (SBDynVarNChange, SBDynVarNEnter, SBDynVarNScroll), 1-4.
    DynamicBarControl& bar(int n) { return *bars_[static_cast<std::size_t>(n)]; }

    // The most recent change on its own row under the "UnDo" button (undo on).
    void drawUndoLine(Canvas& canvas);
    // Each slot's name and value beside its bar (dynamic variables shown).
    void drawReadouts(Canvas& canvas);

    // Dynamic variables off, their scroll bars and panels hidden (reset-all, screen data off).
    void hideDynamicVariables();
    // Undo off and the "UnDo" button hidden (reset-all).
    void hideUndo();

  private:
    // The bars, their panels and the tool button's hint follow the shown state.
    void showDynamicVariables(bool shown);

    TMainForm& form_;
    std::array<DynamicBarControl*, 5> bars_{};  // owned by their scroll bars
};

}  // namespace tarvell
