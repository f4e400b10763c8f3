// Dynamic variables and the undo stack.
#include <gtest/gtest.h>

#include "DynamicVariables.h"
#include "TestModel.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

// Leaves a field as the dialogs do, optionally after typing into it.
bool store(Model& m, int code, const char* text, bool typed = false) {
    m.undoPending = typed;
    return StoreDimensionField(m, code, text);
}

// One change of a bar followed by its return to 0.
void nudge(Model& m, DynamicBar& bar, int slot, int p) {
    DynamicBarChange(m, bar, slot, p);
    DynamicBarChange(m, bar, slot, 0);
}

}  // namespace

TEST(DynamicVariables, SlotsFillInReverseOrderAndTheOldestDropsOut) {
    Model m = startedModel();
    store(m, 2, "3.25");
    store(m, 3, "14.75");
    store(m, 101, "22.488");
    store(m, 16, "167.498");
    EXPECT_EQ(m.dynamicSlots[1].code, 16);
    EXPECT_EQ(m.dynamicSlots[2].code, 101);
    EXPECT_EQ(m.dynamicSlots[3].code, 3);
    EXPECT_EQ(m.dynamicSlots[4].code, 2);
    EXPECT_EQ(m.dynamicSlots[2].name, "Cyl ctr to Driver ctr");
    // A dimension already there keeps its place and takes the new value.
    store(m, 3, "15");
    EXPECT_EQ(m.dynamicSlots[3].code, 3);
    EXPECT_EQ(m.dynamicSlots[3].value, 15.0f);
    EXPECT_EQ(m.dynamicSlots[1].code, 16);
    // A fifth drops the first stored.
    store(m, 9, "3");
    EXPECT_EQ(m.dynamicSlots[1].code, 9);
    EXPECT_EQ(m.dynamicSlots[4].code, 3);
    for (int k = 1; k <= 4; ++k) EXPECT_NE(m.dynamicSlots[static_cast<std::size_t>(k)].code, 2);
}

TEST(DynamicVariables, FieldExitStoresLenientlyAndKeepsTheAngleInOneTurn) {
    Model m = startedModel();
    store(m, 16, "-30");
    EXPECT_EQ(m.frame.LinkRockingAngleDeg, 330.0f);
    store(m, 16, "720");
    EXPECT_EQ(m.frame.LinkRockingAngleDeg, 0.0f);
    store(m, 16, "400");
    EXPECT_EQ(m.frame.LinkRockingAngleDeg, 40.0f);
    store(m, 2, "5-");
    EXPECT_EQ(m.frame.Stroke, 5.0f);
    store(m, 2, "1.5-");
    EXPECT_EQ(m.frame.Stroke, 1.5f);
    store(m, 2, ".");
    EXPECT_EQ(m.frame.Stroke, 0.0f);
    store(m, 109, "0.75");
    EXPECT_EQ(m.pivots[4].y, 0.75f);
    store(m, 102, "1");
    EXPECT_EQ(m.pivots[4].y, 1.75f);
    EXPECT_EQ(m.dynamicSlots[1].name, "Cyl CL above Driver ctr");
}

TEST(DynamicVariables, OnlyATypedFieldRecordsAnUndoEntry) {
    Model m = startedModel();
    EXPECT_FALSE(store(m, 2, "3.25"));
    EXPECT_EQ(m.undo[1].code, 0);
    EXPECT_EQ(m.undoCount, 0);
    EXPECT_TRUE(store(m, 2, "3.5", true));
    EXPECT_EQ(m.undo[1].code, 2);
    EXPECT_EQ(m.undo[1].oldValue, 3.25f);
    EXPECT_EQ(m.undo[1].newValue, 3.5f);
    EXPECT_EQ(m.undo[1].name, "Stroke");
    EXPECT_FALSE(m.undoPending);
    EXPECT_EQ(RebuildUndoLine(m), " 1- Stroke  3.500 to  3.250." + std::string(46, ' '));
}

TEST(DynamicVariables, ArrowPageAndDragSteps) {
    Model m = startedModel();
    store(m, 2, "3.25");
    DynamicBar bar;
    nudge(m, bar, 1, 1);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
    nudge(m, bar, 1, -1);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.25f);
    nudge(m, bar, 1, 10);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.26f);
    nudge(m, bar, 1, -10);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.25f);
    // A drag reports 5 then 12 (the bar snapping back between): 0.017 in all; back to 8
    // takes 0.008 off again.
    nudge(m, bar, 1, 5);
    nudge(m, bar, 1, 12);
    EXPECT_NEAR(m.frame.Stroke, 3.267, 1e-5);
    nudge(m, bar, 1, 8);
    EXPECT_NEAR(m.frame.Stroke, 3.259, 1e-5);

    Model a = startedModel();
    store(a, 16, "167.498");
    DynamicBar angleBar;
    nudge(a, angleBar, 1, 1);
    EXPECT_NEAR(a.frame.LinkRockingAngleDeg, 167.598, 1e-4);
    store(a, 16, "359.95");
    nudge(a, angleBar, 1, 1);
    EXPECT_NEAR(a.frame.LinkRockingAngleDeg, 0.05, 1e-3);  // wrapped into one turn
}

