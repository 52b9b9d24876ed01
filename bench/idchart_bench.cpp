// Speed of the paths a user waits for: one saturation pressure, the chart
// drawn onto the Qt surface of a 1920 × 1080 screen's chart area, one
// pointer-readout update, the machine-dew-point scan and the whole
// calculation with its redraw.
//
// By default everything runs after QApplication has started, as in the
// window program. Two flags of its own (before Google Benchmark's):
//   --plain     no QApplication: only the benchmarks of the Qt-free core
//               (saturation pressure, the chart's arithmetic on a surface
//               that paints nothing, the dew-point scan), for comparison
//               with a process in which Qt has never run;
//   --baseline  the core's x86-64 baseline copy instead of its AVX copy
//               (the same as IDCHART_BASELINE=1 in the environment).
// The run's context lines name the core's copy and the kind of process.

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "designs/design_parameters.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_summer/primary_summer.h"
#include "designs/primary_winter/primary_winter.h"
#include "designs/secondary_summer/secondary_summer.h"
#include "draw/scene.h"
#include "draw/surface.h"
#include "isa/core_isa.h"
#include "project/chart_layers.h"
#include "psychro/moist_air.h"
#include "qt/chart_surface.h"
#include "qt/fonts.h"
#include "qt/image_surface.h"
#include "qt/picture_export.h"
#include "qt/prompts.h"
#include "readout/state_points.h"
#include "shell/app_shell.h"
#include "shell/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

// The chart area of the main window on a 1920 × 1080 screen.
constexpr int kChartWidth = 1920;
constexpr int kChartHeight = 821;

class SilentPrompts : public Prompts {
public:
    std::string InputBox(const std::string &, const std::string &, const std::string &d) override
    {
        return d;
    }
    void MsgBox(const std::string &) override { }
};

DesignParameters DefaultParameters()
{
    DesignParameters p;
    p.tn = 26;
    p.phiN = 60;
    p.tw = 35;
    p.ts = 26.5;
    p.deltaT = 6;
    p.s = 30;
    p.phiL = 95;
    p.Q = 12;
    p.W = 0.01f;
    return p;
}

// The main window's chart: its surface and the scene drawn for it.
struct WindowChart {
    ImageSurface surface;
    Scene scene {kChartWidth, kChartHeight,
                 [this](float fontSize) { return surface.LineHeightAt(fontSize); }};
    StatePoints points;
    BoxTexts boxes;

    WindowChart()
    {
        SetUpChartSurface(surface);
        surface.Resize(kChartWidth, kChartHeight);
        SetUpChart(scene);
    }
};

WindowChart &ChartSurface()
{
    static WindowChart chart;
    return chart;
}

void BM_SaturationPressure(benchmark::State &state)
{
    float t = -30.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(moist_air::SaturationPressure(t));
        t += 0.013f;
        if (t > 100.0f)
            t = -30.0f;
    }
}
BENCHMARK(BM_SaturationPressure);

// A surface of the chart area's size that paints nothing: DrawChart's own
// arithmetic (curve tracing, scale mapping, number texts) alone.
class NullSurface : public Surface {
public:
    NullSurface() { RefreshScale(); }

protected:
    double PixelWidth() const override { return kChartWidth; }
    double PixelHeight() const override { return kChartHeight; }
    void PaintClear() override { }
    void PaintLine(double, double, double, double) override { }
    void PaintFilledBox(double, double, double, double, Rgb) override { }
    void PaintCircle(double, double, double) override { }
    void PaintPolygon(std::span<const SurfacePoint>, Rgb, std::uint8_t) override { }
    void PaintText(double, double, const std::string &) override { }
    double LineHeightPixels() const override { return 14.0; }
};

