#include "report/calculation_sheet.h"
#include "text/html_text.h"

#include "designs/parameter_table.h"
#include "idchart_version.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/number_text.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <type_traits>

namespace {

template <typename Record, std::size_t N>
void AddInputs(std::vector<SheetInput> &inputs, const std::array<ParameterRow<Record>, N> &table,
               const Record &record, const std::array<std::string, N> &typed)
{
    for (std::size_t k = 0; k < N; ++k) {
        const ParameterRow<Record> &row = table[k];
        std::string value = typed[k];
        if (value.empty()) {
            if (row.asChoice)
                value = row.choiceTexts[static_cast<std::size_t>(record.*row.asChoice)];
            else if (row.asSingle)
                value = SingleText(record.*row.asSingle);
            else
                value = DoubleText(record.*row.asDouble);
        }
        inputs.push_back({row.symbol, row.sheetName, value, row.unit});
    }
}

// The relative humidity the calculation kept for a state, as a fraction
// with three decimals.
std::string HumidityText(const FoundState &state)
{
    if (!state.phi)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(*state.phi));
    return text;
}

const std::vector<FoundState> &StatesOf(const DesignOutcome &outcome)
{
    return std::visit([](const auto &o) -> const std::vector<FoundState> & { return o.states; },
                      outcome);
}

// ---- HTML ---------------------------------------------------------------------------------

bool IsSubscriptChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '\'';
}

// Escapes a text and writes what follows an underscore (letters, digits and
// a prime) as a subscript: "P_qb(t_n)" → P<sub>qb</sub>(t<sub>n</sub>).
std::string Marked(const std::string &text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '_' && k + 1 < text.size() && IsSubscriptChar(text[k + 1])) {
            std::size_t end = k + 1;
            while (end < text.size() && IsSubscriptChar(text[end]))
                ++end;
            out += "<sub>" + HtmlEscaped(text.substr(k + 1, end - k - 1)) + "</sub>";
            k = end - 1;
        } else {
            out += HtmlEscaped(std::string(1, text[k]));
        }
    }
    return out;
}

constexpr const char *kFontFamily
    = "'宋体', SimSun, 'AR PL UMing CN', 'Noto Serif CJK SC', 'Noto Sans CJK SC', serif";

std::string Cell(const std::string &text, const char *tag = "td")
{
    return std::string("<") + tag + ">" + text + "</" + tag + ">";
}

std::string TableStart()
{
    return "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n";
}

