#include "shell/form1.h"

#include "chart/chart_drawing.h"
#include "chart/chart_settings.h"
#include "idchart_version.h"
#include "project/chart_layers.h"
#include "project/project_file.h"
#include "psychro/arithmetic_fault.h"
#include "qt/picture_box.h"
#include "qt/prompts.h"
#include "readout/pointer_readout.h"
#include "report/calculation_sheet.h"
#include "report/result_sheet.h"
#include "shell/app_shell.h"
#include "shell/chart_menu.h"
#include "shell/chart_points.h"
#include "shell/climate_menu.h"
#include "shell/main_window_controls.h"
#include "shell/project_files.h"
#include "text/fault_message.h"
#include "text/number_text.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>
#include <cstdio>

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
    : FormWindow(shell.Windows(), forms::kMain, parent), chart(shell.ProjectRecord().chart),
      design(shell.ProjectRecord().design), shell_(shell),
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
    // The project's entries follow the picture's in the chart's menu, the
    // points' entries come last.
    files_ = new ProjectFiles(shell, *this, *menu_, shell.prompts());
    climate_ = new ClimateMenu(*this, *c.Picture1, shell.ProjectRecord(), ParametersSet, *menu_,
                               shell.prompts());
    points_ = new ChartPoints(*this, *c.Picture1, chart, shell.ProjectRecord().points, *menu_,
                              shell.prompts());
    menu_->boxes = [this] { return boxes_; };
    menu_->chooseStyle = [this](ChartStyle style) { ChooseStyle(style); };
    points_->onChanged = [this] { files_->Changed(); };
    setAcceptDrops(true);
}

Form1::~Form1() = default;

ImageSurface &Form1::Picture()
{
    return controls_->Picture1->Surface();
}

void Form1::Form_Load()
{
    placed_ = PlaceMainWindow(*this, *controls_);
    arranged_ = placed_;
    KeepOuterFrame();
    SetChartScale(Picture());
    SetUpChart(controls_->Picture1->ChartScene());
    chart.B = 101325.0;
    chart.BText = "101325";
    chart.Precision = 1.0f;
}

bool Form1::Form_MayClose()
{
    return files_->MayDiscard();
}

void Form1::Form_QueryUnload()
{
    shell_.EndProgram();
}

void Form1::Guarded(const std::string &activity, const std::function<void()> &work)
{
    std::string message;
    try {
        work();
    } catch (const ArithmeticFault &fault) {
        message = FaultMessage(activity, fault);
    } catch (const std::exception &error) {
        message = activity + "时出现错误：" + error.what();
    } catch (...) {
        message = activity + "时出现意外错误，操作已停止。";
    }
    // Even a message box that cannot be shown does not leave the handler.
    try {
        if (!message.empty())
            shell_.prompts().MsgBox(message);
    } catch (...) {
    }
    controls_->Picture1->Refresh();
}

void Form1::DrawAndShowChart()
{
    PictureBox &picture = *controls_->Picture1;
    BoxTexts boxes = boxes_;
    try {
        DrawChartLayer(picture.ChartScene(), chart, shell_.ProjectRecord().points, boxes);
    } catch (...) {
        picture.ShowScene();
        throw;
    }
    // A drawing of the chart writes its pressure and precision boxes only.
    for (StateBox box : {StateBox::B0, StateBox::Precision}) {
        boxes_[box] = boxes[box];
        ShowFromStart(*controls_->Box(box), boxes[box]);
    }
    controls_->FitBoxFonts();
    climate_->Redraw();
    picture.ShowScene();
}

void Form1::生成焓湿图_Click()
{
    Guarded("绘制焓湿图", [this] {
        ChartSettingsQuestions questions;
        AskChartSettings(questions, shell_.prompts());
        questions.ApplyTo(chart);
        files_->Changed();
        DrawAndShowChart();
    });
}

void Form1::ChooseStyle(ChartStyle style)
{
    if (chart.style == style)
        return;
    chart.style = style;
    files_->Changed();
    controls_->Picture1->ResetView();
    RedrawShown();
}

