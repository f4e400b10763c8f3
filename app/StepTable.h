// The step scroll bar's bands: each range of positions selects one driver step and the
// matching small and large changes of the driver-angle scroll bar (hundredths of a degree).
#pragma once

#include <array>

namespace tarvell {

struct StepBand {
    int first, last;  // positions of SBStepAng
    float step;       // degrees
    int smallChange, largeChange;
};

inline constexpr std::array<StepBand, 16> kStepBands{{
    {0, 704, 0.01f, 1, 5},
    {705, 1591, 0.02f, 2, 10},
    {1592, 2408, 0.03f, 3, 15},
    {2409, 3612, 0.05f, 5, 25},
    {3613, 4704, 0.1f, 10, 50},
    {4705, 5591, 0.2f, 20, 100},
    {5592, 6408, 0.3f, 30, 150},
    {6409, 7612, 0.5f, 50, 250},
    {7613, 8704, 1.0f, 100, 500},
    {8705, 9591, 2.0f, 200, 1000},
    {9592, 10408, 3.0f, 300, 1500},
    {10409, 11612, 5.0f, 500, 2500},
    {11613, 12704, 10.0f, 1000, 4500},
    {12705, 13591, 20.0f, 2000, 4500},
    {13592, 14408, 30.0f, 3000, 4500},
    {14409, 14613, 45.0f, 4500, 4500},
}};

// The band holding a position (positions outside 0-14613 take the nearest band).
inline const StepBand& stepBandAt(int position) {
    for (const StepBand& b : kStepBands)
        if (position <= b.last) return b;
    return kStepBands.back();
}

// The band with the largest step not above `step` (the first band for smaller steps).
inline const StepBand& stepBandFor(float step) {
    const StepBand* best = &kStepBands.front();
    for (const StepBand& b : kStepBands)
        if (b.step <= step) best = &b;
    return *best;
}

}  // namespace tarvell
