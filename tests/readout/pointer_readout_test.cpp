#include "chart/chart_state.h"
#include "psychro/air_states.h"
#include "readout/pointer_readout.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {
double Cell(const ReadoutTexts &texts, int k)
{
    return LeadingNumberValue(texts[k]);
}
} // namespace

TEST(PointerReadout, StatesAtStandardPressure)
{
    ChartState state;
    ReadoutTexts texts = PointerReadout(state, 10.0f, 50.0f);
    EXPECT_NEAR(Cell(texts, 0), 24.43, 0.005);
    EXPECT_NEAR(Cell(texts, 1), 3063, 0.5);
    EXPECT_NEAR(Cell(texts, 2), 52.35, 0.005);
    EXPECT_NEAR(Cell(texts, 3), 1603.2, 0.05);
    EXPECT_EQ(texts[4], "10");
    EXPECT_EQ(texts[5], "50");
    // The wet-bulb line of the ts shown passes through the state at its temperature.
    const WetBulbLineState line = StateOnWetBulbLine(static_cast<float>(Cell(texts, 6)),
                                                     static_cast<float>(Cell(texts, 0)), state.B);
    EXPECT_NEAR(line.state.d, 10.0, 1e-4);
    EXPECT_NEAR(line.state.i, 50.0, 1e-4);

    texts = PointerReadout(state, 30.0f, 40.0f);
    EXPECT_NEAR(Cell(texts, 0), -33.01, 0.005);
    EXPECT_NEAR(Cell(texts, 1), 27.68, 0.005);
    EXPECT_NEAR(Cell(texts, 3), 4662.2, 0.05);
    EXPECT_EQ(texts[2], "超范围");
    EXPECT_EQ(texts[6], "超范围"); // beyond saturation: no wet bulb either

    texts = PointerReadout(state, 0.0f, 145.0f);
    EXPECT_NEAR(Cell(texts, 0), 144.28, 0.005);
    EXPECT_EQ(texts[3], "0");
    EXPECT_EQ(texts[2], "0");

    texts = PointerReadout(state, 42.0f, -30.0f);
    EXPECT_NEAR(Cell(texts, 0), -124.74, 0.005);
    EXPECT_NE(texts[1].find("E-06"), std::string::npos) << texts[1];
    EXPECT_NEAR(Cell(texts, 1), 0.00000395, 0.000000005);
    EXPECT_EQ(texts[2], "超范围");
    EXPECT_EQ(texts[6], "超范围");
}

TEST(PointerReadout, APressureChangeMovesOnlyPqAndPhi)
{
    ChartState state;
    const ReadoutTexts standard = PointerReadout(state, 10.0f, 50.0f);
    state.B = 90000.0;
    const ReadoutTexts low = PointerReadout(state, 10.0f, 50.0f);
    for (int k : {0, 1, 4, 5})
        EXPECT_EQ(standard[k], low[k]) << k;
    EXPECT_NE(standard[2], low[2]);
    EXPECT_NE(standard[3], low[3]);
}

TEST(PointerReadout, DragsFarOffTheChartNeverThrow)
{
    ChartState state;
    const float far[][2] = {{-546.19574f, 0.0f}, {-622.0f, 10.0f}, {0.0f, 5000.0f},
                            {0.0f, -5000.0f},    {3e38f, 3e38f},   {-3e38f, 1.0f}};
    for (const auto &p : far) {
        SCOPED_TRACE(std::to_string(p[0]) + ", " + std::to_string(p[1]));
        ReadoutTexts texts;
        EXPECT_NO_THROW(texts = PointerReadout(state, p[0], p[1]));
        // Each cell a finite number or the out-of-range text; d and i as pointed at.
        for (int k = 0; k < kReadoutCellCount; ++k) {
            const std::string &cell = texts[k];
            const std::optional<double> value = WholeNumberValue(cell);
            EXPECT_TRUE(cell == kOutOfRangeText || (value && std::isfinite(*value)))
                << k << ": " << cell;
        }
        EXPECT_EQ(texts[Index(ReadoutCell::d)], SingleText(p[0]));
        EXPECT_EQ(texts[Index(ReadoutCell::i)], SingleText(p[1]));
    }
    // Outside −200…200 °C there is no saturation pressure: phi is out of range.
    const ReadoutTexts texts = PointerReadout(state, 0.0f, 5000.0f);
    EXPECT_EQ(texts[2], "超范围");
    EXPECT_EQ(texts[1], "0");
}

// The outdoor state W of a calculation lies on the wet-bulb line of the typed
// ts; pointing at it shows that ts, digit for digit.
TEST(PointerReadout, OutdoorStateShowsItsTypedWetBulb)
{
    struct Outdoor {
        double tw;
        std::string ts; // as typed
    };
    std::vector<Outdoor> outdoors
        = {{35, "26.5"}, {32, "24.5"},  {38.1, "27.3"}, {30, "20"},     {10, "5"},
           {2, "-1.5"},  {-5, "-6.45"}, {45, "30.05"},  {28.4, "28.4"}, {33.2, "26.13"},
           {20, "0.9"},  {-10, "-12"},  {36, "0.01"},   {25, "-0.37"}};
    // And a grid: dry bulbs from −10 to 45 °C, wet bulbs from −12 °C up to the dry bulb.
    for (int tw = -100; tw <= 450; tw += 25)
        for (int ts = -120; ts <= tw; ts += 17)
            outdoors.push_back({tw / 10.0, DoubleText(ts / 10.0)});
    ChartState state;
    ReadoutTexts texts;
    for (const double B : {90000.0, 101325.0, 120000.0}) {
        state.B = B;
        for (const Outdoor &w : outdoors) {
            const float ts = static_cast<float>(LeadingNumberValue(w.ts));
            const WetBulbLineState line = StateOnWetBulbLine(ts, static_cast<float>(w.tw), B);
            texts = PointerReadout(state, line.state.d, line.state.i);
            EXPECT_EQ(texts[6], w.ts) << "tw " << w.tw << ", B " << B;
        }
    }
}
