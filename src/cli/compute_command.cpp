#include "cli/command.h"
#include "designs/design_outcome.h"
#include "designs/parameter_table.h"
#include "idchart_version.h"
#include "report/result_sheet.h"
#include "text/number_text.h"

#include <array>
#include <string>

namespace {

// The texts the design options held, given or by default, for the table.
std::array<std::string, kSummerParameterCount> OptionTexts(const QCommandLineParser &parser)
{
    std::array<std::string, kSummerParameterCount> texts;
    for (std::size_t k = 0; k < kSummerParameterCount; ++k)
        texts[k] = parser.value(Utf8(kSummerParameters[k].option)).toStdString();
    return texts;
}

QList<QCommandLineOption> ComputeOptions()
{
    return QList<QCommandLineOption> {PressureOption(), DesignOption()} + DesignOptions()
        + QList<QCommandLineOption> {FormatOption()};
}

CommandOutput RunCompute(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError(Utf8("多余的参数：") + parser.positionalArguments().constFirst());
    Pressure pressure;
    DesignParameters parameters;
    OutputFormat format = OutputFormat::Table;
    if (auto refused = ReadPressure(parser, pressure))
        return *refused;
    if (auto refused = ReadDesignOptions(parser, parameters))
        return *refused;
    if (auto refused = ReadFormat(parser, format))
        return *refused;
    DesignKind design = DesignKind::PrimarySummer;
    if (auto refused = ReadDesign(parser, design))
        return *refused;

    const WinterParameters winter;
    const DesignRequest request {design, parameters, winter};
    // 计算并描点 draws its chart at precision 1, and the sheet says so.
    // The sheet names its inputs as given, the design and this program's version.
    const ResultSheet sheet {DesignTextsOf(ComputeDesign(request, pressure.B)), pressure.text,
                             SingleText(1.0f), InputTextsOf(kSummerParameters, OptionTexts(parser)),
                             kIdchartVersion};
    const std::string error = sheet.Error();

    CommandOutput output;
    switch (format) {
    case OutputFormat::Table:
        output.out = ResultTableText(sheet);
        break;
    case OutputFormat::Json:
        output.out = ResultJson(sheet);
        break;
    case OutputFormat::Csv:
        output.out = ResultCsv(sheet);
        break;
    }
    if (!error.empty()) {
        output.status = exit_status::kStopped;
        output.err += error + '\n';
    }
    return output;
}

} // namespace

const Command &ComputeCommand()
{
    static const Command command {
        "compute",
        "一次回风计算：五个状态点、送风量、热湿比、冷负荷与系统冷量",
        "[选项…]",
        "按“计算并描点”的同一计算，求室内状态点N、室外状态点W、混合状态点C、送风状态点O与"
        "机器露点L，以及两个送风量、热湿比ε、室内冷负荷Q1、新风冷负荷Q2、再热量与系统冷量，"
        "每个数值与主窗口结果框中的文字相同。输出先列出设计名称、程序版本、大气压力与各参数的"
        "原文及单位，说明结果由哪些输入得出。湿球温度高于干球温度、相对湿度高于100%或新风百分比"
        "不在0至100%"
        "之间时不作计算，说明原因后以状态1退出。各参数须是一个完整的十进制数（可带正负号、小数点"
        "与指数，也可用全角数字），"
        "默认值为对话框的初始值。计算中止时，原因写在标准错误输出上，已算出的数值照常输出，"
        "其余为空（json 中为 null，并有 \"error\" 成员）。json 中“余湿量为0”写作 "
        "\"supplyFlowByMoisture\": null 与 \"noResidualMoisture\": true。"
        "--design secondary 按“二次回风”的计算，求N、W、O、机器露点L与一次混合状态点C1，"
        "以及总送风量G、表冷器风量G_L、一次回风量G1、二次回风量G2、新风量Gw、表冷器冷量Q0、"
        "与一次回风相比节省的冷量ΔQ与比例η、机器露点温度t_L和热湿比ε，参数与一次回风相同。",
        ComputeOptions,
        RunCompute};
    return command;
}