TEST(DynamicVariables, AnEmptySlotChangesNothing) {
    Model m = startedModel();
    const Model before = m;
    DynamicBar bar;
    nudge(m, bar, 3, 10);
    EXPECT_EQ(m.frame.Stroke, before.frame.Stroke);
    EXPECT_EQ(m.dynamicSlots[3].code, 0);
    EXPECT_EQ(m.dynamicSlots[3].name, "             ??");
}

TEST(DynamicVariables, OnlyTheLastTwentyChangesCanBeUndone) {
    Model m = startedModel();
    for (int i = 1; i <= 21; ++i) store(m, 2, std::to_string(3 + i).c_str(), true);
    EXPECT_EQ(m.undoCount, 20);
    EXPECT_EQ(m.frame.Stroke, 24.0f);
    int undone = 0;
    bool more = true;
    while (more) {
        more = PopUndo(m);
        ++undone;
    }
    EXPECT_EQ(undone, 20);
    EXPECT_EQ(m.undoCount, 0);
    // The oldest change (3.25 -> 4) was lost: the stroke stops at 4.
    EXPECT_EQ(m.frame.Stroke, 4.0f);
}

TEST(DynamicVariables, UndoMovesTheValveStemLineBackAndRefreshesTheSlots) {
    Model m = startedModel();
    store(m, 109, "0.5");
    store(m, 109, "0.75", true);
    EXPECT_EQ(m.pivots[4].y, 0.75f);
    EXPECT_FALSE(PopUndo(m));
    EXPECT_EQ(m.cyl.ValveStemClToCylCl(), 0.5f);
    EXPECT_EQ(m.pivots[4].y, 0.5f);
    EXPECT_EQ(m.dynamicSlots[1].value, 0.5f);
}

TEST(DynamicVariables, AScrollIsOneUndoEntry) {
    Model m = startedModel();
    store(m, 2, "3.25");
    DynamicBar bar;
    bar.startValue = m.dynamicSlots[1].value;
    nudge(m, bar, 1, 1);
    nudge(m, bar, 1, 1);
    nudge(m, bar, 1, 10);
    EXPECT_TRUE(RecordScrollUndo(m, bar, 1));
    EXPECT_EQ(m.undo[1].oldValue, 3.25f);
    EXPECT_NEAR(m.undo[1].newValue, 3.262, 1e-5);
    EXPECT_EQ(m.undo[1].name, "Stroke");
    EXPECT_FALSE(m.undoPending);
    PopUndo(m);
    EXPECT_EQ(m.frame.Stroke, 3.25f);
}

TEST(DynamicVariables, ChangesClearTheCutoffReadouts) {
    Model m = startedModel();
    store(m, 2, "3.25");
    m.cutoff.front = "72.5";
    DynamicBar bar;
    nudge(m, bar, 1, 1);
    EXPECT_TRUE(m.cutoff.front.empty());
    ClearUndo(m);
    EXPECT_EQ(m.undoCount, 0);
}

TEST(DynamicVariables, SeveralDimensionsStoredAtOnceAreOneChangeToUndo) {
    Model m = startedModel();
    store(m, 2, "3.5", true);
    const DimensionSetting balanced[] = {{11, 9.9f}, {9, 3.0f}};
    EXPECT_TRUE(StoreDimensionGroup(m, balanced, "Balance: 2 dimensions"));
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.9f);
    EXPECT_EQ(m.frame.FulcrumLeverLower, 3.0f);
    EXPECT_EQ(m.dynamicSlots[1].code, 9);
    EXPECT_EQ(m.dynamicSlots[2].code, 11);
    EXPECT_EQ(m.undoCount, 2);
    EXPECT_EQ(RebuildUndoLine(m), " 2- Balance: 2 dimensions." + std::string(46, ' '));

    EXPECT_TRUE(PopUndo(m));  // both at once; the stroke's change is still there
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.813f);
    EXPECT_EQ(m.frame.FulcrumLeverLower, 3.113f);
    EXPECT_EQ(m.dynamicSlots[2].value, 9.813f);
    EXPECT_EQ(m.frame.Stroke, 3.5f);
    EXPECT_EQ(m.undoCount, 1);
    EXPECT_EQ(RebuildUndoLine(m), " 1- Stroke  3.500 to  3.250." + std::string(46, ' '));
    EXPECT_FALSE(PopUndo(m));
    EXPECT_EQ(m.frame.Stroke, 3.25f);
}

