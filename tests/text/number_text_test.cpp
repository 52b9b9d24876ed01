#include "text/leading_number.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

TEST(NumberText, SingleValuesShowAtMostSevenSignificantDigits)
{
    const struct {
        float value;
        const char *text;
    } rows[] = {
        {10.0f, "10"},
        {1603.2443f, "1603.244"},
        {0.5f, "0.5"},
        {-33.012638f, "-33.01264"},
        {0.05f, "0.05"},
        {1.0f, "1"},
        {0.0099999998f, "0.01"},
        {-0.0f, "0"},
        {12345678.0f, "1.234568E+07"},
        {3.952597e-06f, "3.952597E-06"},
        {100.0f, "100"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(SingleText(row.value), row.text) << row.value;
}

TEST(NumberText, DoubleValuesShowAtMostFifteenSignificantDigits)
{
    const struct {
        double value;
        const char *text;
    } rows[] = {
        {8.56348914106744E+30, "8.56348914106744E+30"},
        {12.0 / static_cast<double>(0.01f / 1000.0f), "1200000.03031455"},
        {12.0, "12"},
        {1.94100000000001, "1.94100000000001"},
        {-0.25, "-0.25"},
        {1e-7, "1E-07"},
        {std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
        {1.79769313486231e308, "1.79769313486231E+308"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DoubleText(row.value), row.text) << row.value;
}

TEST(NumberText, SurfaceNumbersCarryABlankInPlaceOfThePlusSign)
{
    EXPECT_EQ(SurfaceNumberText(0), " 0");
    EXPECT_EQ(SurfaceNumberText(40), " 40");
    EXPECT_EQ(SurfaceNumberText(145), " 145");
    EXPECT_EQ(SurfaceNumberText(-20), "-20");
}

TEST(NumberText, SingleTextReadsBackToTheSameValueAtSevenDigits)
{
    // Walk over a spread of magnitudes; the text must read back to a value
    // that agrees with the original to seven significant digits.
    for (std::uint32_t bits = 0x00800000u; bits < 0x7f000000u; bits += 0x00731a5bu) {
        const float value = std::bit_cast<float>(bits);
        const double back = LeadingNumberValue(SingleText(value));
        EXPECT_NEAR(back, value, std::abs(value) * 5e-7) << SingleText(value);
    }
}
