#include "designs/parameter_table.h"
#include "project/project.h"
#include "project/project_file.h"
#include "psychro/state_solver.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using state_solver::Property;

namespace {

constexpr const char *kProgram = "idchart 1.0.0";

// The records a dialog makes of the texts at its OK.
template <typename Record, std::size_t N>
Record Entered(const std::array<ParameterRow<Record>, N> &table,
               const std::array<std::string, N> &texts)
{
    return ReadEntries(table, texts).record.value();
}

template <typename Record, std::size_t N>
void ExpectSameRecord(const std::array<ParameterRow<Record>, N> &table, const Record &read,
                      const Record &written)
{
    for (const ParameterRow<Record> &row : table) {
        if (row.asDouble)
            EXPECT_EQ(read.*row.asDouble, written.*row.asDouble) << row.option;
        else if (row.asSingle)
            EXPECT_EQ(read.*row.asSingle, written.*row.asSingle) << row.option;
        else
            EXPECT_EQ(read.*row.asChoice, written.*row.asChoice) << row.option;
    }
}

// A project as a user leaves it: odd texts typed in full-width digits, with
// blanks, with text after the number; a title and note with quotes and line
// breaks; points named by default and by the user, joined by lines.
Project TypedProject()
{
    Project p;
    p.chart.BText = "９５０００ 帕";
    p.chart.B = 95000;
    p.chart.Precision = 0.05f;
    p.design = DesignKind::SecondarySummer;
    p.summerTexts = {" 26.0", "６０", "35", "26.5℃", "6", "30", "95", "1E2", "0.013"};
    p.summer = Entered(kSummerParameters, p.summerTexts);
    p.winterTexts = {"２０", "50", "-12", "", "10", "0.01", "30", "95", "喷蒸汽"};
    p.winter = Entered(kWinterParameters, p.winterTexts);
    p.title = "三层会议室 \"东\"";
    p.note = "第一行\n\t第二行 \\ 完";
    EXPECT_FALSE(p.points.Add(p.chart.B, {Property::t, 32}, {Property::phi, 65.5}));
    EXPECT_FALSE(p.points.Add(p.chart.B, {Property::d, 10}, {Property::i, 50}, "送风 S"));
    EXPECT_FALSE(p.points.Add(p.chart.B, {Property::ts, 20}, {Property::Pq, 1500}));
    p.points.Connect(0, 1);
    p.points.Connect(2, 0);
    return p;
}

TEST(ProjectFileTest, WhatIsWrittenReadsBackAsItWas)
{
    Project winterOnly;
    winterOnly.design = DesignKind::PrimaryWinter;
    winterOnly.winterTexts = StartTexts(kWinterParameters);
    winterOnly.winter = Entered(kWinterParameters, winterOnly.winterTexts);
    const struct {
        const char *what;
        Project project;
        bool hasInputs;
    } cases[] = {
        {"a new project", Project {}, false},
        {"typed texts", TypedProject(), true},
        {"only the winter inputs", winterOnly, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string json = ProjectJson(c.project, kProgram);
        const ProjectReading reading = ReadProjectJson(json);
        ASSERT_TRUE(reading.project) << reading.error;
        EXPECT_EQ(reading.hasInputs, c.hasInputs);
        // Every text, name and number of the file comes back: the project
        // read writes the same file again; its values are the dialogs' own.
        ExpectSameRecord(kSummerParameters, reading.project->summer, c.project.summer);
        ExpectSameRecord(kWinterParameters, reading.project->winter, c.project.winter);
        EXPECT_EQ(reading.project->chart.B, c.project.chart.B);
        EXPECT_EQ(ProjectJson(*reading.project, kProgram), json);
    }
}

// The example file of docs/project-file.md.
std::string DocumentedExample()
{
    const std::filesystem::path docs
        = std::filesystem::path(__FILE__).parent_path() / "../../docs/project-file.md";
    std::ifstream in(docs);
    const std::string text {std::istreambuf_iterator<char>(in), {}};
    const std::size_t start = text.find("```json\n");
    const std::size_t end = text.find("\n```", start + 1);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return text.substr(start + 8, end - start - 7);
}

TEST(ProjectFileTest, FilesWrittenByHandRead)
{
    // The documented example holds the start texts of both dialogs, and is
    // exactly what the program writes for that project.
    const std::string example = DocumentedExample();
    ASSERT_FALSE(example.empty()) << "no ```json block in docs/project-file.md";
    const ProjectReading documented = ReadProjectJson(example);
    ASSERT_TRUE(documented.project) << documented.error;
    EXPECT_EQ(documented.project->summerTexts, StartTexts(kSummerParameters));
    EXPECT_EQ(documented.project->winterTexts, StartTexts(kWinterParameters));
    EXPECT_EQ(documented.project->summer.W, 0.01f);
    EXPECT_EQ(documented.project->points.Points().size(), 2u);
    EXPECT_EQ(ProjectJson(*documented.project, kProgram), example);

    // Tersely by hand: members in another order, unknown members, a text
    // beside a value that disagrees, values without texts, a humidifier text
    // that is no entry of the dialog, a point's property named "φ".
    const ProjectReading terse = ReadProjectJson(R"({"version": 1, "format": "idchart-project",
      "comment": ["not", "read"],
      "winter": {"winter-tn": {"text": "２０", "value": 30}, "winter-phin": {"value": 50},
        "winter-tw": {"value": -12.5}, "winter-phiw": {"value": 45}, "winter-q": {"value": 10},
        "winter-w": {"value": 0.01}, "winter-s": {"value": 30}, "winter-phil": {"value": 95},
        "humidifier": {"text": "加湿器", "value": "steam"}},
      "points": [{"given": [{"value": 50, "property": "φ"}, {"property": "T", "value": 20}],
                  "name": "A", "colour": "red"}]})");
    ASSERT_TRUE(terse.project) << terse.error;
    const Project &p = *terse.project;
    EXPECT_TRUE(terse.hasInputs);
    EXPECT_EQ(p.winter.tnW, 20);
    EXPECT_EQ(p.winterTexts,
              (std::array<std::string, kWinterParameterCount> {"２０", "50", "-12.5", "45", "10",
                                                               "0.01", "30", "95", "喷蒸汽"}));
    EXPECT_EQ(p.winter.WW, 0.01f);
    EXPECT_EQ(p.winter.Mode, Humidifier::Steam);
    EXPECT_EQ(p.summerTexts, Project {}.summerTexts);
    EXPECT_EQ(p.chart.BText, "101325");
    EXPECT_EQ(p.chart.Precision, 1.0f);
    ASSERT_EQ(p.points.Points().size(), 1u);
    EXPECT_EQ(p.points.Points()[0].first.property, Property::phi);
    EXPECT_TRUE(p.points.Points()[0].solution.state);
}

TEST(ProjectFileTest, FaultyFilesGiveNoProjectAndSayWhy)
{
    const std::string good = [] {
        Project p;
        p.summerTexts = StartTexts(kSummerParameters);
        p.summer = Entered(kSummerParameters, p.summerTexts);
        p.winterTexts = StartTexts(kWinterParameters);
        p.winter = Entered(kWinterParameters, p.winterTexts);
        EXPECT_FALSE(p.points.Add(p.chart.B, {Property::t, 32}, {Property::phi, 65}));
        return ProjectJson(p, kProgram);
    }();
    ASSERT_TRUE(ReadProjectJson(good).project);
    const auto edited = [&good](const std::string &from, const std::string &to) {
        const std::size_t at = good.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? good : std::string(good).replace(at, from.size(), to);
    };
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {edited("\"version\": 1,", "\"version\": 1"), "第 4 行第 3 列：应为“,”或“}”"},
        {good.substr(0, good.size() - 3), "第 35 行第 14 列：文本提前结束，应为“,”或“}”"},
        {"[]", "不是 idchart 项目文件"},
        {edited("idchart-project", "idchart-projekt"), "不是 idchart 项目文件"},
        {edited("\"version\": 1,", "\"version\": 2,"),
         "格式版本 2 比本程序能打开的版本 1 新：这个文件由较新的 idchart 写成，请用新版本的 "
         "idchart 打开"},
        {edited("\"version\": 1,", "\"version\": \"1\","), "格式版本“version”应为不小于 1 的整数"},
        {edited("\"version\": 1,", ""), "缺少格式版本“version”"},
        {edited("\"title\": \"\"", "\"title\": 5"), "“title”应为字符串"},
        {edited("\"tn\": {\"text\": \"26\", \"value\": 26}", "\"tn\": 5"),
         "“tn”应为对象（含 text 与 value）"},
        {edited("\"tn\": {\"text\": \"26\", \"value\": 26}", "\"tn\": {}"),
         "“tn”应含 text（输入的文字）或 value（数值）"},
        {edited("\"phin\": {\"text\": \"60\", \"value\": 60},\n", ""),
         "“summer”缺少“phin”（室内相对湿度φn）"},
        {edited("\"text\": \"26.5\"", "\"text\": \"1E999\""),
         "“ts”（室外湿球温度ts）的“1E999”超出数值范围"},
        {edited("\"w\": {\"text\": \"0.01\", \"value\": 0.01}", "\"w\": {\"value\": 1e39}"),
         "“w”（室内余湿量W）的“1E+39”超出数值范围"},
        {edited("\"winter\": {", "\"winter\": [], \"x\": {"),
         "“winter”应为对象（各项输入）或 null"},
        {edited("{\"text\": \"喷循环水\", \"value\": \"spray\"}",
                "{\"text\": \"加湿器\", \"value\": \"mist\"}"),
         "“humidifier”应为“喷循环水”或“喷蒸汽”（value 为 spray 或 steam）"},
        {edited("\"text\": \"101325\"", "\"text\": \"80000\""),
         "大气压力“pressure”的“80000”不是 90000 至 120000 帕之间的数"},
        {edited("\"precision\": 1", "\"precision\": 0.0001"),
         "绘图精度“precision”为 0.0001，不可用：绘图精度不能为0，为正数时应不小于0.001"},
        {edited("\"design\": \"primary\"", "\"design\": \"tertiary\""),
         "设计“design”应为 primary、secondary、winter 之一"},
        {edited("\"points\": [", "\"points\": {}, \"x\": ["), "状态点“points”应为数组"},
        {edited("\"name\": \"P1\", ", ""), "第 1 个状态点的名称“name”应为字符串"},
        {edited("\"property\": \"phi\"", "\"property\": \"rh\""),
         "第 1 个状态点的性质“rh”不认识，应为 t、ts、td、phi、d、i、Pq 之一"},
        {edited("\"property\": \"phi\"", "\"property\": \"t\""),
         "第 1 个状态点：两个参数都是 t：同一个参数只确定一个量，不能确定状态。"},
        {edited("\"lines\": []", "\"lines\": [[0, -1]]"),
         "第 1 条过程线应为两个状态点的序号 [从, 到]（从 0 起的整数）"},
    };
    for (const auto &c : cases) {
        const ProjectReading reading = ReadProjectJson(c.text);
        EXPECT_FALSE(reading.project) << c.error;
        EXPECT_EQ(reading.error, c.error);
    }
}

} // namespace
