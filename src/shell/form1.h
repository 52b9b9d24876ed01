#pragma once

#include "chart/chart_state.h"
#include "designs/design_outcome.h"
#include "designs/design_texts.h"
#include "qt/form_window.h"

#include "text/box_texts.h"
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class AppShell;
class ChartMenu;
class ChartPoints;
class ClimateMenu;
class MainWindowControls;
class ProjectFiles;
class ImageSurface;

// The main window: the chart surface Picture1 with its pointer readout, the
// seven buttons, the result boxes, and the state the chart and the calculation
// share (pressure, precision, ParametersSet, the design chosen).
class Form1 : public FormWindow {
    Q_OBJECT
public:
    explicit Form1(AppShell &shell, QWidget *parent = nullptr);
    ~Form1() override;

    MainWindowControls &Controls() { return *controls_; }
    // The chart's context menu and the window's shortcuts for saving,
    // printing, copying and exporting.
    ChartMenu &Menu() { return *menu_; }
    // The state points typed onto the chart, drawn again after every drawing of it.
    ChartPoints &Points() { return *points_; }
    // The project files: new, open, save, recent, recovery.
    ProjectFiles &Files() { return *files_; }
    // A year of weather and the comfort zones over the chart.
    ClimateMenu &Climate() { return *climate_; }
    ImageSurface &Picture();

    // Load: arrange the window, set the chart scale, B := 101325, Precision := 1.
    void Form_Load() override;
    // Closing the main window ends the program, once unsaved changes of the
    // project are saved or given up.
    bool Form_MayClose() override;
    void Form_QueryUnload() override;

    void 生成焓湿图_Click();
    void 重绘_Click();
    void 计算并描点_Click();
    void 一次回风_Click();
    void 二次回风_Click();
    void 帮助_Click();
    void 冬季工况_Click();
    void Picture1_MouseMove(float X, float Y);

    // Writes the texts into the readout cells, and into the result and state
    // boxes, each box showing its text from the start.
    void ShowReadout(const ReadoutTexts &cells);
    void ShowBoxes(const BoxTexts &boxes);
    // The texts the result and state boxes were last given.
    const BoxTexts &Boxes() const { return boxes_; }

    // The window after another project came in: no results of an earlier
    // calculation, ParametersSet as the project has inputs, and the chart
    // drawn at its pressure and precision with its points, or, for a new
    // project, the empty chart of a fresh start.
    void ShowProject(bool hasInputs, bool drawChart);
    // 图形样式: the chart, with what it shows, drawn again in the style chosen.
    void ChooseStyle(ChartStyle style);

    // The project's chart settings and the design the next 计算并描点
    // computes, chosen by the OK of its dialog.
    ChartState &chart;
    DesignKind &design;
    bool ParametersSet = false;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Runs a handler's work; a fault ends it with a message and leaves the
    // program, the chart state and every typed text as they were.
    void Guarded(const std::string &activity, const std::function<void()> &work);

    // Draws the chart again at the chart settings (the points with it) and shows it.
    void DrawAndShowChart();
    // The controls arranged for the window's new size, the chart drawn again
    // for its new size with what it showed.
    void FollowSize();
    // The chart drawn again, for the picture's size and the chart's style,
    // with the process, the points and the weather it showed.
    void RedrawShown();

    AppShell &shell_;
    std::unique_ptr<MainWindowControls> controls_;
    BoxTexts boxes_;
    ChartMenu *menu_ = nullptr; // a child of the window
    ChartPoints *points_ = nullptr; // a child of the window
    ProjectFiles *files_ = nullptr; // a child of the window
    ClimateMenu *climate_ = nullptr; // a child of the window
    // The outer frame the controls were arranged for at load and now.
    QSize placed_;
    QSize arranged_;
    // The calculation whose process the chart shows, to draw it again.
    std::optional<DesignOutcome> outcome_;
};