std::string Base64(const std::string &bytes)
{
    static const char *digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t k = 0;
    for (; k + 2 < bytes.size(); k += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[k]) << 16
            | static_cast<unsigned char>(bytes[k + 1]) << 8
            | static_cast<unsigned char>(bytes[k + 2]);
        out += digits[v >> 18 & 63];
        out += digits[v >> 12 & 63];
        out += digits[v >> 6 & 63];
        out += digits[v & 63];
    }
    if (k < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[k]) << 16;
        if (k + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[k + 1]) << 8;
        out += digits[v >> 18 & 63];
        out += digits[v >> 12 & 63];
        out += k + 1 < bytes.size() ? digits[v >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

// The step as one line: "formula = substituted = result unit".
std::string StepLine(const SheetStep &step)
{
    std::string line;
    if (!step.formula.empty())
        line += Marked(step.formula);
    if (!step.substituted.empty())
        line += " = " + Marked(step.substituted);
    if (!step.result.empty()) {
        if (!line.empty())
            line += " = ";
        line += "<b>" + HtmlEscaped(step.result) + "</b>";
        if (!step.unit.empty())
            line += " " + HtmlEscaped(step.unit);
    }
    return line;
}

// How the numbers of the sheet are written, on its first page.
constexpr const char *kNumbersNote
    = "数的写法：第 3 节的每一步写作“公式 = 代入的数 = 结果”，用计算器按印出的数重算，"
      "得数与印出的结果之差不超过结果末位的半个单位。代入的数是计算实际使用的值：以单精度保存的量"
      "（相对湿度 φ、新风比 s、余湿量 W、输入的温度，各状态点的 t、d、i 及由它们算出的量）"
      "写 9 位有效数字（例如 30% 保存为 0.300000012），双精度的量写至多 15 位；两个相近的数相减时，"
      "代入的数多写几位，使差保留有效数字。结果写到印出的数所能确定的位数（单精度至多 7 位、"
      "双精度至多 15 位有效数字，末尾的 0 照写）。第 4 "
      "节计算结果表中的数值与程序结果框中的文字相同。";

enum class Chart { Image, NextPage };

std::string Image(const char *alt, const std::string &svg)
{
    return std::string("<p class=\"figure\"><img alt=\"") + alt
        + "\" style=\"width:100%;max-width:1200px\" src=\"data:image/svg+xml;base64," + Base64(svg)
        + "\"></p>\n";
}

std::string Body(const CalculationSheet &sheet, Chart chart, const std::string &chartSvg,
                 const std::string &regionSvg)
{
    std::string html;
    html += "<h1>" + HtmlEscaped(sheet.title) + "</h1>\n";
    html += "<p class=\"meta\">日期：" + HtmlEscaped(sheet.date) + "　　程序："
        + HtmlEscaped(sheet.program) + "</p>\n";
    html += std::string("<p class=\"note\">") + kNumbersNote + "</p>\n";
    if (sheet.stop)
        html += "<p class=\"stop\"><b>计算中止：</b>" + HtmlEscaped(*sheet.stop)
            + "（见第 5 节）</p>\n";

    html += "<h2>1　设计参数</h2>\n" + TableStart();
    html += "<thead><tr>" + Cell("符号", "th") + Cell("名称", "th") + Cell("数值", "th")
        + Cell("单位", "th") + "</tr></thead>\n";
    for (const SheetInput &input : sheet.inputs)
        html += "<tr>" + Cell(Marked(input.symbol)) + Cell(HtmlEscaped(input.name))
            + Cell(HtmlEscaped(input.value)) + Cell(HtmlEscaped(input.unit)) + "</tr>\n";
    html += "</table>\n";

    html += "<h2>2　状态点</h2>\n" + TableStart();
    html += "<thead><tr>" + Cell("状态点", "th") + Cell("t (℃)", "th") + Cell("φ", "th")
        + Cell("d (g/kg)", "th") + Cell("i (kJ/kg)", "th") + "</tr></thead>\n";
    for (const SheetState &state : sheet.states)
        html += "<tr>" + Cell(HtmlEscaped(state.name)) + Cell(HtmlEscaped(state.t))
            + Cell(HtmlEscaped(state.phi)) + Cell(HtmlEscaped(state.d)) + Cell(HtmlEscaped(state.i))
            + "</tr>\n";
    html += "</table>\n<p class=\"note\">t、d、i 为计算所得（与结果框中的文字相同）；"
            "φ 为焓湿图在该点的读数。</p>\n";

    html += "<h2>3　计算过程</h2>\n";
    std::string section;
    int sectionNumber = 0;
    for (const SheetStep &step : sheet.steps) {
        if (step.section != section) {
            section = step.section;
            html += "<h3>3." + std::to_string(++sectionNumber) + "　" + HtmlEscaped(section)
                + "</h3>\n";
        }
        html += "<p class=\"step\">" + HtmlEscaped(step.what) + "：";
        if (!step.words.empty())
            html += Marked(step.words);
        const std::string line = StepLine(step);
        if (!line.empty())
            html += (step.words.empty() ? "" : "<br>") + line;
        html += "</p>\n";
    }
    if (sheet.steps.empty())
        html += "<p>（计算在取用设计参数时中止，没有完成的计算步骤。）</p>\n";

    html += "<h2>4　计算结果</h2>\n" + TableStart();
    html += "<thead><tr>" + Cell("名称", "th") + Cell("数值", "th") + Cell("单位", "th")
        + "</tr></thead>\n";
    for (const SheetResult &result : sheet.results)
        html += "<tr>" + Cell(HtmlEscaped(result.name)) + Cell(HtmlEscaped(result.value))
            + Cell(HtmlEscaped(result.unit)) + "</tr>\n";
    html += "</table>\n";

    // Why the calculation stopped, before the chart, which the PDF prints
    // on pages of its own after the text.
    if (sheet.stop) {
        html += "<h2>5　计算中止</h2>\n<p class=\"stop\">" + HtmlEscaped(*sheet.stop) + "</p>\n";
        html += "<p>第 3 节列出了中止前已完成的计算步骤";
        if (!sheet.steps.empty())
            html += "，最后一步为“" + HtmlEscaped(sheet.steps.back().section) + "”的"
                + HtmlEscaped(sheet.steps.back().what);
        html += "；计算结果表中未算出的数值为空。</p>\n";
    }
    if (chart == Chart::Image) {
        html += "<h2>" + SheetChartHeading(sheet) + "</h2>\n";
        if (!regionSvg.empty())
            html += "<h3>过程线所在区域（放大）</h3>\n" + Image("过程线所在区域", regionSvg);
        if (!chartSvg.empty())
            html += "<h3>全图</h3>\n" + Image("焓湿图", chartSvg);
        if (chartSvg.empty() && regionSvg.empty())
            html += "<p>（无图）</p>\n";
    }

    return html;
}

} // namespace

