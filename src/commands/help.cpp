#include "commands/help.h"
#include "text/html_text.h"

#include "commands/command_line.h"
#include "designs/parameter_table.h"
#include "text/captions.h"
#include "text/number_text.h"

#include <string>

namespace {

std::string Row(const std::string &a, const std::string &b, const std::string &c = {})
{
    return "<tr><td>" + HtmlEscaped(a) + "</td><td>" + HtmlEscaped(b) + "</td>"
        + (c.empty() ? "" : "<td>" + HtmlEscaped(c) + "</td>") + "</tr>\n";
}

// The values an input takes, as its dialog checks them.
std::string RangeText(const PlausibleRange &range, const char *unit)
{
    const std::string u = *unit ? std::string(" ") + unit : std::string();
    if (range.lowest < -1e299)
        return {};
    return (range.lowestExcluded ? "大于 " : "") + DoubleText(range.lowest) + u + " 至 "
        + DoubleText(range.highest) + u;
}

template <typename Record, std::size_t N>
std::string InputsTable(const std::array<ParameterRow<Record>, N> &table)
{
    std::string html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
                       "<tr><th>输入</th><th>单位</th><th>可取的值</th><th>初始值</th></tr>\n";
    for (const ParameterRow<Record> &row : table) {
        std::string values = row.asChoice
            ? std::string(row.choiceTexts[0]) + " 或 " + row.choiceTexts[1]
            : RangeText(row.range, row.unit);
        html += "<tr><td>" + HtmlEscaped(ParameterName(row.caption)) + "</td><td>"
            + HtmlEscaped(row.unit) + "</td><td>" + HtmlEscaped(values) + "</td><td>"
            + HtmlEscaped(row.startText) + "</td></tr>\n";
    }
    return html + "</table>\n";
}

} // namespace