TEST(DynamicVariables, AFullStackLosesAChangeOfSeveralDimensionsWhole) {
    Model m = startedModel();
    const DimensionSetting balanced[] = {{11, 9.9f}, {9, 3.0f}};
    StoreDimensionGroup(m, balanced, "Balance: 2 dimensions");
    // 19 more changes need 21 entries: the two-entry change drops out, both its entries.
    for (int i = 1; i <= 19; ++i) store(m, 2, std::to_string(3 + i).c_str(), true);
    EXPECT_EQ(m.undoCount, 19);
    EXPECT_EQ(m.undo[20].code, 0);
    int undone = 0;
    while (PopUndo(m)) ++undone;
    EXPECT_EQ(undone + 1, 19);
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.9f);
    EXPECT_EQ(m.undoCount, 0);
}

TEST(DynamicVariables, AGroupWithAnUnknownCodeStoresNothing) {
    Model m = startedModel();
    const DimensionSetting bad[] = {{11, 9.9f}, {26, 1.0f}};
    EXPECT_FALSE(StoreDimensionGroup(m, bad, "Balance"));
    EXPECT_FALSE(StoreDimensionGroup(m, {}, "Balance"));
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.813f);
    EXPECT_EQ(m.undoCount, 0);
    EXPECT_EQ(m.dynamicSlots[1].code, 0);
}

TEST(DynamicVariables, AChangeThatMovedMidGearIsUndoneExactly) {
    // The default gear's mid gear is 10.53342 (10.533 in the dialogs); a balanced valve rod
    // and lower arm move it by a little, and one UnDo must put it back to the last bit, with
    // positions 1-3 of the set and a reverse arm left where the change put it.
    Model m = startedModel();
    EXPECT_NEAR(m.ReverseArmCentre(), 10.53342, 5e-6);
    m.reverseArmPositions[4] = 11.2f;
    const Model before = m;
    const DimensionSetting balanced[] = {{11, 9.7703f}, {9, 3.1287f}};
    ASSERT_TRUE(StoreDimensionGroupWithMidGear(m, balanced, "Balance: 2 dimensions"));
    const Model after = m;
    EXPECT_NE(after.ReverseArmCentre(), before.ReverseArmCentre());
    EXPECT_EQ(after.gear.ReverseArmPosition, after.ReverseArmCentre());
    EXPECT_FLOAT_EQ(after.reverseArmPositions[2], after.ReverseArmCentre() + 1.1f);
    EXPECT_EQ(m.undoCount, 1);

    // The user then sets position 3 of the set to a value of their own and puts the arm at
    // the normal forward position.
    m.reverseArmPositions[3] = 9.0f;
    m.gear.ReverseArmPosition = m.reverseArmPositions[2];
    EXPECT_FALSE(PopUndo(m));
    EXPECT_EQ(m.frame.ValveRodTotalLen, before.frame.ValveRodTotalLen);
    EXPECT_EQ(m.frame.FulcrumLeverLower, before.frame.FulcrumLeverLower);
    for (std::size_t k : {0u, 1u, 2u, 4u})
        EXPECT_EQ(m.reverseArmPositions[k], before.reverseArmPositions[k]) << k;
    EXPECT_EQ(m.reverseArmPositions[3], 9.0f);  // the user's own, kept
    EXPECT_EQ(m.gear.ReverseArmPosition, before.reverseArmPositions[2]);

    // Redo makes the whole change again; an arm at mid gear goes to the new mid gear.
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    ASSERT_TRUE(RedoChange(m));
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.7703f);
    for (std::size_t k : {0u, 1u, 2u})
        EXPECT_EQ(m.reverseArmPositions[k], after.reverseArmPositions[k]) << k;
    EXPECT_EQ(m.gear.ReverseArmPosition, after.ReverseArmCentre());
    // An arm standing elsewhere keeps its distance from mid gear.
    m.gear.ReverseArmPosition = m.ReverseArmCentre() + 0.5f;
    PopUndo(m);
    EXPECT_NEAR(m.gear.ReverseArmPosition, before.ReverseArmCentre() + 0.5, 1e-6);
}
