// Rounding, fixed-point text and the lenient number reader.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <string>

#include "Numbers.h"

using namespace tarvell;

TEST(Numbers, RoundsToNearestWithTiesToEven) {
    EXPECT_EQ(roundToInt(2.5), 2);
    EXPECT_EQ(roundToInt(3.5), 4);
    EXPECT_EQ(roundToInt(-2.5), -2);
    EXPECT_EQ(roundToInt(-2.6), -3);
    EXPECT_EQ(roundToInt(1e300), INT_MAX);
    EXPECT_EQ(roundToInt(-1e300), INT_MIN);
}

TEST(Numbers, FixedPointTextIsRightAlignedInAMinimumWidth) {
    EXPECT_EQ(formatFixed(3.25, 7, 3), "  3.250");
    EXPECT_EQ(formatFixed(0, 5, 3), "0.000");
    EXPECT_EQ(formatFixed(-0.198f, 5, 3), "-0.198");
    EXPECT_EQ(formatFixed(123.456, 6, 2), "123.46");
    EXPECT_EQ(formatFixed(1234567.0, 5, 3), "1234567.000");
    // Ties round away from zero, as by hand; anything past a tie rounds the usual way.
    EXPECT_EQ(formatFixed(2.6875, 5, 3), "2.688");
    EXPECT_EQ(formatFixed(0.5625, 5, 3), "0.563");
    EXPECT_EQ(formatFixed(3.3125, 5, 3), "3.313");
    EXPECT_EQ(formatFixed(-0.5625, 5, 3), "-0.563");
    EXPECT_EQ(formatFixed(0.56249, 5, 3), "0.562");
    EXPECT_EQ(formatFixed(9.9996, 5, 3), "10.000");
    EXPECT_EQ(formatFixed(-999.5, 1, 0), "-1000");
    EXPECT_EQ(formatFixed(0.1f, 1, 3), "0.100");
    EXPECT_EQ(formatFixed(1e20, 1, 1), "100000000000000000000.0");
    // A value that shows as zero carries no sign.
    EXPECT_EQ(formatFixed(-1.99e-16, 7, 3), "  0.000");
    EXPECT_EQ(formatFixed(-0.0004, 6, 3), " 0.000");
    EXPECT_EQ(formatFixed(-0.0005, 6, 3), "-0.001");
    EXPECT_EQ(formatInt(7, 5), "    7");
    EXPECT_EQ(formatInt(-12, 2), "-12");
}

TEST(Numbers, ReadsTheLongestLeadingWellFormedNumber) {
    EXPECT_FLOAT_EQ(parseLeadingNumber("5-"), 5.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("1.5-"), 1.5f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("-"), 0.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("."), 0.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber(""), 0.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("-.5"), -0.5f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("7."), 7.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("-30"), -30.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("3.25"), 3.25f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("12-3"), 12.0f);
    EXPECT_FLOAT_EQ(parseLeadingNumber("-5-"), -5.0f);
}

TEST(Numbers, HugeAndTinyNumbersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(parseLeadingNumber("1" + std::string(50, '0')), FLT_MAX);
    EXPECT_EQ(parseLeadingNumber("-1" + std::string(400, '0')), -FLT_MAX);
    EXPECT_EQ(parseLeadingNumber("000" + std::string(400, '9')), FLT_MAX);
    EXPECT_EQ(parseLeadingNumber("0." + std::string(400, '0') + "1"), 0.0f);
}

TEST(Numbers, TextNeverDependsOnTheDesktopLocale) {
    // Where a comma-decimal locale is installed, switch to it; the results must not change.
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name)) break;
    EXPECT_EQ(formatFixed(3.25, 7, 3), "  3.250");
    EXPECT_FLOAT_EQ(parseLeadingNumber("1.5"), 1.5f);
    std::setlocale(LC_ALL, saved.c_str());
}
