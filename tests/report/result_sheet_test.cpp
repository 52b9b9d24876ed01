#include "designs/design_outcome.h"
#include "report/result_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Reads CSV or TSV as a spreadsheet does (RFC 4180 quoting).
std::vector<std::vector<std::string>> ReadSeparated(const std::string &text, char separator,
                                                    const std::string &lineEnd)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (quoted) {
            if (c == '"' && k + 1 < text.size() && text[k + 1] == '"')
                rows.back().back() += text[++k];
            else if (c == '"')
                quoted = false;
            else
                rows.back().back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            rows.back().emplace_back();
        } else if (text.compare(k, lineEnd.size(), lineEnd) == 0) {
            k += lineEnd.size() - 1;
            rows.emplace_back(1);
        } else {
            EXPECT_TRUE(c != '\r' && c != '\n') << "a line break outside quotes at " << k;
            rows.back().back() += c;
        }
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1)) << "the last row is ended";
    rows.pop_back();
    return rows;
}

// The lines of an aligned table, split at runs of two or more blanks.
std::vector<std::vector<std::string>> TableLines(const std::string &text)
{
    std::vector<std::vector<std::string>> lines(1);
    std::size_t k = 0;
    while (k < text.size()) {
        if (text[k] == '\n') {
            lines.emplace_back();
            ++k;
        } else if (text.compare(k, 2, "  ") == 0) {
            k = text.find_first_not_of(' ', k);
        } else {
            const std::size_t end = std::min(text.find("  ", k), text.find('\n', k));
            lines.back().push_back(text.substr(k, end - k));
            k = end;
        }
    }
    return lines;
}

std::vector<std::vector<std::string>> Expected(const ResultSheet &sheet)
{
    std::vector<std::vector<std::string>> rows;
    for (const ResultSheet::Row &row : sheet.Rows())
        rows.emplace_back(row.begin(), row.end());
    return rows;
}

// The sheet of a primary calculation as 计算并描点 lists it, at 101325 Pa.
ResultSheet Compute(void (*change)(DesignParameters &))
{
    DesignParameters parameters {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
    change(parameters);
    const WinterParameters winter;
    return {DesignTextsOf(ComputeDesign({DesignKind::PrimarySummer, parameters, winter}, 101325.0)),
            "101325", "1", InputTextsOf(kSummerParameters, StartTexts(kSummerParameters)), "1.0"};
}

const QuantityText &Quantity(const ResultSheet &sheet, const std::string &key)
{
    for (const QuantityText &q : sheet.texts.quantities)
        if (q.key == key)
            return q;
    throw std::out_of_range(key);
}

} // namespace

TEST(ResultSheet, CsvAndTabSeparatedTextReadBackIntoTheSameCells)
{
    // Texts a spreadsheet would split wrongly unless they are quoted.
    const char *const pressures[] = {"101325", "95,000", "9\"5", "95\t000", "9\n5", "\"95000\""};
    for (const char *pressure : pressures) {
        SCOPED_TRACE(pressure);
        ResultSheet sheet = Compute([](DesignParameters &p) { p.W = 0; });
        sheet.pressureText = pressure;
        ASSERT_EQ(Quantity(sheet, "supplyFlowByMoisture").value, "余湿量为0");

        const std::string csv = ResultCsv(sheet);
        ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 byte-order mark first";
        EXPECT_EQ(ReadSeparated(csv.substr(3), ',', "\r\n"), Expected(sheet));
        EXPECT_EQ(ReadSeparated(ResultTsv(sheet), '\t', "\n"), Expected(sheet));
    }
}

