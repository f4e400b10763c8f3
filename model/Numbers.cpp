// Locale-independent number conversions (see Numbers.h).
#include "Numbers.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>

namespace tarvell {

int roundToInt(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);  // the default rounding mode: nearest, ties to even
    if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(r);
}

namespace {

// Fixed-point digits of v with `decimals` after the point, a tie rounded away from zero as
// people round by hand (2.6875 -> "2.688", 0.5625 -> "0.563"), and no minus sign on a value
// that shows as zero.
std::string fixedDigits(double v, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 60) decimals = 60;
    // The exact expansion, well past the digits kept, then rounded here.
    char buf[512];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, decimals + 40);
    std::string digits(buf, res.ptr);
    const std::size_t point = digits.find('.');
    std::string kept = digits.substr(0, point + 1 + static_cast<std::size_t>(decimals));
    const std::string dropped = digits.substr(point + 1 + static_cast<std::size_t>(decimals));
    if (!dropped.empty() && dropped[0] >= '5') {
        // Carry one into the last kept digit.
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<std::size_t>(i)] == '.') continue;
            if (kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i)] = '0';
            } else {
                ++kept[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) kept.insert(kept.begin(), '1');
    }
    if (decimals == 0) kept.pop_back();  // no point without decimals
    const bool zero = kept.find_first_not_of("0.") == std::string::npos;
    return (v < 0 && !zero) ? "-" + kept : kept;
}

}  // namespace

std::string formatFixed(double v, int width, int decimals) {
    std::string text;
    if (std::isnan(v)) {
        text = "NAN";
    } else if (std::isinf(v)) {
        text = v > 0 ? "INF" : "-INF";
    } else {
        text = fixedDigits(v, decimals);
    }
    std::string out;
    if (static_cast<int>(text.size()) < width)
        out.assign(static_cast<std::size_t>(width) - text.size(), ' ');
    out += text;
    return out;
}

std::string formatInt(long long v, int width) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    std::string out;
    if (static_cast<int>(text.size()) < width)
        out.assign(static_cast<std::size_t>(width) - text.size(), ' ');
    out += text;
    return out;
}

float parseLeadingNumber(std::string_view text) {
    // Longest prefix of the form -?digits*(.digits*)? holding at least one digit.
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        std::size_t frac = 0;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j, ++frac;
        if (digits + frac > 0) i = j;
        digits += frac;
    }
    if (digits == 0) return 0.0f;
    double value = 0;
    auto res = std::from_chars(text.data(), text.data() + i, value, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: far beyond the single range either way, unless it is
        // an underflow such as 0.000...0001.
        const bool negative = text[0] == '-';
        std::size_t k = negative ? 1 : 0;
        while (k < i && text[k] == '0') ++k;
        const bool tiny = k == i || text[k] == '.';  // no non-zero digit before the point
        if (tiny) return negative ? -0.0f : 0.0f;
        return negative ? -FLT_MAX : FLT_MAX;
    }
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

}  // namespace tarvell