void BM_DrawChartArithmetic(benchmark::State &state)
{
    NullSurface surface;
    SetChartScale(surface);
    ChartState chart;
    const float precision = state.range(0) == 1 ? 1.0f : 0.05f;
    for (auto _ : state) {
        chart.Precision = precision;
        DrawChart(chart, surface);
        benchmark::DoNotOptimize(surface.CurrentX());
    }
    state.SetLabel(precision == 1.0f ? "precision 1, paints nothing"
                                     : "precision 0.05, paints nothing");
}
BENCHMARK(BM_DrawChartArithmetic)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// The chart drawn as 生成焓湿图 draws it: its scene, painted on the window's surface.
void BM_DrawChart(benchmark::State &state)
{
    WindowChart &window = ChartSurface();
    ChartState chart;
    const float precision = state.range(0) == 1 ? 1.0f : 0.05f;
    for (auto _ : state) {
        chart.Precision = precision;
        DrawChartLayer(window.scene, chart, window.points, window.boxes);
        PaintScene(window.scene, window.surface);
        benchmark::DoNotOptimize(window.surface.Image().constBits());
    }
    state.SetLabel(precision == 1.0f ? "precision 1" : "precision 0.05");
}

// The chart in each style at precision 0.05, drawn and painted as 生成焓湿图
// draws it: the rectangular chart, the oblique i-d chart, the t-d chart.
void BM_DrawChartStyle(benchmark::State &state)
{
    WindowChart &window = ChartSurface();
    ChartState chart;
    chart.style = kChartStyleNames[static_cast<std::size_t>(state.range(0))].style;
    for (auto _ : state) {
        chart.Precision = 0.05f;
        DrawChartLayer(window.scene, chart, window.points, window.boxes);
        PaintScene(window.scene, window.surface);
        benchmark::DoNotOptimize(window.surface.Image().constBits());
    }
    state.SetLabel(ChartStyleOption(chart.style));
}

void BM_PointerReadout(benchmark::State &state)
{
    SilentPrompts prompts;
    AppShell shell(prompts);
    shell.Windows().Show(forms::kMain);
    Form1 &form = shell.Windows().Get<Form1>(forms::kMain);
    float x = 10.0f;
    for (auto _ : state) {
        form.Picture1_MouseMove(x, 50.0f);
        x = x > 30.0f ? 10.0f : x + 0.0217f;
    }
}

