#include "cli/command.h"
#include "cli/strict_number.h"
#include "psychro/arithmetic_fault.h"
#include "readout/pointer_readout.h"
#include "readout/state_lookup.h"
#include "report/result_sheet.h"
#include "text/fault_message.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <optional>

namespace {

using namespace state_lookup;

// The printed quantities in their order: t, d, i, φ, Pq, Pqb.
struct Printed {
    Cell cell;
    const char *heading;
    const char *key;
};
constexpr Printed kPrinted[kCellCount] = {
    {kT, "干球温度 t (℃)", "t"},         {kD, "含湿量 d (g/kg干空气)", "d"},
    {kI, "焓 i (kJ/kg干空气)", "i"},     {kPhi, "相对湿度 φ (%)", "phi"},
    {kPq, "水蒸气分压力 Pq (Pa)", "Pq"}, {kPqb, "饱和水蒸气分压力 Pqb (Pa)", "Pqb"},
};

QList<QCommandLineOption> StateOptions()
{
    const QString value = QStringLiteral("x");
    return {QCommandLineOption(QStringLiteral("t"), Utf8("干球温度 t，℃"), value),
            QCommandLineOption(QStringLiteral("phi"), Utf8("相对湿度 φ，%（与 --t 同用）"), value),
            QCommandLineOption(QStringLiteral("d"), Utf8("含湿量 d，g/kg干空气"), value),
            QCommandLineOption(QStringLiteral("i"), Utf8("焓 i，kJ/kg干空气"), value),
            QCommandLineOption(
                QStringLiteral("ts"),
                Utf8("湿球温度 ts，℃（与 --t 同用；按求室外状态点W的同一湿球温度线）"), value),
            PressureOption(),
            FormatOption()};
}

// Reads a property as a whole number, in single precision.
std::optional<float> ReadValue(const QCommandLineParser &parser, const char *name,
                               std::optional<CommandOutput> &refused)
{
    if (!parser.isSet(Utf8(name)))
        return std::nullopt;
    const std::string text = parser.value(Utf8(name)).toStdString();
    const std::optional<double> value = StrictNumber(text);
    if (!value) {
        refused = NotANumber(Utf8(name), QString::fromStdString(text));
        return std::nullopt;
    }
    try {
        return CheckedSingle(*value, FaultCause::TypedNumber);
    } catch (const ArithmeticFault &) {
        refused = UsageError(Utf8("选项 --") + Utf8(name) + Utf8(" 的值“")
                             + QString::fromStdString(text) + Utf8("”超出数值范围"));
        return std::nullopt;
    }
}

std::string Output(const StateCells &cells, double B, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Table: {
        std::vector<std::vector<std::string>> rows;
        for (const Printed &p : kPrinted)
            rows.push_back({p.heading, cells[p.cell]});
        rows.push_back({"大气压力 B (Pa)", DoubleText(B)});
        return text_output::AlignedColumns(rows);
    }
    case OutputFormat::Csv: {
        std::string headings = "\xEF\xBB\xBF";
        std::string values;
        for (const Printed &p : kPrinted) {
            headings += std::string(p.heading) + ',';
            values += cells[p.cell] + ',';
        }
        return headings + "大气压力 B (Pa)\r\n" + values + DoubleText(B) + "\r\n";
    }
    case OutputFormat::Json: {
        std::string json = "{\"pressure\": " + DoubleText(B);
        std::string outOfRange;
        for (const Printed &p : kPrinted) {
            json += std::string(", \"") + p.key
                + "\": " + text_output::JsonNumberOrNull(cells[p.cell]);
            if (cells[p.cell] == kOutOfRangeText)
                outOfRange += std::string(outOfRange.empty() ? "" : ", ") + '"' + p.key + '"';
        }
        return json + ", \"outOfRange\": [" + outOfRange + "]}\n";
    }
    }
    return {};
}

CommandOutput RunState(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError(Utf8("多余的参数：") + parser.positionalArguments().constFirst());
    std::optional<CommandOutput> refused;
    const std::optional<float> t = ReadValue(parser, "t", refused);
    const std::optional<float> phi = ReadValue(parser, "phi", refused);
    const std::optional<float> d = ReadValue(parser, "d", refused);
    const std::optional<float> i = ReadValue(parser, "i", refused);
    const std::optional<float> ts = ReadValue(parser, "ts", refused);
    if (refused)
        return *refused;
    Pressure pressure;
    OutputFormat format = OutputFormat::Table;
    if (auto wrong = ReadPressure(parser, pressure))
        return *wrong;
    if (auto wrong = ReadFormat(parser, format))
        return *wrong;

    const int seconds
        = int(phi.has_value()) + int(d.has_value()) + int(i.has_value()) + int(ts.has_value());
    const bool byTemperature = t && seconds == 1;
    const bool byPoint = !t && d && i && seconds == 2;
    if (!byTemperature && !byPoint)
        return UsageError(Utf8("需要 --t 与 --phi、--d、--i、--ts 中的一个，或者 --d 与 --i"));

    const double B = pressure.B;
    StateCells cells;
    try {
        if (byPoint)
            cells = StateAtPoint(B, *d, *i);
        else if (phi)
            cells = StateAtTemperature(B, *t, SecondProperty::RelativeHumidity, *phi);
        else if (d)
            cells = StateAtTemperature(B, *t, SecondProperty::Moisture, *d);
        else if (i)
            cells = StateAtTemperature(B, *t, SecondProperty::Enthalpy, *i);
        else
            cells = StateAtTemperature(B, *t, SecondProperty::WetBulb, *ts);
    } catch (const ArithmeticFault &fault) {
        const std::string message = fault.cause() == FaultCause::MoistureFromVapourPressure
            ? std::string(kVapourPressure)
            : FaultMessage("计算湿空气状态", fault);
        CommandOutput output {exit_status::kStopped, {}, message + '\n'};
        if (format == OutputFormat::Json)
            output.out = "{\"pressure\": " + DoubleText(B)
                + ", \"error\": " + text_output::JsonString(message) + "}\n";
        return output;
    }
    return {exit_status::kSuccess, Output(cells, B, format), {}};
}

} // namespace

const Command &StateCommand()
{
    static const Command command {
        "state",
        "一个湿空气状态点的 t、d、i、φ、水蒸气分压力与饱和水蒸气分压力",
        "--t t (--phi φ | --d d | --i i | --ts ts) [选项…]\n"
        "   或：idchart state --d d --i i [选项…]",
        "用焓湿图所用的同一组湿空气性质公式，在大气压力 B 下求一个状态点的干球温度 t、含湿量 d、"
        "焓 i、相对湿度 φ、水蒸气分压力 Pq 与饱和水蒸气分压力 Pqb。按 d 与 i 求得的数值与指针在"
        "焓湿图上同一点时读数栏显示的文字相同；超过饱和时 φ 显示“超范围”（json 中为 null，"
        "并列在 \"outOfRange\" 中）。",
        StateOptions,
        RunState};
    return command;
}
