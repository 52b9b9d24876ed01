#include "process/result_sheet.h"

#include "chart/chart_state.h"
#include "process/process_plot.h"
#include "process/process_state.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "ui/number_text.h"

#include <algorithm>
#include <cstdint>
#include <regex>

namespace {

using State = ResultSheet::State;

constexpr const char *kStateNames[ResultSheet::kStateCount]
    = {"室内状态点 N", "室外状态点 W", "混合状态点 C", "送风状态点 O", "机器露点 L"};
constexpr const char *kStateKeys[ResultSheet::kStateCount] = {"N", "W", "C", "O", "L"};
constexpr StateBox kMoistureBoxes[ResultSheet::kStateCount]
    = {StateBox::d_n, StateBox::d_w, StateBox::d_c, StateBox::d_o, StateBox::d_L};
constexpr StateBox kEnthalpyBoxes[ResultSheet::kStateCount]
    = {StateBox::i_n, StateBox::i_w, StateBox::i_c, StateBox::i_o, StateBox::i_L};

// The quantities after the states: name as the result panel heads it, unit,
// JSON key.
struct Quantity {
    ResultBox box;
    const char *name;
    const char *unit;
    const char *key;
};
constexpr Quantity kQuantities[kResultBoxCount] = {
    {ResultBox::SupplyFlowByHeat, "根据余热量确定的送风量", "kg/s", "supplyFlowByHeat"},
    {ResultBox::SupplyFlowByMoisture, "根据余湿量确定的送风量", "kg/s", "supplyFlowByMoisture"},
    {ResultBox::HeatMoistureRatio, "热湿比ε", "kJ/kg", "heatMoistureRatio"},
    {ResultBox::Q1, "室内冷负荷 Q1", "kW", "Q1"},
    {ResultBox::Q2, "新风冷负荷 Q2", "kW", "Q2"},
    {ResultBox::Reheat, "再热量", "kW", "reheat"},
    {ResultBox::SystemCooling, "系统冷量", "kW", "systemCooling"},
};

constexpr const char *kPressureName = "大气压力 B";
constexpr const char *kPrecisionName = "绘图精度";
constexpr const char *kEvaluationsName = "机器露点搜索的温度个数";

int StateIndex(State state)
{
    return static_cast<int>(state);
}

// The temperature the calculation used for a state, as single-precision text;
// C has none of its own and gets the chart's temperature at (d, i).
std::string TemperatureText(const ProcessState &s, State state)
{
    switch (state) {
    case State::N:
        return SingleText(static_cast<float>(s.tn));
    case State::W:
        return SingleText(static_cast<float>(s.tw));
    case State::O:
        return SingleText(static_cast<float>(s.t_o));
    case State::L:
        return SingleText(static_cast<float>(s.t_L));
    case State::C:
        try {
            return SingleText(moist_air::TemperatureFromMoistureEnthalpy(s.d_c, s.i_c));
        } catch (const ArithmeticFault &) {
            return {};
        }
    }
    return {};
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

std::string Separated(const ResultSheet &sheet, char separator, const char *lineEnd)
{
    std::string text;
    for (const ResultSheet::Row &row : sheet.Rows()) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0)
                text += separator;
            text += Quoted(row[k], separator);
        }
        text += lineEnd;
    }
    return text;
}

std::string Trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
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

void ResultSheet::SetReadoutCell(int index, const std::string &text)
{
    if (boxes_)
        boxes_->SetReadoutCell(index, text);
}

void ResultSheet::SetResultBox(ResultBox box, const std::string &text)
{
    results_[Index(box)] = text;
    if (boxes_)
        boxes_->SetResultBox(box, text);
}

void ResultSheet::SetStateBox(StateBox box, const std::string &text)
{
    states_[Index(box)] = text;
    if (boxes_)
        boxes_->SetStateBox(box, text);
}

void ResultSheet::Finish(const ProcessState &state)
{
    boxes_ = nullptr;
    for (int k = 0; k < kStateCount; ++k) {
        const auto s = static_cast<State>(k);
        temperatures_[k] = Moisture(s).empty() ? std::string() : TemperatureText(state, s);
    }
    // The scan runs once O is known; without a count it stopped on a fault.
    const bool scanned = !Moisture(State::O).empty() && state.dewPointEvaluations > 0;
    evaluations_ = scanned ? std::to_string(state.dewPointEvaluations) : std::string();
}

