// Colours of the drawing: 24-bit RGB and the named colours the program uses.
#pragma once

#include <cstdint>

namespace tarvell {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colours {
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb green{0, 128, 0};
inline constexpr Rgb lime{0, 255, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb fuchsia{255, 0, 255};
inline constexpr Rgb yellow{255, 255, 0};
inline constexpr Rgb gray{128, 128, 128};
inline constexpr Rgb silver{192, 192, 192};
inline constexpr Rgb white{255, 255, 255};
}  // namespace colours

}  // namespace tarvell
