#include "chart/chart_settings.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace chart_prompts;

TEST(AskChartSettings, DefaultsGiveStandardPressureAndFinePrecision)
{
    ChartState state;
    ScriptedPrompts prompts;
    AskChartSettings(state, prompts);
    EXPECT_EQ(state.B, 101325.0);
    EXPECT_EQ(state.BText, "101325");
    EXPECT_EQ(state.Precision, 0.05f);
    ASSERT_EQ(prompts.inputs.size(), 2u);
    EXPECT_EQ(prompts.inputs[0].prompt, kPressurePrompt);
    EXPECT_EQ(prompts.inputs[0].title, "大气压");
    EXPECT_EQ(prompts.inputs[0].defaultText, "101325");
    EXPECT_EQ(prompts.inputs[1].prompt, "请输入您希望的绘图精度：(默认值为0.05)");
    EXPECT_EQ(prompts.inputs[1].title, "绘图精度");
    EXPECT_EQ(prompts.inputs[1].defaultText, "0.05");
}

TEST(AskChartSettings, PressureOutsideTheRangeOrNotANumberIsAskedAgain)
{
    const struct {
        std::vector<std::string> answers; // pressure answers, then the precision
        double B;
        std::string text;
        size_t pressurePrompts;
    } rows[] = {
        {{"89999", "90000", "1"}, 90000.0, "90000", 2},
        {{"120000", "1"}, 120000.0, "120000", 1},
        {{"120001", "", "abc", "101325kpa", " 95000 ", "1"}, 95000.0, " 95000 ", 5},
        {{"1e400", "nan", "1.1e5", "1"}, 110000.0, "1.1e5", 3},
    };
    for (const auto &row : rows) {
        ChartState state;
        ScriptedPrompts prompts(row.answers);
        AskChartSettings(state, prompts);
        EXPECT_EQ(state.B, row.B);
        EXPECT_EQ(state.BText, row.text);
        ASSERT_EQ(prompts.inputs.size(), row.pressurePrompts + 1);
        for (size_t k = 1; k < row.pressurePrompts; ++k) {
            EXPECT_EQ(prompts.inputs[k].prompt,
                      "您输入的大气压的值不在90000至120000帕之间，请从新输入：");
            EXPECT_EQ(prompts.inputs[k].defaultText, "101325");
        }
    }
}

TEST(AskChartSettings, PrecisionIsAskedAgainUntilItIsAUsableStep)
{
    const struct {
        std::vector<std::string> precisionAnswers;
        float precision;
        size_t precisionPrompts;
    } rows[] = {
        {{"abc", "", "0", "0.5abc"}, 0.5f, 4},
        {{"-1"}, -1.0f, 1},
        {{"0.0001", "1e-30", "1e39", "1e400", "0.001"}, 0.001f, 5},
        {{"2"}, 2.0f, 1},
    };
    for (const auto &row : rows) {
        std::vector<std::string> answers {"101325"};
        answers.insert(answers.end(), row.precisionAnswers.begin(), row.precisionAnswers.end());
        ChartState state;
        ScriptedPrompts prompts(answers);
        AskChartSettings(state, prompts);
        EXPECT_EQ(state.Precision, row.precision);
        EXPECT_EQ(prompts.inputs.size(), 1 + row.precisionPrompts);
    }
}

// A pressure may be typed with its unit, and in full-width characters; the
// B0 box keeps what was typed.
TEST(AskChartSettings, PressureWithItsUnitOrInFullWidthReadsAsTheNumber)
{
    const struct {
        const char *answer;
        std::optional<double> pressure;
    } rows[] = {
        {"95000pa", 95000.0},      {"95000 Pa", 95000.0},       {" 95000\tPA  ", 95000.0},
        {"95000帕", 95000.0},      {"９５０００　帕", 95000.0}, {"１.０１３２５e５", 101325.0},
        {"95000pA", std::nullopt}, {"95000kpa", std::nullopt},  {"95000 pa pa", std::nullopt},
        {"pa", std::nullopt},      {"95 000pa", std::nullopt},  {"80000pa", std::nullopt},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.answer);
        EXPECT_EQ(AcceptedPressure(row.answer), row.pressure);
        if (!row.pressure)
            continue;
        ChartState state;
        ScriptedPrompts prompts({row.answer, "1"});
        AskChartSettings(state, prompts);
        EXPECT_EQ(state.B, *row.pressure);
        EXPECT_EQ(state.BText, row.answer);
        EXPECT_EQ(prompts.inputs.size(), 2u);
    }
}

// A refused precision is explained before the prompt comes again; the
// prompt's own text stays as it is.
TEST(AskChartSettings, ARefusedPrecisionIsExplainedBeforeThePromptComesAgain)
{
    ScriptedPrompts prompts({"101325", "0.0001", "1e39", "", "1e400", "０．０００５", "-0.0005"});
    ChartState state;
    AskChartSettings(state, prompts);
    EXPECT_EQ(state.Precision, -0.0005f); // a negative step is accepted, as designed
    const std::vector<std::string> expected = {
        kPressurePrompt,       kPrecisionPrompt, kPrecisionTooFine, kPrecisionPrompt,
        kPrecisionBeyondRange, kPrecisionPrompt, kPrecisionTooFine, kPrecisionPrompt,
        kPrecisionBeyondRange, kPrecisionPrompt, kPrecisionTooFine, kPrecisionPrompt,
    };
    EXPECT_EQ(prompts.sequence, expected);
    EXPECT_EQ(std::string(kPrecisionTooFine),
              "绘图精度不能为0，为正数时应不小于0.001，请重新输入!");
}