void BM_FindMachineDewPoint(benchmark::State &state)
{
    const PrimaryOutcome base = ComputePrimarySummer(DefaultParameters(), 101325.0);
    // A target never met makes the scan run to 100 °C.
    const float target = state.range(0) == 1 ? -1.0f : base.State(StateName::O)->d;
    const float phi = MachineDewPointHumidity(*base.inputs);
    int evaluations = 0;
    for (auto _ : state) {
        DewPointSearch search = FindMachineDewPoint(target, phi, 101325.0);
        evaluations = search.evaluations;
        benchmark::DoNotOptimize(search.t_L);
    }
    state.counters["evaluations"] = evaluations;
    state.SetLabel(state.range(0) == 1 ? "full scan" : "default parameters");
}
BENCHMARK(BM_FindMachineDewPoint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The winter design at the dialogs' start texts: the summer supply flow,
// the states and the dew-point scan for L' (spray), or the steam line.
void BM_PrimaryWinter(benchmark::State &state)
{
    const DesignParameters summer = DefaultParameters();
    const WinterParameters winter {
        20, 50, -12,
        45, 10, 0.01f,
        30, 95, state.range(0) == 1 ? Humidifier::Steam : Humidifier::Spray};
    for (auto _ : state) {
        WinterOutcome out = ComputePrimaryWinter(summer, winter, 101325.0);
        benchmark::DoNotOptimize(out.loads);
    }
    state.SetLabel(state.range(0) == 1 ? "steam" : "spray");
}
BENCHMARK(BM_PrimaryWinter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The secondary design at the dialog's start texts: N, W, O, the downward
// scan for L (1555 temperatures), the flows, C1, the coil capacity and the
// primary design's dew-point search for the comparison.
void BM_SecondarySummer(benchmark::State &state)
{
    const DesignParameters parameters = DefaultParameters();
    int evaluations = 0;
    for (auto _ : state) {
        SecondaryOutcome out = ComputeSecondarySummer(parameters, 101325.0);
        evaluations = out.dewPoint ? out.dewPoint->evaluations : 0;
        benchmark::DoNotOptimize(out.CoilCapacity);
    }
    state.counters["evaluations"] = evaluations;
}
BENCHMARK(BM_SecondarySummer)->Unit(benchmark::kMicrosecond);

// 计算并描点 as the window runs it: the chart at precision 1 and the
// calculation drawn on the scene, painted on the window's surface.
void BM_ComputeAndPlot(benchmark::State &state)
{
    WindowChart &window = ChartSurface();
    ChartState chart;
    const DesignParameters parameters = DefaultParameters();
    const WinterParameters winter;
    for (auto _ : state) {
        const CalculationDisplay display
            = DisplayCalculation(window.scene, chart, window.points, window.boxes,
                                 {DesignKind::PrimarySummer, parameters, winter}, true);
        for (const DisplayMoment &moment : display.moments)
            PaintScene(window.scene, window.surface, moment.shown);
        benchmark::DoNotOptimize(window.surface.Image().constBits());
    }
}

// The chart at precision 0.05 with the default process on it, on a surface
// at the given device pixel ratio.
ImageSurface &ChartWithProcess(double ratio)
{
    static WindowChart window;
    window.surface.SetDevicePixelRatio(ratio);
    ChartState chart;
    chart.Precision = 0.05f;
    DrawChartLayer(window.scene, chart, window.points, window.boxes);
    window.scene.SetLayer(SceneLayer::Process);
    PlotPrimarySummer(ComputePrimarySummer(DefaultParameters(), chart.B), window.scene);
    PaintScene(window.scene, window.surface);
    return window.surface;
}

// The chart at precision 0.05 drawn on a screen of device pixel ratio 2.
void BM_DrawChartHighDpi(benchmark::State &state)
{
    WindowChart window;
    window.surface.SetDevicePixelRatio(2.0);
    ChartState chart;
    for (auto _ : state) {
        chart.Precision = 0.05f;
        DrawChartLayer(window.scene, chart, window.points, window.boxes);
        PaintScene(window.scene, window.surface);
        benchmark::DoNotOptimize(window.surface.Image().constBits());
    }
    state.SetLabel("precision 0.05, device pixel ratio 2");
}

// Saving the full chart with a process: 0 PNG x2, 1 SVG, 2 PDF.
void BM_SavePicture(benchmark::State &state)
{
    ImageSurface &surface = ChartWithProcess(1.0);
    const PictureFormat format = state.range(0) == 0 ? PictureFormat::Png
        : state.range(0) == 1                        ? PictureFormat::Svg
                                                     : PictureFormat::Pdf;
    const char *names[] = {"chart.png", "chart.svg", "chart.pdf"};
    const QString path = QDir::temp().filePath(QString::fromLatin1(names[state.range(0)]));
    for (auto _ : state) {
        const QString failure
            = SavePicture(surface, path, format, format == PictureFormat::Png ? 2 : 1);
        if (!failure.isEmpty())
            state.SkipWithError(failure.toStdString().c_str());
    }
    QFile::remove(path);
    state.SetLabel(names[state.range(0)]);
}

// The benchmarks that draw with Qt or drive its windows.
void RegisterQtBenchmarks()
{
    benchmark::RegisterBenchmark("BM_DrawChart", BM_DrawChart)
        ->Arg(1)
        ->Arg(5)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_DrawChartStyle", BM_DrawChartStyle)
        ->Arg(0)
        ->Arg(1)
        ->Arg(2)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PointerReadout", BM_PointerReadout)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_ComputeAndPlot", BM_ComputeAndPlot)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_DrawChartHighDpi", BM_DrawChartHighDpi)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SavePicture", BM_SavePicture)
        ->Arg(0)
        ->Arg(1)
        ->Arg(2)
        ->Unit(benchmark::kMillisecond);
}

// Removes the flag from the arguments; whether it was there.
bool TakeFlag(int &argc, char **argv, const char *flag)
{
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], flag) == 0) {
            for (int j = k; j < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (TakeFlag(argc, argv, "--baseline") && core_isa::UsesAvx()) {
        // The core's copy is chosen once before main: start again with the
        // baseline one.
        setenv("IDCHART_BASELINE", "1", 1);
        execv("/proc/self/exe", argv);
        std::perror("idchart_bench: cannot start again on the baseline path");
        return 1;
    }
    const bool plain = TakeFlag(argc, argv, "--plain");
    benchmark::AddCustomContext("idchart core", core_isa::PathName());
    benchmark::AddCustomContext("idchart process",
                                plain ? "plain (no QApplication)" : "after QApplication started");
    if (plain) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutions();
    RegisterQtBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
