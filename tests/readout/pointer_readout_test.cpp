#include "chart/chart_state.h"
#include "readout/pointer_readout.h"
#include "support/recording_texts.h"
#include "text/leading_number.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(texts.readout[6], "");
    // Cells are written in the order d, i, t, Pb, Pq, phi.
    const std::vector<std::pair<std::string, int>> order {{"readout", 4}, {"readout", 5},
                                                          {"readout", 0}, {"readout", 1},
                                                          {"readout", 3}, {"readout", 2}};
    EXPECT_EQ(texts.order, order);

    PointerReadout(state, 30.0f, 40.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), -33.01, 0.005);
    EXPECT_NEAR(Cell(texts, 1), 27.68, 0.005);
    EXPECT_NEAR(Cell(texts, 3), 4662.2, 0.05);
    EXPECT_EQ(texts.readout[2], "超范围");

    PointerReadout(state, 0.0f, 145.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), 144.28, 0.005);
    EXPECT_EQ(texts.readout[3], "0");
    EXPECT_EQ(texts.readout[2], "0");

    PointerReadout(state, 42.0f, -30.0f, texts);
    EXPECT_NEAR(Cell(texts, 0), -124.74, 0.005);
    EXPECT_NE(texts.readout[1].find("E-06"), std::string::npos) << texts.readout[1];
    EXPECT_NEAR(Cell(texts, 1), 0.00000395, 0.000000005);
    EXPECT_EQ(texts.readout[2], "超范围");
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
    RecordingTexts texts;
    const float far[][2] = {{-546.19574f, 0.0f}, {-622.0f, 10.0f}, {0.0f, 5000.0f},
                            {0.0f, -5000.0f},    {3e38f, 3e38f},   {-3e38f, 1.0f}};
    for (const auto &p : far) {
        EXPECT_NO_THROW(PointerReadout(state, p[0], p[1], texts)) << p[0] << ", " << p[1];
        for (int k = 0; k < 6; ++k)
            EXPECT_FALSE(texts.readout[k].empty()) << k;
        EXPECT_EQ(texts.readout[6], "");
    }
    // Outside −200…200 °C there is no saturation pressure: phi is out of range.
    PointerReadout(state, 0.0f, 5000.0f, texts);
    EXPECT_EQ(texts.readout[2], "超范围");
    EXPECT_EQ(texts.readout[1], "0");
}