std::string HelpHtml()
{
    const auto &b = captions::kMainButtons;
    std::string html = "<html><head><meta charset=\"utf-8\"><title>帮助</title></head><body>\n";
    html += "<h2>焓湿图 — 帮助</h2>\n"
            "<p>本程序按当地大气压力绘制湿空气的焓湿图（i-d 图），显示鼠标所指状态点的参数，"
            "并进行一次回风、二次回风系统的夏季设计计算和一次回风系统的冬季设计计算："
            "求出各状态点、机器露点、风量与冷热负荷，描在图上并列在图旁。</p>\n";

    html += "<h3>按钮</h3>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
    html += Row(b[0],
                "先后询问当地大气压力（90000 至 120000 Pa，可带单位 pa 或 帕）与绘图精度"
                "（曲线的温度步长，℃；默认 0.05），然后绘制焓湿图。");
    html += Row(b[1], "以精度 1 重新绘制焓湿图。");
    html += Row(b[2],
                "以精度 1 重绘焓湿图，按最近一次确定的设计进行计算，描出各状态点与过程线，"
                "并把结果写入图旁的结果框。未设定参数时先打开一次回风参数设定。");
    html += Row(b[3], "打开一次回风参数设定；确定后，计算并描点进行一次回风夏季设计。");
    html += Row(b[4],
                "打开二次回风参数设定（与一次回风共用同一组参数）；确定后进行二次回风夏季设计。");
    html += Row(b[5], "打开本帮助。");
    html += Row(b[6], "打开一次回风冬季参数设定；确定后进行一次回风冬季设计，送风量取自夏季参数。");
    html += "</table>\n<p>图下方的读数格随鼠标显示所指状态的温度 t、饱和水蒸气分压力、相对湿度 φ、"
            "水蒸气分压力 Pq、含湿量 d、焓 i 与湿球温度 ts；饱和线以外显示“超范围”。</p>\n";

    html += "<h3>图上的右键菜单与快捷键</h3>\n<table border=\"1\" cellspacing=\"0\" "
            "cellpadding=\"3\">\n";
    html += "<tr><th>菜单项</th><th>快捷键</th><th>作用</th></tr>\n";
    const char *const menu[][3] = {
        {"保存图像…", "Ctrl+S", "把图（连同图上的结果框）保存为 PNG（×1、×2、×4）、SVG 或 PDF"},
        {"打印…", "Ctrl+P", "经打印预览打印焓湿图"},
        {"复制图像", "", "把图复制到剪贴板"},
        {"复制结果", "Ctrl+Shift+C", "把最近一次计算的结果与状态点表复制到剪贴板（制表符分隔）"},
        {"导出结果…", "Ctrl+E", "把同样的表格写成 CSV 文件（UTF-8）"},
        {"生成计算书…", "Ctrl+R", "把最近一次计算写成计算书（PDF 或 HTML）"},
        {"复位视图", "Ctrl+0", "放大后回到整张图"},
        {"保存当前视图…", "", "把图上此刻显示的部分（放大时即放大的部分）保存为图像"},
        {"图形样式 ▸", "",
         "原图（直角坐标）、斜角焓湿图（焓轴与含湿量轴成 135°，带热湿比 ε 标尺与水蒸气分压力"
         "标尺）或 t-d 图（横坐标为干球温度，右侧纵坐标为含湿量）；过程、状态点与气象数据随之"
         "画在新的图上，读数仍为鼠标所指的状态，保存、打印的图与计算书用所选样式"},
        {"新建项目", "Ctrl+N", "回到刚启动时的状态：对话框为初始值，图为空"},
        {"打开项目…", "Ctrl+O", "打开项目文件（*.idchart），其参数、大气压力与状态点随之恢复"},
        {"保存项目", "Ctrl+Shift+S", "保存项目；第一次保存时询问文件名"},
        {"项目另存为…", "", "以另一个文件名保存项目"},
        {"项目说明…", "", "项目的标题与说明"},
        {"最近的项目", "", "最近打开或保存的 8 个项目"},
        {"导入气象数据…", "",
         "读入 EPW 或 CSV 逐时气象数据，按各小时自身的大气压力求状态并画在图上"},
        {"清除气象数据", "", "去掉图上的气象数据"},
        {"气象统计表…", "",
         "各舒适区内、图外与略去的小时数及其占比，以及高于夏季室外设计温度的小时数"},
        {"舒适区 ▸", "", "显示或隐藏 GB 50736-2012 的四个舒适区与 PMV 舒适区"},
        {"显示方式 ▸", "",
         "逐时数据按格子密度或按月份着色的点显示；月份、时刻、格子大小与 PMV 条件"},
        {"标注状态点…", "", "由任意两个参数（t、ts、td、φ、d、i、Pq）标出一个状态点"},
        {"清除全部状态点", "", "删除所有标注的状态点"},
    };
    for (const auto &entry : menu)
        html += Row(entry[0], entry[1], entry[2]);
    html
        += "</"
           "table>\n<p>在状态点上单击右键，可查看它的全部参数、删除它、连出过程线或求两点的混合点；"
           "鼠标停在点上显示它的名称与参数。</p>\n"
           "<p>按住 Ctrl 转动鼠标滚轮（或在触摸板上捏合）以鼠标所指处为中心放大或缩小图；"
           "按住鼠标中键（或按住空格键再按左键）拖动可平移放大后的图；读数格始终显示鼠标所指"
           "的状态。保存、打印与复制的图总是整张图，除非选“保存当前视图…”。</p>\n"
           "<p>主窗口随其大小重新布置，图随之重画；窗口小于 960 × 640 时出现滚动条。</p>\n";

    html += "<h3>设计参数</h3>\n<p>一次回风与二次回风的参数（参数设定对话框）：</p>\n"
        + InputsTable(kSummerParameters) + "<p>冬季参数（一次回风冬季参数设定）：</p>\n"
        + InputsTable(kWinterParameters)
        + "<p>输入框中须是一个完整的数（可用全角数字）；不是数或超出可取范围的输入在输入时"
          "即以浅红色标出，按确定时给出说明，什么也不保存。</p>\n";

    html += "<h3>图上的线、颜色与字母</h3>\n<ul>\n"
            "<li>横坐标为含湿量 d（g/kg干空气），纵坐标为焓 i（kJ/kg干空气）；黑线为等 d 线与等 i "
            "线。</li>\n"
            "<li>黄线为等温线（每 5 ℃），紫色曲线为等相对湿度线（每 5 %，最右一条为饱和线 "
            "φ=100%）。</li>\n"
            "<li>计算的状态点为红点，机器露点为黑点（计算中途为绿点）；过程线为绿线。"
            "各点旁标有字母：N 室内、W 室外、C 混合、O 送风、L 机器露点，二次回风的 C1，"
            "冬季的 N'、W'、C'、M、L'、E、M2、O'。</li>\n"
            "<li>标注的状态点与其过程线为蓝色。</li>\n</ul>\n";

    html += "<h3>命令行</h3>\n<p>不带参数运行 idchart 打开窗口；带命令时在终端上工作，不开窗口。"
            "以下即 <code>idchart --help</code> 与各命令 <code>--help</code> 的内容：</p>\n<pre>"
        + HtmlEscaped(ProgramHelp()) + "</pre>\n";

    html += "<h3>文件在哪里</h3>\n<ul>\n"
            "<li>图像、结果表与计算书保存在保存对话框所选的位置，下次从同一文件夹开始。</li>\n"
            "<li>项目文件（*.idchart）保存在所选位置；未保存的工作在修改后片刻自动备份到 "
            "~/.local/share/idchart/idchart/"
            "recovery.idchart，程序异常退出后再次启动时询问是否恢复。</li>\n"
            "<li>最近的项目与各对话框的文件夹记在 ~/.config/idchart/idchart.conf。</li>\n"
            "<li>网页版把工作保存在浏览器的本地存储中，文件以下载方式保存。</li>\n</ul>\n";

    html += "<h3>关于</h3>\n<p>以下是本软件原作者 2003 年 6 月的说明，原样保留。"
            "其中提到尚未完成的二次回风计算，以及冬季工况，已在后来的版本中实现。</p>\n<h4>"
        + HtmlEscaped(captions::kNoteTitle) + "（2003 年 6 月）</h4>\n<pre>";
    for (const char *line : captions::kNoteLines)
        html += HtmlEscaped(line) + "\n";
    html += "</pre>\n</body></html>\n";
    return html;
}
