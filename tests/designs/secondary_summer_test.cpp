#include "designs/design_parameters.h"
#include "designs/primary_summer/primary_summer.h"
#include "designs/secondary_summer/secondary_presentation.h"
#include "designs/secondary_summer/secondary_summer.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace {

namespace msg = secondary_messages;

DesignParameters StartParameters()
{
    return DesignParameters {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
}

} // namespace

// The worked example of the design, start texts at 101325 Pa: every text.
TEST(SecondarySummer, StartTextsGiveTheWorkedExample)
{
    const SecondaryOutcome out = ComputeSecondarySummer(StartParameters(), 101325.0);
    ASSERT_FALSE(out.stop) << out.stop->message;
    EXPECT_EQ(out.dewPoint->evaluations, 1555);
    const DesignTexts texts = SecondarySummerTexts(out);
    const std::array<std::string, 7> boxes
        = {"1.94093039441438",  "1.54138808461806", "0.959108943156051", "0.399542309796319",
           "0.582279141462006", "25.9824591920684", "3.09261421029053"};
    EXPECT_EQ(texts.results, boxes);
    // Texta lists N, W, C1 (in the C boxes), L, O.
    const std::array<std::string, 10> states
        = {"12.63878", "58.3316",  "18.39413", "82.34492", "14.81294",
           "67.40294", "12.63178", "50.54641", "12.63363", "52.14899"};
    EXPECT_EQ(texts.states, states);
    const std::map<std::string, std::string> table = {
        {"savingShare", "10.63665"}, {"t_L", "18.446"}, {"heatMoistureRatio", "1200000.03031455"}};
    for (const QuantityText &q : texts.quantities) {
        if (table.count(q.key)) {
            EXPECT_EQ(q.value, table.at(q.key)) << q.key;
        }
    }
    EXPECT_EQ(texts.stateRows.at(2).t, "29.42157");
    EXPECT_EQ(texts.stateRows.at(4).t, "18.446");
}

// The balances of the two mixes and the coil, and the saving equal to the
// primary design's reheat, over shares, dew-point humidities and pressures.
TEST(SecondarySummer, FlowsAndLoadsBalance)
{
    for (const double B : {90000.0, 101325.0, 120000.0})
        for (const double s : {0.0, 30.0, 60.0})
            for (const double phiL : {90.0, 95.0}) {
                SCOPED_TRACE(std::to_string(B) + " Pa, s " + std::to_string(s) + ", φL "
                             + std::to_string(phiL));
                DesignParameters p = StartParameters();
                p.s = s;
                p.phiL = phiL;
                const SecondaryOutcome out = ComputeSecondarySummer(p, B);
                ASSERT_FALSE(out.stop) << out.stop->message;
                const SecondaryFlows &f = *out.flows;
                const StatePoint N = *out.State(StateName::N), W = *out.State(StateName::W),
                                 O = *out.State(StateName::O), L = *out.State(StateName::L),
                                 C1 = *out.State(StateName::C1);
                EXPECT_NEAR(*f.G_L + *f.G2, f.G, 1e-12);
                EXPECT_NEAR(*f.G1 + *f.G_W, *f.G_L, 1e-12);
                EXPECT_EQ(SingleText(static_cast<float>((*f.G2 * N.i + *f.G_L * L.i) / f.G)),
                          SingleText(O.i));
                EXPECT_NEAR((*f.G2 * N.d + *f.G_L * L.d) / f.G, O.d, 0.001);
                EXPECT_NEAR(*out.CoilCapacity, 12.0 + *f.G_W * (static_cast<double>(W.i) - N.i),
                            1e-5);
                const PrimaryOutcome primary = ComputePrimarySummer(p, B);
                ASSERT_TRUE(primary.loads);
                EXPECT_NEAR(*out.Saving(), primary.loads->ReheatLoad, 1e-5);
                if (s == 0.0) {
                    EXPECT_EQ(C1.d, N.d);
                    EXPECT_EQ(C1.i, N.i);
                    EXPECT_EQ(*f.G1, *f.G_L);
                    EXPECT_NEAR(*out.CoilCapacity, 12.0, 1e-12);
                }
            }
}

// Each message, with the values written before it and those left empty.
TEST(SecondarySummer, StopsSayWhyAndWriteOnlyWhatWasFound)
{
    struct Row {
        const char *name;
        std::function<void(DesignParameters &)> change;
        std::string message;
        int boxesWritten; // Text1 … Text7 in order
        int evaluations; // of the scan, 0 when it did not run to its end
    };
    using D = DesignParameters;
    const std::string tooMuchFreshAir
        = std::string(msg::kFreshShareHead) + "79.41491" + msg::kFreshShareTail;
    const Row rows[] = {
        {"a large moisture load", [](D &p) { p.W = 3.0f; }, msg::kLineMissesCurve, 1, 0},
        {"90 % fresh air", [](D &p) { p.s = 90; }, tooMuchFreshAir, 2, 1555},
        {"all fresh air", [](D &p) { p.s = 100; }, tooMuchFreshAir, 2, 1555},
        {"supply below the machine dew point", [](D &p) { p.deltaT = 10; }, msg::kSupplyNotBetween,
         1, 0},
        {"no temperature difference", [](D &p) { p.deltaT = 0; }, msg::kNoEnthalpyDifference, 0, 0},
        {"no residual heat", [](D &p) { p.Q = 0; }, msg::kNoEnthalpyDifference, 0, 0},
        {"supply warmer than the room", [](D &p) { p.deltaT = -6; }, msg::kNegativeFlow, 0, 0},
        {"all parameters zero", [](D &p) { p = D {}; }, msg::kNoEnthalpyDifference, 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        DesignParameters p = StartParameters();
        row.change(p);
        const SecondaryOutcome out = ComputeSecondarySummer(p, 101325.0);
        ASSERT_TRUE(out.stop);
        EXPECT_EQ(out.stop->message, row.message);
        const DesignTexts texts = SecondarySummerTexts(out);
        // G comes first; at message S, G_L, G2 and G_W are written too (boxes 2, 4, 5).
        const bool freshAir = row.message == tooMuchFreshAir;
        EXPECT_EQ(texts.results[0].empty(), row.boxesWritten == 0);
        for (int box : {1, 3, 4})
            EXPECT_EQ(texts.results[box].empty(), !freshAir) << box;
        for (int box : {2, 5, 6})
            EXPECT_TRUE(texts.results[box].empty()) << box;
        EXPECT_EQ(out.dewPoint ? out.dewPoint->evaluations : 0, row.evaluations);
        EXPECT_FALSE(out.State(StateName::C1));
    }
}

// With the other start texts the line through N meets the 95 % curve only for
// a moisture load below about 2.23 g/s; a larger one scans down to −30 °C.
TEST(SecondarySummer, TheDownwardScanIsBoundedByMinusThirty)
{
    const SecondaryOutcome start = ComputeSecondarySummer(StartParameters(), 101325.0);
    const SecondaryDewPoint scan
        = FindSecondaryDewPoint(20.0, 4000.0f, *start.State(StateName::N), 0.95f, 101325.0);
    EXPECT_FALSE(scan.found);
    EXPECT_EQ(scan.evaluations, 50001);
    DesignParameters p = StartParameters();
    p.W = 2.2f;
    EXPECT_FALSE(ComputeSecondarySummer(p, 101325.0).stop);
}
