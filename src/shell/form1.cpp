#include "shell/form1.h"

#include "chart/chart_drawing.h"
#include "designs/compute_and_plot.h"
#include "idchart_version.h"
#include "psychro/arithmetic_fault.h"
#include "qt/picture_box.h"
#include "readout/pointer_readout.h"
#include "report/calculation_sheet.h"
#include "report/result_sheet.h"
#include "shell/app_shell.h"
#include "shell/chart_menu.h"
#include "shell/chart_points.h"
#include "shell/main_window_controls.h"
#include "text/fault_message.h"
#include "text/number_text.h"
#include "text/prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Writes a result into a box showing its first characters, as a box the user
// has not touched does: a number too long for the box is cut at its end, never
// at its leading digits.
void ShowFromStart(QLineEdit &box, const std::string &text)
{
    box.setText(QString::fromStdString(text));
    box.setCursorPosition(0);
}

} // namespace

Form1::Form1(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kMain, parent), shell_(shell),
      controls_(std::make_unique<MainWindowControls>(*this))
{
    MainWindowControls &c = *controls_;
    connect(c.生成焓湿图, &QPushButton::clicked, this, [this] { 生成焓湿图_Click(); });
    connect(c.重绘, &QPushButton::clicked, this, [this] { 重绘_Click(); });
    connect(c.计算并描点, &QPushButton::clicked, this, [this] { 计算并描点_Click(); });
    connect(c.一次回风, &QPushButton::clicked, this, [this] { 一次回风_Click(); });
    connect(c.二次回风, &QPushButton::clicked, this, [this] { 二次回风_Click(); });
    connect(c.帮助, &QPushButton::clicked, this, [this] { 帮助_Click(); });
    connect(c.冬季工况, &QPushButton::clicked, this, [this] { 冬季工况_Click(); });
    c.Picture1->onMouseMove = [this](float X, float Y) { Picture1_MouseMove(X, Y); };
    menu_ = new ChartMenu(*this, *c.Picture1, shell.prompts());
    points_ = new ChartPoints(*this, *c.Picture1, chart, *menu_, shell.prompts());
}

Form1::~Form1() = default;

ImageSurface &Form1::Picture()
{
    return controls_->Picture1->Surface();
}

void Form1::Form_Load()
{
    PlaceMainWindow(*this, *controls_);
    KeepOuterFrame();
    SetChartScale(Picture());
    chart.B = 101325.0;
    chart.BText = "101325";
    chart.Precision = 1.0f;
}

void Form1::Form_QueryUnload()
{
    shell_.EndProgram();
}

void Form1::Guarded(const std::string &activity, const std::function<void()> &work)
{
    try {
        work();
    } catch (const ArithmeticFault &fault) {
        shell_.prompts().MsgBox(FaultMessage(activity, fault));
    } catch (const std::exception &error) {
        shell_.prompts().MsgBox(activity + "时出现错误：" + error.what());
    }
    controls_->Picture1->Refresh();
}

void Form1::生成焓湿图_Click()
{
    Guarded("绘制焓湿图", [this] {
        AskChartSettings(chart, shell_.prompts());
        DrawChart(chart, Picture(), *this);
        points_->Redraw();
    });
}

void Form1::重绘_Click()
{
    Guarded("绘制焓湿图", [this] {
        chart.Precision = 1.0f;
        DrawChart(chart, Picture(), *this);
        points_->Redraw();
    });
}

void Form1::计算并描点_Click()
{
    Guarded("一次回风计算", [this] {
        const DesignRequest request {design, shell_.Parameters(), shell_.Winter()};
        DesignOutcome outcome;
        const std::optional<DesignTexts> texts = ComputeAndPlot(
            {chart, Picture(), *this, shell_.prompts()}, request, ParametersSet,
            [this] { 一次回风_Click(); }, &outcome);
        points_->Redraw();
        // The results for copying and export, with the pressure and precision
        // the calculation drew its chart with and the texts its parameters were
        // read from, and its calculation sheet.
        if (!texts)
            return;
        const std::vector<InputText> inputs
            = DesignInputs(design, shell_.SummerTexts(), shell_.WinterTexts());
        menu_->SetResults(
            std::make_shared<ResultSheet>(ResultSheet {
                *texts, chart.BText, SingleText(chart.Precision), inputs, kIdchartVersion}),
            std::make_shared<CalculationSheet>(
                MakeCalculationSheet({request, outcome, chart.B, chart.BText, TodayText(), {}})));
    });
}

void Form1::一次回风_Click()
{
    shell_.OpenPrimaryReturnAir();
}

void Form1::二次回风_Click()
{
    shell_.OpenSecondaryReturnAir();
}

void Form1::帮助_Click()
{
    shell_.OpenHelp();
}

void Form1::冬季工况_Click()
{
    shell_.OpenWinter();
}

void Form1::Picture1_MouseMove(float X, float Y)
{
    PointerReadout(chart, X, Y, *this);
}

void Form1::SetReadoutCell(int index, const std::string &text)
{
    if (index >= 0 && index < kReadoutCellCount)
        controls_->Label2[index]->setText(QString::fromStdString(text));
}

void Form1::SetResultBox(ResultBox box, const std::string &text)
{
    ShowFromStart(*controls_->Box(box), text);
}

void Form1::SetStateBox(StateBox box, const std::string &text)
{
    ShowFromStart(*controls_->Box(box), text);
}
