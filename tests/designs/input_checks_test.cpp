#include "designs/design_outcome.h"
#include "designs/input_checks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <string>

namespace {

// The dialogs' start texts.
DesignParameters SummerStart()
{
    return {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
}
WinterParameters WinterStart()
{
    return {20, 50, -12, 45, 10, 0.01f, 30, 95, Humidifier::Spray};
}

} // namespace

TEST(ImpossibleInputs, StopEveryDesignBeforeItStartsWithAMessageNamingTheInput)
{
    using D = DesignParameters;
    using W = WinterParameters;
    constexpr auto kSummer = DesignKind::PrimarySummer;
    constexpr auto kSecondary = DesignKind::SecondarySummer;
    constexpr auto kWinter = DesignKind::PrimaryWinter;
    struct Row {
        const char *name;
        DesignKind design;
        std::function<void(D &, W &)> change;
        const char *message; // empty: the input is possible and the design runs as designed
    };
    const Row rows[] = {
        {"wet bulb above dry bulb", kSummer, [](D &p, W &) { p.ts = 40; },
         "室外湿球温度ts（40）高于室外干球温度tw（35），请检查参数设定!"},
        {"wet bulb above dry bulb, second design", kSecondary, [](D &p, W &) { p.ts = 35.5; },
         "室外湿球温度ts（35.5）高于室外干球温度tw（35），请检查参数设定!"},
        {"indoor humidity above saturation", kSummer, [](D &p, W &) { p.phiN = 120; },
         "室内相对湿度φn（120）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        {"dew-point humidity above saturation", kSummer, [](D &p, W &) { p.phiL = 150; },
         "机器露点的φL（150）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        {"negative fresh air", kSummer, [](D &p, W &) { p.s = -50; },
         "新风百分比s（-50）不在0至100%之间，请检查参数设定!"},
        {"more fresh air than supply air", kSecondary, [](D &p, W &) { p.s = 200; },
         "新风百分比s（200）不在0至100%之间，请检查参数设定!"},
        {"the first impossible input in the dialog's order", kSummer,
         [](D &p, W &) { p.phiN = 101, p.s = 101; },
         "室内相对湿度φn（101）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        {"winter indoor humidity", kWinter, [](D &, W &w) { w.phiNW = 100.5; },
         "冬季室内相对湿度φn'（100.5）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        {"winter outdoor humidity", kWinter, [](D &, W &w) { w.phiWW = 110; },
         "冬季室外相对湿度φw'（110）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        {"winter dew-point humidity", kWinter, [](D &, W &w) { w.phiLW = 120; },
         "冬季机器露点φL'（120）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        {"winter fresh air", kWinter, [](D &, W &w) { w.sW = -1; },
         "冬季新风百分比s'（-1）不在0至100%之间，请检查参数设定!"},
        {"summer room humidity behind the winter supply flow", kWinter,
         [](D &p, W &) { p.phiN = 130; },
         "室内相对湿度φn（130）高于100%，空气的相对湿度不能超过100%，请检查参数设定!"},
        // The limits themselves are possible, and so is whatever the design handles itself.
        {"wet bulb at the dry bulb", kSummer, [](D &p, W &) { p.ts = p.tw; }, ""},
        {"saturated air", kSummer, [](D &p, W &) { p.phiN = 100, p.phiL = 100; }, ""},
        {"no fresh air", kSummer, [](D &p, W &) { p.s = 0; }, ""},
        {"fresh air only", kSummer, [](D &p, W &) { p.s = 100; }, ""},
        {"an empty record", kSummer, [](D &p, W &) { p = D {}; }, ""},
        {"summer inputs the winter design does not read", kWinter,
         [](D &p, W &) { p.ts = 40, p.s = 200, p.phiL = 150; }, ""},
        {"winter inputs a summer design does not read", kSummer,
         [](D &, W &w) { w.phiNW = 200, w.sW = -5; }, ""},
        {"winter limits", kWinter, [](D &, W &w) { w.phiNW = w.phiWW = w.phiLW = 100, w.sW = 100; },
         ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        D summer = SummerStart();
        W winter = WinterStart();
        row.change(summer, winter);
        const DesignRequest request {row.design, summer, winter};
        const std::optional<Stop> refused = ImpossibleInput(request);
        const DesignTexts texts = DesignTextsOf(ComputeDesign(request, 101325.0));
        if (*row.message == '\0') {
            EXPECT_FALSE(refused) << refused->message;
            EXPECT_TRUE(!texts.stop || texts.stop->cause != StopCause::ImpossibleInput);
            continue;
        }
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->message, row.message);
        ASSERT_TRUE(texts.stop);
        EXPECT_EQ(texts.stop->cause, StopCause::ImpossibleInput);
        EXPECT_EQ(texts.stop->message, row.message);

        // Nothing is computed, and the table is the design's own: its name,
        // its states (the winter design's preheated state only when there is
        // one) and quantities, every value empty.
        const DesignTexts designed
            = DesignTextsOf(ComputeDesign({row.design, SummerStart(), WinterStart()}, 101325.0));
        EXPECT_EQ(texts.design, designed.design);
        for (const StateText &state : texts.stateRows) {
            EXPECT_TRUE(std::any_of(designed.stateRows.begin(), designed.stateRows.end(),
                                    [&](const StateText &s) { return s.name == state.name; }))
                << state.name;
            EXPECT_EQ(state.t + state.d + state.i, "");
        }
        for (const std::string &box : texts.results)
            EXPECT_EQ(box, "");
        for (const std::string &box : texts.states)
            EXPECT_EQ(box, "");
    }
}