TEST(ResultSheet, ListsOnlyWhatTheRunComputed)
{
    struct Row {
        const char *name;
        void (*change)(DesignParameters &);
        int statesFound; // of N, W, C, O, L in the table's order
        bool loads;
        const char *evaluations; // the scan's count, "" when it did not run to its end
    };
    const Row rows[] = {
        {"start texts", [](DesignParameters &) {}, 5, true, "48449"},
        {"machine dew point not found", [](DesignParameters &p) { p.phiL = 0; }, 4, false,
         "130000"},
        {"fresh air beyond 100 %, refused before the start", [](DesignParameters &p) { p.s = 200; },
         0, false, ""},
        {"no residual heat", [](DesignParameters &p) { p.Q = 0; }, 5, false, "51231"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ResultSheet sheet = Compute(row.change);
        EXPECT_EQ(sheet.Error().empty(), row.loads);
        const std::vector<StateText> &states = sheet.texts.stateRows;
        ASSERT_EQ(states.size(), 5u);
        for (int k = 0; k < 5; ++k) {
            const bool found = k < row.statesFound;
            EXPECT_EQ(states[k].t.empty(), !found) << k;
            EXPECT_EQ(states[k].d.empty(), !found) << k;
            EXPECT_EQ(states[k].i.empty(), !found) << k;
        }
        EXPECT_EQ(Quantity(sheet, "systemCooling").value.empty(), !row.loads);
        EXPECT_EQ(Quantity(sheet, "dewPointEvaluations").value, row.evaluations);
        if (row.statesFound >= 4) {
            EXPECT_EQ(states[0].t, "26");
            EXPECT_EQ(states[1].t, "35");
            EXPECT_EQ(states[3].t, "20");
        }
    }
}

TEST(ResultJson, NumbersKeepTheirDigitsAndEverythingElseIsQuotedOrNull)
{
    const struct {
        const char *text;
        const char *json;
    } numbers[] = {
        {"12.5", "12.5"}, {"-0.5", "-0.5"}, {"8.56348914106744E+30", "8.56348914106744E+30"},
        {" 7 ", "7"},     {"", "null"},     {"余湿量为0", "null"},
        {"NaN", "null"},  {"+1", "null"},   {"95000pa", "null"},
        {"1.", "null"},   {".5", "null"},   {"01", "null"},
    };
    for (const auto &row : numbers)
        EXPECT_EQ(text_output::JsonNumberOrNull(row.text), row.json) << row.text;

    EXPECT_EQ(text_output::JsonString("a\"b\\c\nd\x01 φ"), "\"a\\\"b\\\\c\\u000ad\\u0001 φ\"");

    const ResultSheet stopped = Compute([](DesignParameters &p) { p.W = 0, p.phiL = 0; });
    ASSERT_FALSE(stopped.Error().empty());
    const std::string json = ResultJson(stopped);
    EXPECT_NE(json.find("\"supplyFlowByMoisture\": null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"noResidualMoisture\": false"), std::string::npos)
        << "L not found: no flows, so no such text either";
    EXPECT_NE(json.find("\"L\": {\"t\": null, \"d\": null, \"i\": null}"), std::string::npos);
    EXPECT_NE(json.find("\"error\": \"" + stopped.Error() + "\""), std::string::npos);

    ResultSheet sheet = Compute([](DesignParameters &) {});
    sheet.pressureText = "95000pa";
    EXPECT_NE(ResultJson(sheet).find("\"pressure\": 95000,"), std::string::npos)
        << "B read as the pressure prompt reads it";
    EXPECT_EQ(ResultJson(sheet).find("error"), std::string::npos);
}

TEST(ResultSheet, EveryOutputSaysWhatItIsTheAnswerTo)
{
    ResultSheet sheet = Compute([](DesignParameters &) {});
    std::array<std::string, kSummerParameterCount> typed = StartTexts(kSummerParameters);
    typed[0] = "２４．５"; // as typed, not as read
    typed[7] = "12,5\"";
    typed[8] = "";
    sheet.inputs = InputTextsOf(kSummerParameters, typed);
    sheet.version = "2.3.4";
    sheet.pressureText = "95000pa";

    // The rows before the states, in this order; then the states.
    const std::vector<std::vector<std::string>> head = {
        {"设计", "一次回风夏季设计", "", ""},
        {"程序版本", "idchart 2.3.4", "", ""},
        {"输入参数", "输入值", "单位", ""},
        {"大气压力 B", "95000pa", "Pa", ""},
        {"室内设计温度tn", "２４．５", "℃", ""},
        {"室内相对湿度φn", "60", "%", ""},
        {"室外干球温度tw", "35", "℃", ""},
        {"室外湿球温度ts", "26.5", "℃", ""},
        {"送风温差△t", "6", "℃", ""},
        {"新风百分比s", "30", "%", ""},
        {"机器露点的φL", "95", "%", ""},
        {"室内余热量Q", "12,5\"", "kW", ""},
        {"室内余湿量W", "", "g/s", ""},
        {"状态点", "t (℃)", "d (g/kg干空气)", "i (kJ/kg干空气)"},
    };
    const std::vector<std::vector<std::string>> csv
        = ReadSeparated(ResultCsv(sheet).substr(3), ',', "\r\n");
    const std::vector<std::vector<std::string>> tsv = ReadSeparated(ResultTsv(sheet), '\t', "\n");
    ASSERT_GT(csv.size(), head.size());
    EXPECT_EQ(std::vector(csv.begin(), csv.begin() + head.size()), head);
    EXPECT_EQ(tsv, csv);

    // The terminal table lists the same rows, its empty cells left out.
    const std::vector<std::vector<std::string>> lines = TableLines(ResultTableText(sheet));
    for (const std::vector<std::string> &row : head) {
        std::vector<std::string> cells;
        for (const std::string &cell : row)
            if (!cell.empty())
                cells.push_back(cell);
        EXPECT_NE(std::find(lines.begin(), lines.end(), cells), lines.end()) << cells[0];
    }

    const std::string json = ResultJson(sheet);
    for (const char *member :
         {"\"design\": \"一次回风夏季设计\",", "\"designKey\": \"primary\",",
          "\"version\": \"2.3.4\",",
          "\"tn\": {\"name\": \"室内设计温度tn\", \"text\": \"２４．５\", \"unit\": \"℃\"},",
          "\"q\": {\"name\": \"室内余热量Q\", \"text\": \"12,5\\\"\", \"unit\": \"kW\"},",
          "\"w\": {\"name\": \"室内余湿量W\", \"text\": \"\", \"unit\": \"g/s\"}\n  },"})
        EXPECT_NE(json.find(member), std::string::npos) << member << json;
}

TEST(AlignedColumns, ChineseCharactersTakeTwoColumns)
{
    const std::string text
        = text_output::AlignedColumns({{"状态点", "t (℃)"}, {"N", "26"}, {"室内冷负荷 Q1", "12"}});
    // Each second cell starts at the same terminal column.
    std::vector<int> starts;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        const std::string line = text.substr(begin, end - begin);
        const std::size_t gap = line.find("  ");
        const std::size_t second = line.find_first_not_of(' ', gap);
        starts.push_back(text_output::DisplayWidth(line.substr(0, second)));
    }
    EXPECT_EQ(starts, (std::vector<int> {15, 15, 15}));
}