const char *SheetTitle(DesignKind design)
{
    switch (design) {
    case DesignKind::PrimarySummer:
        return "一次回风系统夏季空调设计计算书";
    case DesignKind::SecondarySummer:
        return "二次回风系统夏季空调设计计算书";
    case DesignKind::PrimaryWinter:
        return "一次回风系统冬季空调设计计算书";
    }
    return "空调设计计算书";
}

std::string TodayText()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local {};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

CalculationSheet MakeCalculationSheet(const Project &project, const DesignOutcome &outcome)
{
    const DesignTexts texts = DesignTextsOf(outcome);
    CalculationSheet sheet;
    sheet.title = SheetTitle(texts.design);
    sheet.program = std::string("idchart ") + kIdchartVersion;

    sheet.inputs.push_back({"B", "大气压力", project.chart.BText, "Pa"});
    if (texts.design == DesignKind::PrimaryWinter)
        AddInputs(sheet.inputs, kWinterParameters, project.winter, project.winterTexts);
    // Every design reads the summer record; the winter design takes its supply flow from it.
    AddInputs(sheet.inputs, kSummerParameters, project.summer, project.summerTexts);

    const std::vector<FoundState> &found = StatesOf(outcome);
    for (const StateText &row : texts.stateRows) {
        SheetState state {row.key, row.name, row.t, {}, row.d, row.i};
        for (const FoundState &f : found)
            if (row.key == StateLetter(f.name))
                state.phi = HumidityText(f);
        sheet.states.push_back(state);
    }

    sheet.steps = std::visit([&](const auto &o) { return StepsOf(o, project.chart.B); }, outcome);

    for (const QuantityText &q : texts.quantities) {
        // The count of temperatures the machine-dew-point search examined is
        // listed only where a search ran.
        const bool noSearch = q.key == "dewPointEvaluations" && q.value.empty();
        if (q.where != QuantityText::Where::JsonOnly && !q.boolean && !noSearch)
            sheet.results.push_back({q.name, q.value, q.unit});
    }
    if (texts.stop)
        sheet.stop = texts.stop->message;
    sheet.outcome = outcome;
    sheet.B = project.chart.B;
    sheet.style = project.chart.style;
    return sheet;
}

std::string CalculationSheetHtml(const CalculationSheet &sheet, const std::string &chartSvg,
                                 const std::string &regionSvg)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>"
        + HtmlEscaped(sheet.title) + "</title>\n<style>\n";
    html += std::string("body { font-family: ") + kFontFamily
        + "; font-size: 10.5pt; max-width: 60em; margin: 2em auto; }\n"
          "h1 { text-align: center; font-size: 18pt; }\n"
          "p.meta { text-align: center; }\n"
          "h2 { font-size: 14pt; margin-top: 1.2em; }\n"
          "h3 { font-size: 12pt; }\n"
          "table { border-collapse: collapse; }\n"
          "th, td { border: 1px solid #000; padding: 2px 8px; }\n"
          "th { background: #eee; }\n"
          "p.stop { color: #c00000; }\n"
          "p.note { font-size: 9pt; }\n"
          "@media print {\n"
          "  body { max-width: none; margin: 0; }\n"
          "  h1, h2, h3 { break-after: avoid; page-break-after: avoid; }\n"
          "  tr, p.step, p.figure, img { break-inside: avoid; page-break-inside: avoid; }\n"
          "  thead { display: table-header-group; }\n"
          "  p { orphans: 3; widows: 3; }\n"
          "}\n"
          "</style>\n</head>\n<body>\n";
    html += Body(sheet, Chart::Image, chartSvg, regionSvg);
    html += "</body>\n</html>\n";
    return html;
}

std::string CalculationSheetPrintHtml(const CalculationSheet &sheet)
{
    std::string html = "<html><head><meta charset=\"utf-8\"><style>\n";
    html += std::string("body { font-family: ") + kFontFamily
        + "; font-size: 10.5pt; }\n"
          "h1 { text-align: center; font-size: 18pt; }\n"
          "p.meta { text-align: center; }\n"
          "h2 { font-size: 14pt; }\n"
          "h3 { font-size: 11.5pt; }\n"
          "table { border-collapse: collapse; }\n"
          "th { background-color: #eeeeee; }\n"
          "p.stop { color: #c00000; }\n"
          "p.note { font-size: 9pt; }\n"
          "</style></head><body>\n";
    html += Body(sheet, Chart::NextPage, {}, {});
    html += "</body></html>\n";
    return html;
}

std::string SheetChartHeading(const CalculationSheet &sheet)
{
    return sheet.stop ? "6　焓湿图" : "5　焓湿图";
}
