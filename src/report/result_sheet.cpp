#include "report/result_sheet.h"

#include "chart/chart_settings.h"
#include "idchart_version.h"
#include "project/chart_layers.h"
#include "text/blanks.h"
#include "text/number_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr const char *kPressureName = "大气压力 B";
constexpr const char *kDesignName = "设计";
constexpr const char *kVersionName = "程序版本";
constexpr const char *kProgramName = "idchart ";
constexpr const char *kPrecisionName = "绘图精度";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number grammar of JSON (RFC 8259): -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(const std::string &text)
{
    std::size_t k = 0;
    const auto digits = [&] {
        const std::size_t first = k;
        while (k < text.size() && IsDigit(text[k]))
            ++k;
        return k > first;
    };
    if (k < text.size() && text[k] == '-')
        ++k;
    if (k < text.size() && text[k] == '0')
        ++k;
    else if (!digits())
        return false;
    if (k < text.size() && text[k] == '.') {
        ++k;
        if (!digits())
            return false;
    }
    if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        if (!digits())
            return false;
    }
    return k == text.size();
}

// A cell for CSV and TSV: quoted, its quotes doubled, when it holds a
// separator, a quote or a line break.
std::string Quoted(const std::string &cell, char separator)
{
    if (cell.find_first_of(std::string {separator, '"', '\r', '\n'}) == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

template <typename Rows>
std::string Separated(const Rows &rows, char separator, const char *lineEnd)
{
    std::string text;
    for (const auto &row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0)
                text += separator;
            text += Quoted(row[k], separator);
        }
        text += lineEnd;
    }
    return text;
}

// B as a JSON number: the B0 text when it is written as one, otherwise the
// value the pressure prompt accepted it as ("95000pa").
std::string PressureNumber(const std::string &text)
{
    const std::string number = text_output::JsonNumberOrNull(text);
    if (number != "null" || text.empty())
        return number;
    const std::optional<double> value = AcceptedPressure(text);
    return value ? DoubleText(*value) : "null";
}

} // namespace

std::vector<InputText> DesignInputs(DesignKind design,
                                    const std::array<std::string, kSummerParameterCount> &summer,
                                    const std::array<std::string, kWinterParameterCount> &winter)
{
    std::vector<InputText> inputs;
    if (design == DesignKind::PrimaryWinter)
        inputs = InputTextsOf(kWinterParameters, winter);
    const std::vector<InputText> summerInputs = InputTextsOf(kSummerParameters, summer);
    inputs.insert(inputs.end(), summerInputs.begin(), summerInputs.end());
    return inputs;
}

std::vector<ResultSheet::Row> ResultSheet::InputRows() const
{
    std::vector<Row> rows;
    rows.push_back({kDesignName, DesignName(texts.design), "", ""});
    rows.push_back({kVersionName, kProgramName + version, "", ""});
    rows.push_back({"输入参数", "输入值", "单位", ""});
    rows.push_back({kPressureName, pressureText, "Pa", ""});
    for (const InputText &input : inputs)
        rows.push_back({input.name, input.text, input.unit, ""});
    return rows;
}

std::vector<ResultSheet::Row> ResultSheet::StateRows() const
{
    std::vector<Row> rows;
    rows.push_back({"状态点", "t (℃)", "d (g/kg干空气)", "i (kJ/kg干空气)"});
    for (const StateText &state : texts.stateRows)
        rows.push_back({state.name, state.t, state.d, state.i});
    return rows;
}

std::vector<ResultSheet::Row> ResultSheet::QuantityRows() const
{
    std::vector<Row> rows;
    rows.push_back({"项目", "数值", "单位", ""});
    for (const QuantityText &q : texts.quantities)
        if (q.where == QuantityText::Where::Everywhere)
            rows.push_back({q.name, q.value, q.unit, ""});
    rows.push_back({kPrecisionName, precisionText, "℃", ""});
    return rows;
}

std::vector<ResultSheet::Row> ResultSheet::Rows() const
{
    std::vector<Row> rows = InputRows();
    const bool statesLast = texts.statesAfterQuantities;
    for (std::vector<Row> block :
         {statesLast ? QuantityRows() : StateRows(), statesLast ? StateRows() : QuantityRows()})
        rows.insert(rows.end(), block.begin(), block.end());
    return rows;
}

std::string ResultTsv(const ResultSheet &sheet)
{
    return Separated(sheet.Rows(), '\t', "\n");
}

std::string TableTsv(const TableRows &rows)
{
    return Separated(rows, '\t', "\n");
}

std::string TableCsv(const TableRows &rows)
{
    return Separated(rows, ',', "\r\n");
}

std::string ResultCsv(const ResultSheet &sheet)
{
    return "\xEF\xBB\xBF" + Separated(sheet.Rows(), ',', "\r\n");
}