const std::string &ResultSheet::Moisture(State state) const
{
    return Text(kMoistureBoxes[StateIndex(state)]);
}

const std::string &ResultSheet::Enthalpy(State state) const
{
    return Text(kEnthalpyBoxes[StateIndex(state)]);
}

bool ResultSheet::NoResidualMoisture() const
{
    return Text(ResultBox::SupplyFlowByMoisture) == process_texts::kNoResidualMoisture;
}

std::vector<ResultSheet::Row> ResultSheet::Rows() const
{
    std::vector<Row> rows;
    rows.push_back({"状态点", "t (℃)", "d (g/kg干空气)", "i (kJ/kg干空气)"});
    for (int k = 0; k < kStateCount; ++k) {
        const auto s = static_cast<State>(k);
        rows.push_back({kStateNames[k], Temperature(s), Moisture(s), Enthalpy(s)});
    }
    rows.push_back({"项目", "数值", "单位", ""});
    for (const Quantity &q : kQuantities)
        rows.push_back({q.name, Text(q.box), q.unit, ""});
    rows.push_back({kPressureName, Text(StateBox::B0), "Pa", ""});
    rows.push_back({kPrecisionName, Text(StateBox::Precision), "℃", ""});
    return rows;
}

std::string ResultTsv(const ResultSheet &sheet)
{
    return Separated(sheet, '\t', "\n");
}

std::string ResultCsv(const ResultSheet &sheet)
{
    return "\xEF\xBB\xBF" + Separated(sheet, ',', "\r\n");
}

std::string ResultTableText(const ResultSheet &sheet)
{
    // The states and the quantities are aligned each on their own.
    const std::vector<ResultSheet::Row> rows = sheet.Rows();
    std::vector<std::vector<std::string>> states, quantities;
    for (std::size_t k = 0; k < rows.size(); ++k)
        (k <= ResultSheet::kStateCount ? states : quantities)
            .emplace_back(rows[k].begin(), rows[k].end() - (k <= ResultSheet::kStateCount ? 0 : 1));
    quantities.push_back({kEvaluationsName, sheet.DewPointEvaluations(), ""});
    return text_output::AlignedColumns(states) + '\n' + text_output::AlignedColumns(quantities);
}

std::string ResultJson(const ResultSheet &sheet, const std::string &error)
{
    using text_output::JsonNumberOrNull;
    using text_output::JsonString;
    std::string json = "{\n";
    json += "  \"pressure\": " + PressureNumber(sheet.Text(StateBox::B0)) + ",\n";
    json += "  \"pressureText\": " + JsonString(sheet.Text(StateBox::B0)) + ",\n";
    json += "  \"precision\": " + JsonNumberOrNull(sheet.Text(StateBox::Precision)) + ",\n";
    json += "  \"states\": {\n";
    for (int k = 0; k < ResultSheet::kStateCount; ++k) {
        const auto s = static_cast<State>(k);
        json += std::string("    \"") + kStateKeys[k]
            + "\": {\"t\": " + JsonNumberOrNull(sheet.Temperature(s))
            + ", \"d\": " + JsonNumberOrNull(sheet.Moisture(s))
            + ", \"i\": " + JsonNumberOrNull(sheet.Enthalpy(s)) + "}"
            + (k + 1 < ResultSheet::kStateCount ? ",\n" : "\n");
    }
    json += "  },\n";
    for (const Quantity &q : kQuantities) {
        json += std::string("  \"") + q.key + "\": " + JsonNumberOrNull(sheet.Text(q.box)) + ",\n";
        if (q.box == ResultBox::SupplyFlowByMoisture)
            json += std::string("  \"noResidualMoisture\": ")
                + (sheet.NoResidualMoisture() ? "true" : "false") + ",\n";
    }
    json += "  \"dewPointEvaluations\": " + JsonNumberOrNull(sheet.DewPointEvaluations());
    if (!error.empty())
        json += ",\n  \"error\": " + JsonString(error);
    json += "\n}\n";
    return json;
}

namespace text_output {

std::string JsonNumberOrNull(const std::string &text)
{
    // The number grammar of JSON (RFC 8259).
    static const std::regex number(R"(-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?)");
    const std::string trimmed = Trimmed(text);
    return std::regex_match(trimmed, number) ? trimmed : "null";
}

std::string JsonString(const std::string &text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xF];
        } else {
            json += c;
        }
    }
    return json + '"';
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
