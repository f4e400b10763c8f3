// The dimensions of the valve gear: the two dimension records and the one table that
// describes every editable dimension (code, field, names, dialog row, decimals, default).
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace tarvell {

// The 27 linkage dimensions. Codes 22-25 are not fields here: they are the coordinates of
// the fixed pivots 16 and 6 and live in the PivotSet.
struct FrameDimensions {
    float DriverDia = 0;             // 1
    float Stroke = 0;                // 2
    float MainRodLength = 0;         // 3
    float MotionConRodLength = 0;    // 4
    float MotionConRodFootVert = 0;  // 5
    float MotionConRodFootHorz = 0;  // 6
    float FulcrumLeverUpper = 0;     // 7
    float FulcrumLeverBackSet = 0;   // 8
    float FulcrumLeverLower = 0;     // 9
    float FulcrumDiameter = 0;       // 10
    float ValveRodTotalLen = 0;      // 11
    float ValveRodShortEnd = 0;      // 12
    float ValveStemOffsetVert = 0;   // 13
    float LinkRadius = 0;            // 14
    float LinkRockingArmLen = 0;     // 15
    float LinkRockingAngleDeg = 0;   // 16, kept in [0, 360)
    float LinkConRodLength = 0;      // 17
    float ReverseArmVert = 0;        // 18
    float ReverseArmBackSet = 0;     // 19
    float LiftingArmLength = 0;      // 20
    float LiftingLinkLength = 0;     // 21
    float RevArmToCentNorm = 0;      // 27
    float RevArmToCentMax = 0;       // 28
};

// The 22 cylinder, port and valve dimensions, held in storage slots (the data file's order).
// Code 102 is held as pivot 3's Y; its slot 3 is carried along but never read.
struct CylinderDimensions {
    static constexpr int kSlots = 22;
    std::array<float, kSlots> slot{};

    float& CylCtrToDriverCtr() { return slot[0]; }
    float& CylinderBoreDia() { return slot[1]; }
    float& CylinderBoreLength() { return slot[2]; }
    float& SpareSlot() { return slot[3]; }
    float& CylSteamPortWidth() { return slot[4]; }
    float& PistonCtrToCrosshead() { return slot[5]; }
    float& PistonWidth() { return slot[6]; }
    float& ValveSurfaceToCylCl() { return slot[7]; }
    float& ValveStemClToCylCl() { return slot[8]; }
    float& ExhaustPortWidth() { return slot[9]; }
    float& BridgeWidthRear() { return slot[10]; }
    float& SteamPortWidthRear() { return slot[11]; }
    float& ValveChamberHeight() { return slot[12]; }
    float& ValveChamberLength() { return slot[13]; }
    float& ValveHeight() { return slot[14]; }
    float& ValveLengthRearHalf() { return slot[15]; }
    float& ValveExhCavityRearHalf() { return slot[16]; }
    float& ValveStem() { return slot[17]; }
    float& BridgeWidthFront() { return slot[18]; }
    float& SteamPortWidthFront() { return slot[19]; }
    float& ValveLengthFrontHalf() { return slot[20]; }
    float& ValveExhCavityFrontHalf() { return slot[21]; }

    float CylCtrToDriverCtr() const { return slot[0]; }
    float CylinderBoreDia() const { return slot[1]; }
    float CylinderBoreLength() const { return slot[2]; }
    float CylSteamPortWidth() const { return slot[4]; }
    float PistonCtrToCrosshead() const { return slot[5]; }
    float PistonWidth() const { return slot[6]; }
    float ValveSurfaceToCylCl() const { return slot[7]; }
    float ValveStemClToCylCl() const { return slot[8]; }
    float ExhaustPortWidth() const { return slot[9]; }
    float BridgeWidthRear() const { return slot[10]; }
    float SteamPortWidthRear() const { return slot[11]; }
    float ValveChamberHeight() const { return slot[12]; }
    float ValveChamberLength() const { return slot[13]; }
    float ValveHeight() const { return slot[14]; }
    float ValveLengthRearHalf() const { return slot[15]; }
    float ValveExhCavityRearHalf() const { return slot[16]; }
    float ValveStem() const { return slot[17]; }
    float BridgeWidthFront() const { return slot[18]; }
    float SteamPortWidthFront() const { return slot[19]; }
    float ValveLengthFrontHalf() const { return slot[20]; }
    float ValveExhCavityFrontHalf() const { return slot[21]; }
};

// Where a dimension's value is held.
enum class DimensionStore {
    Frame,     // a field of FrameDimensions
    Cylinder,  // a slot of CylinderDimensions
    PivotX,    // the X of a pivot (codes 23, 25)
    PivotY,    // the Y of a pivot (codes 22, 24, 102)
};

enum class DimensionGroup { Frame, Cylinder };

// One editable dimension. Every dialog row, undo entry, dynamic variable, graphic-position
// label and data-file field that names a dimension goes through this description. (Where a
// row stands in its dialog is the dialogs' own affair: dialogs/DimensionPlaces.)
struct DimensionInfo {
    int code = 0;
    std::string_view field;        // the dimension's name in the model
    std::string_view shortName;    // stored in dynamic-variable slots and undo entries ("" if none)
    std::string_view caption;      // label of the graphic-position display
    std::string_view dialogLabel;  // text beside the field in its dialog
    std::string_view dialogLabel2;  // continuation line under the label ("" if none)
    int decimals = 3;               // digits after the point in the dialog field
    float defaultValue = 0;
    DimensionStore store = DimensionStore::Frame;
    float FrameDimensions::*frameField = nullptr;  // Frame store
    int index = 0;                                 // cylinder slot or pivot number
    bool gray = true;                              // takes part in undo and dynamic variables
};

DimensionGroup groupOf(const DimensionInfo& d);

// All 49 dimensions: codes 1-25, 27, 28, then 101-122, in dialog order.
std::span<const DimensionInfo> allDimensions();
std::span<const DimensionInfo> frameDimensionTable();
std::span<const DimensionInfo> cylinderDimensionTable();

// The description of a code, or nullptr for a code that names no dimension (0, 26, ...).
const DimensionInfo* findDimension(int code);

// Text held by an empty dynamic-variable slot: 13 spaces and two question marks.
inline constexpr std::string_view kEmptySlotName = "             ??";

}  // namespace tarvell
