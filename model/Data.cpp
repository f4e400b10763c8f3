// The dimension table: every editable dimension described once.
#include "Data.h"

#include <algorithm>

namespace tarvell {
namespace {

// code, field, short name, caption, dialog label, continuation line, decimals, default,
// store, frame field, slot or pivot, dialog column, label y, field y, dialog number, gray
constexpr DimensionInfo kDimensions[] = {
    {1, "DriverDia", "Driver Dia", "Driver Dia", "Driver                    Diameter", "", 3,
     6.325f, DimensionStore::Frame, &FrameDimensions::DriverDia, 0, 0, 0, 0, 1, true},
    {2, "Stroke", "Stroke", "Stroke", "Stroke                      Length", "", 3, 3.25f,
     DimensionStore::Frame, &FrameDimensions::Stroke, 0, 0, 13, 13, 2, true},
    {3, "MainRodLength", "Main Rod Length", "Main Rod Length", "Main Rod                 Length",
     "", 3, 14.75f, DimensionStore::Frame, &FrameDimensions::MainRodLength, 0, 0, 26, 26, 3, true},
    {4, "MotionConRodLength", "Motion Con Rod Total Len", "Motion Con Rod Length",
     "Motion Con Rod Total  Len", "", 3, 6.723f, DimensionStore::Frame,
     &FrameDimensions::MotionConRodLength, 0, 0, 39, 39, 4, true},
    {5, "MotionConRodFootVert", "MotionConRodFoot Vert", "MotionConRodFootVert",
     "Motion Con Rod Foot   Vert", "", 3, 0.198f, DimensionStore::Frame,
     &FrameDimensions::MotionConRodFootVert, 0, 0, 52, 52, 5, true},
    {6, "MotionConRodFootHorz", "MotionConRodFoot Horz", "MotionConRodFootHorz",
     "\"           \"            Horz", "", 3, 1.375f, DimensionStore::Frame,
     &FrameDimensions::MotionConRodFootHorz, 0, 0, 65, 65, 6, true},
    {7, "FulcrumLeverUpper", "Fulcrum Lever Upper", "Fulcrum Lever Upper",
     "Fulcrum Lever            Upper", "", 3, 0.457f, DimensionStore::Frame,
     &FrameDimensions::FulcrumLeverUpper, 0, 0, 78, 78, 7, true},
    {8, "FulcrumLeverBackSet", "Fulcrum Lever BackSet", "Fulcrum Lever BackSet",
     "\"           \"     Back Set", "", 3, 0.0f, DimensionStore::Frame,
     &FrameDimensions::FulcrumLeverBackSet, 0, 0, 91, 91, 8, true},
    {9, "FulcrumLeverLower", "Fulcrum Lever Lower", "Fulcrum Lever Lower",
     "\"           \"          Lower", "", 3, 3.113f, DimensionStore::Frame,
     &FrameDimensions::FulcrumLeverLower, 0, 0, 104, 104, 9, true},
    {10, "FulcrumDiameter", "Fulcrum Diameter", "Fulcrum Diameter",
     "Fulcrum                  Diameter", "", 3, 1.125f, DimensionStore::Frame,
     &FrameDimensions::FulcrumDiameter, 0, 0, 117, 117, 10, true},
    {11, "ValveRodTotalLen", "Valve Rod Total Len", "Valve Rod Total Len",
     "Valve Rod       Total Length", "", 3, 9.813f, DimensionStore::Frame,
     &FrameDimensions::ValveRodTotalLen, 0, 0, 130, 130, 11, true},
    {12, "ValveRodShortEnd", "ValveRodShortEnd Len", "Valve Rod Short End",
     "Valve Rod    Short End Len", "", 3, 1.0f, DimensionStore::Frame,
     &FrameDimensions::ValveRodShortEnd, 0, 0, 143, 143, 12, true},
    {13, "ValveStemOffsetVert", "Valve Stem Offset Vert", "Valve Stem Offset Vert",
     "Valve Stem Offset         Vert", "", 3, 0.0f, DimensionStore::Frame,
     &FrameDimensions::ValveStemOffsetVert, 0, 0, 156, 156, 13, true},
    {14, "LinkRadius", "Link Radius", "Link Radius", "Link                          Radius", "", 2,
     9.813f, DimensionStore::Frame, &FrameDimensions::LinkRadius, 0, 0, 169, 169, 14, true},
    {15, "LinkRockingArmLen", "Link Rocking Arm Len", "Link Rocking Arm  Len",
     "Link Rocking Arm     Length", "", 3, 1.424f, DimensionStore::Frame,
     &FrameDimensions::LinkRockingArmLen, 0, 1, 0, 0, 15, true},
    {16, "LinkRockingAngleDeg", "Link Rock Arm Angle", "Link Rocking Angle  Deg",
     "Link Rock Arm Angle   Deg", "", 3, 167.498f, DimensionStore::Frame,
     &FrameDimensions::LinkRockingAngleDeg, 0, 1, 13, 13, 16, true},
    {17, "LinkConRodLength", "Link Connecting Rod Len", "Link Con Rod Length",
     "Link Connecting Rod    Len", "", 3, 4.068f, DimensionStore::Frame,
     &FrameDimensions::LinkConRodLength, 0, 1, 26, 26, 17, true},
    {18, "ReverseArmVert", "Reverse Arm Vertical", "Reverse Arm Vert",
     "Reverse Arm           Vertical", "", 2, 1.91f, DimensionStore::Frame,
     &FrameDimensions::ReverseArmVert, 0, 1, 39, 39, 18, true},
    {19, "ReverseArmBackSet", "Reverse Arm BackSet", "Reverse Arm BackSet",
     "\"           \"     Back Set", "", 3, 0.0f, DimensionStore::Frame,
     &FrameDimensions::ReverseArmBackSet, 0, 1, 52, 52, 19, true},
    {20, "LiftingArmLength", "Lifting Arm Length", "Lifting Arm Length",
     "Lifting Arm                 Length", "", 3, 2.48f, DimensionStore::Frame,
     &FrameDimensions::LiftingArmLength, 0, 1, 65, 65, 20, true},
    {21, "LiftingLinkLength", "Lifting Link Length", "Lifting Link Length",
     "Lifting Link                Length", "", 3, 2.939f, DimensionStore::Frame,
     &FrameDimensions::LiftingLinkLength, 0, 1, 78, 78, 21, true},
    {22, "ReverseArmPivotVert", "Reverse Arm Pivot Vert", "Reverse Arm Pivot Vert",
     "Reverse Arm Pivot       Vert", "", 3, 6.075f, DimensionStore::PivotY, nullptr, 16, 1, 91, 91,
     22, true},
    {23, "ReverseArmPivotHorz", "Reverse Arm Pivot Horz", "Reverse Arm Pivot Horz",
     "\"           \"             Horz", "", 3, 10.574f, DimensionStore::PivotX, nullptr, 16, 1,
     104, 104, 23, true},
    {24, "FulcrumCentPivotVert", "FulcrumCentPivotVert", "Fulcrum CentPivot Vert",
     "Fulcrum Center Pivot    Vert", "", 3, 2.695f, DimensionStore::PivotY, nullptr, 6, 1, 117, 117,
     24, true},
    {25, "FulcrumCentPivotHorz", "FulcrumCentPivotHorz", "Fulcrum CentPivot Horz",
     "\"           \"             Horz", "", 3, 6.742f, DimensionStore::PivotX, nullptr, 6, 1, 130,
     130, 25, true},
    {27, "RevArmToCentNorm", "", "Rev Arm to Cent Norm", "Reverse Arm to Cent Norm", "", 3, 1.1f,
     DimensionStore::Frame, &FrameDimensions::RevArmToCentNorm, 0, 1, 143, 143, 27, false},
    {28, "RevArmToCentMax", "", "Rev Arm to Cent Max", "\"           \"            Max", "", 3,
     1.5f, DimensionStore::Frame, &FrameDimensions::RevArmToCentMax, 0, 1, 156, 156, 28, false},

    {101, "CylCtrToDriverCtr", "Cyl ctr to Driver ctr", "Cyl ctr to Driver ctr",
     "Cylinder ctr to Driver ctr", "", 3, 22.488f, DimensionStore::Cylinder, nullptr, 0, 0, 0, 0, 1,
     true},
    {102, "CylClAboveDriverCtr", "Cyl CL above Driver ctr", "Cyl CL above Driver ctr",
     "Cylinder CL above Driver", "", 3, 0.0f, DimensionStore::PivotY, nullptr, 3, 0, 13, 13, 2,
     true},
    {103, "CylinderBoreDia", "Cylinder Bore Dia", "Cylinder Bore Dia",
     "Cylinder Bore         Diameter", "", 3, 2.0f, DimensionStore::Cylinder, nullptr, 1, 0, 26, 26,
     3, true},
    {104, "CylinderBoreLength", "Cylinder Bore Length", "Cylinder Bore Length",
     "Cylinder Bore            Length", "", 3, 4.375f, DimensionStore::Cylinder, nullptr, 2, 0, 39,
     39, 4, true},
    {105, "CylSteamPortWidth", "Cyl Steam Port Width", "Cyl Steam Port Width",
     "Cylinder Steam Port   Width", "", 3, 0.25f, DimensionStore::Cylinder, nullptr, 4, 0, 52, 52,
     5, true},
    {106, "PistonCtrToCrosshead", "Piston ctr to Crosshead", "Piston ctr to Crosshead",
     "Piston ctr to Crosshead ctr", "(Piston Rod)", 3, 7.737f, DimensionStore::Cylinder, nullptr, 5,
     0, 65, 78, 6, true},
    {107, "PistonWidth", "Piston Width", "Piston Width", "Piston                         Width", "",
     3, 0.875f, DimensionStore::Cylinder, nullptr, 6, 0, 91, 91, 7, true},
    {108, "ValveSurfaceToCylCl", "Valve Surface to Cyl CL", "Valve Surface to Cyl CL",
     "ValveSurface to CylinderCL", "", 3, 2.0f, DimensionStore::Cylinder, nullptr, 7, 0, 104, 104,
     8, true},
    {109, "ValveStemClToCylCl", "Valve Stem CL to Cyl CL", "Valve Stem CL to Cyl CL",
     "Valve Stem CL to Cyl CL", "", 3, 2.6875f, DimensionStore::Cylinder, nullptr, 8, 0, 117, 117,
     9, true},
    {110, "ExhaustPortWidth", "Exhaust Port  Width", "Exhaust Port  Width",
     "Exhaust Port               Width", "", 3, 0.5625f, DimensionStore::Cylinder, nullptr, 9, 0,
     130, 130, 10, true},
    {111, "BridgeWidthRear", "Bridge Width   Rear", "Bridge Width   Rear",
     "Bridge Width                Rear", "", 3, 0.25f, DimensionStore::Cylinder, nullptr, 10, 0,
     143, 143, 11, true},
    {112, "BridgeWidthFront", "Bridge Width   Front", "Bridge Width   Front",
     "Bridge Width                Front", "", 3, 0.25f, DimensionStore::Cylinder, nullptr, 18, 0,
     156, 156, 12, true},
    {113, "SteamPortWidthRear", "Steam Port Width  Rear", "Steam Port Width  Rear",
     "Steam Port Width        Rear", "", 3, 0.25f, DimensionStore::Cylinder, nullptr, 11, 1, 0, 0,
     13, true},
    {114, "SteamPortWidthFront", "Steam Port Width   Front", "Steam Port Width   Front",
     "Steam Port Width        Front", "", 3, 0.25f, DimensionStore::Cylinder, nullptr, 19, 1, 13,
     13, 14, true},
    {115, "ValveChamberHeight", "Valve Chamber    Height", "Valve Chamber    Height",
     "Valve Chamber        Height", "", 3, 1.25f, DimensionStore::Cylinder, nullptr, 12, 1, 26, 26,
     15, true},
    {116, "ValveChamberLength", "Valve Chamber Length", "Valve Chamber Length",
     "Valve Chamber        Length", "", 3, 3.3125f, DimensionStore::Cylinder, nullptr, 13, 1, 39,
     39, 16, true},
    {117, "ValveHeight", "Valve Height", "Valve Height", "Valve Height", "", 3, 0.937f,
     DimensionStore::Cylinder, nullptr, 14, 1, 52, 52, 17, true},
    {118, "ValveLengthRearHalf", "Valve Length  Rear Half", "Valve Length  Rear Half",
     "Valve Length       Rear Half", "", 3, 1.0f, DimensionStore::Cylinder, nullptr, 15, 1, 65, 65,
     18, true},
    {119, "ValveLengthFrontHalf", "Valve Length   Front Half", "Valve Length   Front Half",
     "Valve Length       Front Half", "", 3, 1.0f, DimensionStore::Cylinder, nullptr, 20, 1, 78, 78,
     19, true},
    {120, "ValveExhCavityRearHalf", "Valve Exh CavityRearHalf", "Valve Exh CavityRearHalf",
     "Valve ExhCavity  Rear Half", "", 3, 0.5313f, DimensionStore::Cylinder, nullptr, 16, 1, 91, 91,
     20, true},
    {121, "ValveExhCavityFrontHalf", "Valve ExhCavityFrontHalf", "Valve ExhCavityFrontHalf",
     "Valve ExhCavity  Front Half", "", 3, 0.5313f, DimensionStore::Cylinder, nullptr, 21, 1, 104,
     104, 21, true},
    {122, "ValveStem", "Valve Stem", "Valve Stem", "Valve ctr to Joint", "  (Valve Stem)", 3,
     5.939f, DimensionStore::Cylinder, nullptr, 17, 1, 117, 130, 22, true},
};

constexpr std::size_t kFrameCount = 27;

}  // namespace

DimensionGroup groupOf(const DimensionInfo& d) {
    return d.code > 100 ? DimensionGroup::Cylinder : DimensionGroup::Frame;
}

std::span<const DimensionInfo> allDimensions() {
    return kDimensions;
}

std::span<const DimensionInfo> frameDimensionTable() {
    return std::span<const DimensionInfo>(kDimensions).first(kFrameCount);
}

std::span<const DimensionInfo> cylinderDimensionTable() {
    return std::span<const DimensionInfo>(kDimensions).subspan(kFrameCount);
}

const DimensionInfo* findDimension(int code) {
    auto it = std::find_if(std::begin(kDimensions), std::end(kDimensions),
                           [code](const DimensionInfo& d) { return d.code == code; });
    return it == std::end(kDimensions) ? nullptr : &*it;
}

}  // namespace tarvell
