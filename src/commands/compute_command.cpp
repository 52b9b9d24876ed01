#include "commands/command.h"
#include "commands/whole_file.h"
#include "designs/design_outcome.h"
#include "designs/parameter_table.h"
#include "idchart_version.h"
#include "project/project_file.h"
#include "report/result_sheet.h"
#include "text/number_text.h"

#include <string>
#include <vector>

namespace {

std::vector<CommandOption> ComputeOptions()
{
    std::vector<CommandOption> options {ProjectOption(), DesignKindOption(), PressureOption()};
    for (std::vector<CommandOption> more : {DesignOptions(), WinterOptions()})
        options.insert(options.end(), more.begin(), more.end());
    options.push_back(FormatOption());
    options.push_back(
        {{"save-project"}, "把选项所给的项目（大气压力、设计与各参数）写入项目文件", "FILE", {}});
    return options;
}

CommandOutput RunCompute(const ParsedOptions &options)
{
    if (!options.Positional().empty())
        return UsageError("多余的参数：" + options.Positional().front());
    Project project;
    if (auto refused = ReadCalculationOptions(options, project))
        return *refused;
    OutputFormat format = OutputFormat::Table;
    if (auto refused = ReadFormat(options, format))
        return *refused;

    // 计算并描点 draws its chart at precision 1, and the sheet says so.
    // The sheet names its inputs as given, the design and this program's version.
    const DesignOutcome outcome = ComputeDesign(project.Request(), project.chart.B);
    const ResultSheet sheet {DesignTextsOf(outcome), project.chart.BText, SingleText(1.0f),
                             DesignInputs(project.design, project.summerTexts, project.winterTexts),
                             kIdchartVersion};
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
    TellOutcome(outcome, output);
    if (options.IsSet("save-project")) {
        const std::string failure
            = whole_file::Write(options.Value("save-project"),
                                ProjectJson(project, std::string("idchart ") + kIdchartVersion));
        if (!failure.empty()) {
            output.status = exit_status::kWriteFailed;
            output.err += "idchart: " + failure + '\n';
        }
    }
    return output;
}

} // namespace
const Command &ComputeCommand()
{
    static const Command command {
        "compute",
        "设计计算：一次回风夏季（默认）、二次回风夏季或一次回风冬季",
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
        "与一次回风相比节省的冷量ΔQ与比例η、机器露点温度t_L和热湿比ε，参数与一次回风相同。"
        "--design winter 计算一次回风冬季设计：送风量G取自夏季参数（--tn 至 --w），"
        "冬季参数为 --winter-tn 至 --winter-phil 与 --humidifier，求冬季室内状态点N'、"
        "室外状态点W'、混合状态点C'、送风状态点O'、机器露点L'（或加湿终状态点E、"
        "蒸汽加热终状态点M2）与预热后状态点M，以及热湿比ε'、送风温度to'、预热量、再热量、"
        "加热量合计与加湿量；混合点落在雾区时，提示写在标准错误输出上，计算照常进行。",
        ComputeOptions,
        RunCompute};
    return command;
}
