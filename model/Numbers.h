// Number conversions shared by every layer: rounding to pixels and scroll positions (nearest,
// ties to even), fixed-point text right-aligned in a field, and the lenient number reader of
// the dimension fields. None of them depends on the desktop's locale.
#pragma once

#include <cfloat>
#include <string>
#include <string_view>

namespace tarvell {

// A result stored as single precision, saturating at +-FLT_MAX instead of overflowing (NaN
// gives 0), so that wild dimensions give a distorted but finite linkage.
inline float toSingle(double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    if (v != v) return 0.0f;
    return static_cast<float>(v);
}

// Nearest integer, ties to even; values beyond the int range saturate, NaN gives 0.
int roundToInt(double v);

// Fixed-point text with `decimals` digits after the point, right-aligned in at least `width`
// characters: formatFixed(3.25, 7, 3) == "  3.250". Always "." as the decimal point; a
// tie rounds away from zero; a value that shows as zero has no minus sign.
std::string formatFixed(double v, int width, int decimals);

// An integer right-aligned in at least `width` characters.
std::string formatInt(long long v, int width);

// The longest leading well-formed decimal number of `text` ("5-" -> 5, "1.5-" -> 1.5;
// "", "-" and "." -> 0). Magnitudes beyond the single range saturate to +-FLT_MAX.
float parseLeadingNumber(std::string_view text);

}  // namespace tarvell