void Form1::ShowProject(bool hasInputs, bool drawChart)
{
    ParametersSet = hasInputs;
    menu_->ShowStyle(chart.style);
    menu_->SetResults(nullptr);
    points_->Replaced();
    BoxTexts empty;
    SetChartTexts(chart, empty);
    ShowBoxes(empty);
    PictureBox &picture = *controls_->Picture1;
    picture.ChartScene().ClearAll();
    if (drawChart)
        Guarded("绘制焓湿图", [this] { DrawAndShowChart(); });
    else
        picture.ShowScene();
}

namespace {

// The project file a drag carries: one local file named *.idchart.
QString DraggedProject(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return path.endsWith(QStringLiteral(".") + QString::fromUtf8(kProjectSuffix),
                         Qt::CaseInsensitive)
        ? path
        : QString();
}

} // namespace

void Form1::resizeEvent(QResizeEvent *event)
{
    FormWindow::resizeEvent(event);
    FollowSize();
}

void Form1::FollowSize()
{
    if (placed_.isEmpty())
        return;
    PictureBox &picture = *controls_->Picture1;
    const QSize before = picture.Surface().Size();
    const QMargins margins = FrameMargins();
    const QSize frame = size().grownBy(margins);
    arranged_ = FollowWindowSize(*this, *controls_, frame, arranged_,
                                 placed_.boundedTo(kSmallestMainFrame));
    picture.FollowSize();
    if (picture.Surface().Size() != before)
        RedrawShown();
}

void Form1::RedrawShown()
{
    Guarded("绘制焓湿图", [this] {
        PictureBox &picture = *controls_->Picture1;
        RedrawForSize(picture.ChartScene(), chart, shell_.ProjectRecord().points,
                      outcome_ ? &*outcome_ : nullptr);
        climate_->Redraw();
        picture.ShowScene();
    });
}

void Form1::wheelEvent(QWheelEvent *event)
{
    // A window smaller than its arrangement scrolls with the wheel.
    QScrollBar *bar = controls_->ScrollY->isVisible() ? controls_->ScrollY
        : controls_->ScrollX->isVisible()             ? controls_->ScrollX
                                                      : nullptr;
    if (bar == nullptr) {
        event->ignore();
        return;
    }
    QCoreApplication::sendEvent(bar, event);
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DraggedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QString path = DraggedProject(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    files_->Open(path);
}

void Form1::重绘_Click()
{
    Guarded("绘制焓湿图", [this] {
        chart.Precision = 1.0f;
        DrawAndShowChart();
    });
}

void Form1::计算并描点_Click()
{
    Guarded("一次回风计算", [this] {
        Project &project = shell_.ProjectRecord();
        const DesignRequest request = project.Request();
        PictureBox &picture = *controls_->Picture1;
        const CalculationDisplay display = DisplayCalculation(
            picture.ChartScene(), chart, project.points, boxes_, request, ParametersSet);
        outcome_ = display.outcome;
        climate_->Redraw();
        // The picture and the boxes at each message, then as they stay.
        for (const DisplayMoment &moment : display.moments) {
            picture.ShowScene(moment.shown);
            ShowBoxes(moment.boxes);
            if (!moment.message.empty())
                shell_.prompts().MsgBox(moment.message);
        }
        if (display.openPrimaryReturnAir)
            一次回风_Click();
        // The results for copying and export, with the pressure and precision
        // the calculation drew its chart with and the texts its parameters were
        // read from, and its calculation sheet.
        if (!display.texts)
            return;
        menu_->SetResults(
            std::make_shared<ResultSheet>(MakeResultSheet(project, *display.texts)),
            std::make_shared<CalculationSheet>(MakeCalculationSheet(project, *display.outcome)));
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
    ShowReadout(PointerReadout(chart, X, Y));
}

void Form1::ShowReadout(const ReadoutTexts &cells)
{
    for (int k = 0; k < kReadoutCellCount; ++k)
        controls_->Label2[k]->setText(QString::fromStdString(cells[k]));
}

void Form1::ShowBoxes(const BoxTexts &boxes)
{
    for (int k = 0; k < kResultBoxCount; ++k)
        ShowFromStart(*controls_->Box(static_cast<ResultBox>(k)), boxes.results[k]);
    for (int k = 0; k < kStateBoxCount; ++k)
        ShowFromStart(*controls_->Box(static_cast<StateBox>(k)), boxes.states[k]);
    boxes_ = boxes;
    controls_->FitBoxFonts();
}