std::string ResultTableText(const ResultSheet &sheet)
{
    // Each block is aligned on its own; the rows of the inputs and the
    // quantities have three cells.
    const auto cells = [](const std::vector<ResultSheet::Row> &rows, std::size_t count) {
        std::vector<std::vector<std::string>> table;
        for (const ResultSheet::Row &row : rows)
            table.emplace_back(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(count));
        return table;
    };
    std::vector<std::vector<std::string>> quantities = cells(sheet.QuantityRows(), 3);
    for (const QuantityText &q : sheet.texts.quantities)
        if (q.where == QuantityText::Where::NotInRows)
            quantities.push_back({q.name, q.value, q.unit});
    // The design and the version stand apart from the inputs' columns.
    std::vector<std::vector<std::string>> inputs = cells(sheet.InputRows(), 3);
    std::vector<std::vector<std::string>> heading;
    for (int k = 0; k < 2; ++k)
        heading.push_back({inputs[k][0], inputs[k][1]});
    inputs.erase(inputs.begin(), inputs.begin() + 2);
    const std::string states = text_output::AlignedColumns(cells(sheet.StateRows(), 4));
    const std::string values = text_output::AlignedColumns(quantities);
    const bool statesLast = sheet.texts.statesAfterQuantities;
    return text_output::AlignedColumns(heading) + text_output::AlignedColumns(inputs) + '\n'
        + (statesLast ? values : states) + '\n' + (statesLast ? states : values);
}

std::string ResultJson(const ResultSheet &sheet)
{
    using text_output::JsonNumberOrNull;
    using text_output::JsonString;
    std::string json = "{\n";
    json += "  \"design\": " + JsonString(DesignName(sheet.texts.design)) + ",\n";
    json += "  \"designKey\": " + JsonString(DesignWord(sheet.texts.design)) + ",\n";
    json += "  \"version\": " + JsonString(sheet.version) + ",\n";
    json += "  \"pressure\": " + PressureNumber(sheet.pressureText) + ",\n";
    json += "  \"pressureText\": " + JsonString(sheet.pressureText) + ",\n";
    json += "  \"inputs\": {";
    for (std::size_t k = 0; k < sheet.inputs.size(); ++k) {
        const InputText &input = sheet.inputs[k];
        json += std::string(k == 0 ? "\n" : ",\n") + "    " + JsonString(input.key)
            + ": {\"name\": " + JsonString(input.name) + ", \"text\": " + JsonString(input.text)
            + ", \"unit\": " + JsonString(input.unit) + "}";
    }
    json += sheet.inputs.empty() ? "},\n" : "\n  },\n";
    json += "  \"precision\": " + JsonNumberOrNull(sheet.precisionText) + ",\n";
    json += "  \"states\": {\n";
    const std::vector<StateText> &states = sheet.texts.stateRows;
    for (std::size_t k = 0; k < states.size(); ++k) {
        json += "    " + JsonString(states[k].key) + ": {\"t\": " + JsonNumberOrNull(states[k].t)
            + ", \"d\": " + JsonNumberOrNull(states[k].d) + ", \"i\": "
            + JsonNumberOrNull(states[k].i) + "}" + (k + 1 < states.size() ? ",\n" : "\n");
    }
    json += "  }";
    for (const QuantityText &q : sheet.texts.quantities) {
        const std::string value = q.boolean ? (q.value == "true" ? "true" : "false")
            : q.textual                     ? (q.value.empty() ? "null" : JsonString(q.value))
                                            : JsonNumberOrNull(q.value);
        json += ",\n  " + JsonString(q.key) + ": " + value;
    }
    const std::string error = sheet.Error();
    if (!error.empty())
        json += ",\n  \"error\": " + JsonString(error);
    json += "\n}\n";
    return json;
}

namespace text_output {

std::string JsonNumberOrNull(const std::string &text)
{
    const std::string trimmed(Trimmed(text));
    return IsJsonNumber(trimmed) ? trimmed : "null";
}

namespace {

    // East Asian wide and full-width characters: CJK, Hangul, the full-width forms.
    bool IsWide(std::uint32_t c)
    {
        return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F)
            || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF)
            || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
            || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
    }

} // namespace

int DisplayWidth(const std::string &text)
{
    int width = 0;
    for (std::size_t k = 0; k < text.size();) {
        const auto lead = static_cast<unsigned char>(text[k]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int j = 1; j < length && k + j < text.size(); ++j)
            c = (c << 6) | (static_cast<unsigned char>(text[k + j]) & 0x3F);
        width += IsWide(c) ? 2 : 1;
        k += length;
    }
    return width;
}

std::string AlignedColumns(const std::vector<std::vector<std::string>> &rows)
{
    std::vector<int> widths;
    for (const auto &row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], DisplayWidth(row[k]));
    }
    std::string text;
    for (const auto &row : rows) {
        std::string line;
        for (std::size_t k = 0; k < row.size(); ++k) {
            line += row[k];
            if (k + 1 < row.size())
                line += std::string(widths[k] - DisplayWidth(row[k]) + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + '\n';
    }
    return text;
}

} // namespace text_output

ResultSheet MakeResultSheet(const Project &project, const DesignTexts &texts)
{
    return {texts, project.chart.BText, SingleText(kCalculationPrecision),
            DesignInputs(project.design, project.summerTexts, project.winterTexts),
            kIdchartVersion};
}

std::string CopiedTsv(const ResultSheet *sheet, const TableRows &points)
{
    std::string tsv = sheet ? ResultTsv(*sheet) : std::string();
    if (!points.empty())
        tsv += (tsv.empty() ? "" : "\n") + TableTsv(points);
    return tsv;
}

std::string ExportedCsv(const ResultSheet *sheet, const TableRows &points)
{
    std::string csv
        = sheet ? ResultCsv(*sheet) + (points.empty() ? "" : "\r\n") : std::string("\xEF\xBB\xBF");
    return csv + TableCsv(points);
}
