#include "chart/chart_state.h"
#include "designs/air_states.h"
#include "readout/pointer_readout.h"
#include "support/recording_texts.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {
double Cell(const RecordingTexts &texts, int k)
{
    return LeadingNumberValue(texts.readout[k]);
}
} // namespace

TEST(PointerReadout, StatesAtStandardPressure)
{
    ChartState state;
    RecordingTexts texts;

    PointerReadout(state, 10.0f, 50.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), 24.43, 0.005);
    EXPECT_NEAR(Cell(texts, 1), 3063, 0.5);
    EXPECT_NEAR(Cell(texts, 2), 52.35, 0.005);
    EXPECT_NEAR(Cell(texts, 3), 1603.2, 0.05);
    EXPECT_EQ(texts.readout[4], "10");
    EXPECT_EQ(texts.readout[5], "50");
    // The wet-bulb line of the ts shown passes through the state at its temperature.
    const WetBulbLineState line = StateOnWetBulbLine(static_cast<float>(Cell(texts, 6)),
                                                     static_cast<float>(Cell(texts, 0)), state.B);
    EXPECT_NEAR(line.state.d, 10.0, 1e-4);
    EXPECT_NEAR(line.state.i, 50.0, 1e-4);
    // Cells are written in the order d, i, t, Pb, Pq, phi, ts.
    const std::vector<std::pair<std::string, int>> order {
        {"readout", 4}, {"readout", 5}, {"readout", 0}, {"readout", 1},
        {"readout", 3}, {"readout", 2}, {"readout", 6}};
    EXPECT_EQ(texts.order, order);

    PointerReadout(state, 30.0f, 40.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), -33.01, 0.005);
    EXPECT_NEAR(Cell(texts, 1), 27.68, 0.005);
    EXPECT_NEAR(Cell(texts, 3), 4662.2, 0.05);
    EXPECT_EQ(texts.readout[2], "超范围");
    EXPECT_EQ(texts.readout[6], "超范围"); // beyond saturation: no wet bulb either

    PointerReadout(state, 0.0f, 145.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), 144.28, 0.005);
    EXPECT_EQ(texts.readout[3], "0");
    EXPECT_EQ(texts.readout[2], "0");

    PointerReadout(state, 42.0f, -30.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), -124.74, 0.005);
    EXPECT_NE(texts.readout[1].find("E-06"), std::string::npos) << texts.readout[1];
    EXPECT_NEAR(Cell(texts, 1), 0.00000395, 0.000000005);
    EXPECT_EQ(texts.readout[2], "超范围");
    EXPECT_EQ(texts.readout[6], "超范围");
}

TEST(PointerReadout, APressureChangeMovesOnlyPqAndPhi)
{
    ChartState state;
    RecordingTexts standard, low;
    PointerReadout(state, 10.0f, 50.0f, standard);
    state.B = 90000.0;
    PointerReadout(state, 10.0f, 50.0f, low);
    for (int k : {0, 1, 4, 5})
        EXPECT_EQ(standard.readout[k], low.readout[k]) << k;
    EXPECT_NE(standard.readout[2], low.readout[2]);
    EXPECT_NE(standard.readout[3], low.readout[3]);
}

TEST(PointerReadout, DragsFarOffTheChartNeverThrow)
{
    ChartState state;
    const float far[][2] = {{-546.19574f, 0.0f}, {-622.0f, 10.0f}, {0.0f, 5000.0f},
                            {0.0f, -5000.0f},    {3e38f, 3e38f},   {-3e38f, 1.0f}};
    for (const auto &p : far) {
        SCOPED_TRACE(std::to_string(p[0]) + ", " + std::to_string(p[1]));
        // Fresh cells for every point: each must be written by this move.
        RecordingTexts texts;
        EXPECT_NO_THROW(PointerReadout(state, p[0], p[1], texts));
        std::vector<int> written;
        for (const auto &[kind, index] : texts.order)
            written.push_back(index);
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, (std::vector<int> {0, 1, 2, 3, 4, 5, 6})) << "every cell once";
        // Each cell a finite number or the out-of-range text; d and i as pointed at.
        for (int k = 0; k < kReadoutCellCount; ++k) {
            const std::string &cell = texts.readout[k];
            const std::optional<double> value = WholeNumberValue(cell);
            EXPECT_TRUE(cell == kOutOfRangeText || (value && std::isfinite(*value)))
                << k << ": " << cell;
        }
        EXPECT_EQ(texts.readout[Index(ReadoutCell::d)], SingleText(p[0]));
        EXPECT_EQ(texts.readout[Index(ReadoutCell::i)], SingleText(p[1]));
    }
    // Outside −200…200 °C there is no saturation pressure: phi is out of range.
    RecordingTexts texts;
    PointerReadout(state, 0.0f, 5000.0f, texts);
    EXPECT_EQ(texts.readout[2], "超范围");
    EXPECT_EQ(texts.readout[1], "0");
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
    RecordingTexts texts;
    for (const double B : {90000.0, 101325.0, 120000.0}) {
        state.B = B;
        for (const Outdoor &w : outdoors) {
            const float ts = static_cast<float>(LeadingNumberValue(w.ts));
            const WetBulbLineState line = StateOnWetBulbLine(ts, static_cast<float>(w.tw), B);
            PointerReadout(state, line.state.d, line.state.i, texts);
            EXPECT_EQ(texts.readout[6], w.ts) << "tw " << w.tw << ", B " << B;
        }
    }
}
