#include "cli/qt/chart_picture.h"

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "climate/climate_drawing.h"
#include "climate/climate_report.h"
#include "commands/climate_options.h"
#include "commands/command.h"
#include "designs/design_parameters.h"
#include "designs/parameter_table.h"
#include "project/chart_layers.h"
#include "psychro/arithmetic_fault.h"
#include "qt/calculation_sheet_file.h"
#include "qt/chart_boxes.h"
#include "qt/chart_surface.h"
#include "qt/fonts.h"
#include "qt/image_surface.h"
#include "qt/picture_export.h"
#include "report/calculation_sheet.h"
#include "text/fault_message.h"

#include <QApplication>

#include <memory>
#include <optional>

namespace {

QtMessageHandler qtMessages = nullptr;

// Qt's note that no runtime folder is set concerns windows, not a drawing
// written to a file; every other message goes on as before.
void WithoutRuntimeFolderNote(QtMsgType type, const QMessageLogContext &context,
                              const QString &message)
{
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (qtMessages)
        qtMessages(type, context, message);
}

// Drawing needs Qt's GUI layer, and the boxes over the chart the widget
// layer's style, as the window draws them; without a window it runs on the
// offscreen platform, whatever the environment asks for. No widget is made.
std::unique_ptr<QApplication> StartOffscreenGui()
{
    if (QCoreApplication::instance())
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(WithoutRuntimeFolderNote);
    static int argc = 1;
    static char program[] = "idchart";
    static char *argv[] = {program, nullptr};
    auto application = std::make_unique<QApplication>(argc, argv);
    RegisterFontSubstitutions();
    return application;
}

// The project's chart as the main window draws it, away from the window:
// its surface with the window's colours and font, the scene drawn for it, and
// the texts of the boxes over it.
struct ChartPicture {
    Project &project;
    ImageSurface surface;
    std::unique_ptr<Scene> scene;
    BoxTexts boxes;

    ChartPicture(QSize size, Project &drawn) : project(drawn)
    {
        SetUpChartSurface(surface);
        surface.Resize(size.width(), size.height());
        scene = std::make_unique<Scene>(size.width(), size.height(), [this](float fontSize) {
            return surface.LineHeightAt(fontSize);
        });
        SetUpChart(*scene);
        SetChartScale(surface);
    }

    // The chart at the project's precision. A fault ends the command with status 1.
    void Draw(CommandOutput &output)
    {
        try {
            DrawChartLayer(*scene, project.chart, project.points, boxes);
        } catch (const ArithmeticFault &fault) {
            output.status = exit_status::kStopped;
            output.err = FaultMessage("绘制焓湿图", fault) + '\n';
        }
    }

    // 计算并描点: the chart at precision 1, then the process. The calculation's
    // messages go to standard error; a stop ends the command with status 1.
    std::optional<CalculationDisplay> Calculate(CommandOutput &output)
    {
        CalculationDisplay display = DisplayCalculation(*scene, project.chart, project.points,
                                                        boxes, project.Request(), true);
        boxes = display.moments.back().boxes;
        if (display.outcome) {
            TellOutcome(*display.outcome, output);
            return display;
        }
        // The chart itself could not be drawn, or the calculation failed unexpectedly.
        output.status = exit_status::kStopped;
        for (const DisplayMoment &moment : display.moments)
            if (!moment.message.empty())
                output.err += moment.message + '\n';
        return std::nullopt;
    }

    // The comfort zones and the weather of --zones and --climate over the
    // chart at its pressure; hours of the file passed over are said on
    // standard error and end the command with status 1, the picture saved.
    void DrawClimate(const ParsedOptions &options, CommandOutput &output)
    {
        climate::ClimateSettings settings;
        if (auto refused = ReadClimateSettings(options, settings)) {
            output = *refused;
            return;
        }
        std::optional<weather::Weather> weather;
        if (options.IsSet("climate")) {
            weather.emplace();
            if (auto failed
                = LoadWeather(options.Value("climate"), project.chart.B, settings, *weather)) {
                output.status = failed->status;
                output.err += failed->err;
                return;
            }
            if (weather->skippedCount > 0) {
                output.status = exit_status::kStopped;
                output.err += "idchart: " + std::to_string(weather->skippedCount)
                    + " 小时缺测或无法求状态，未画出：\n" + climate::SkippedText(*weather);
            }
        }
        // The open design's summer outdoor temperatures, when --process computed one.
        std::optional<climate::DesignTemperatures> design;
        if (options.IsSet("process") && project.design != DesignKind::PrimaryWinter)
            design = climate::DesignTemperatures {project.summer.tw, project.summer.ts};
        climate::DrawClimateLayers(*scene, project.chart.B, settings, weather ? &*weather : nullptr,
                                   design);
    }

    PictureOverlay Overlay() const
    {
        return OverlayFor(boxes, QSize(int(scene->Width()), int(scene->Height())),
                          ScreenLogicalDpi());
    }
    const PictureRecord &Record()
    {
        PaintScene(*scene, surface);
        return surface.Record();
    }
};

} // namespace

CommandOutput DrawChartPicture(const ParsedOptions &options)
{
    Project project;
    PictureOptions pictureOptions;
    std::string file;
    if (auto refused = ReadCalculationOptions(options, project))
        return *refused;
    if (auto refused = ReadPictureOptions(options, pictureOptions))
        return *refused;
    if (auto refused = ReadOutputFile(options, PictureFileType(), file))
        return *refused;
    const QString path = QString::fromStdString(file);

    const auto application = StartOffscreenGui();
    ChartPicture picture(QSize(pictureOptions.size.width, pictureOptions.size.height), project);
    CommandOutput output;
    if (options.IsSet("process")) {
        picture.Calculate(output);
    } else {
        // The precision of --precision, or the project's.
        if (!options.IsSet("project") || options.IsSet("precision"))
            project.chart.Precision = pictureOptions.precision;
        picture.Draw(output);
    }
    picture.DrawClimate(options, output);

    // What a stopped calculation drew is saved too: it is what the window
    // shows. A file that could not be written ends the command as failed.
    picture.Record();
    const QString failure = SavePicture(picture.surface, path, *PictureFormatForPath(path),
                                        pictureOptions.scale, picture.Overlay());
    if (!failure.isEmpty()) {
        output.status = exit_status::kWriteFailed;
        output.err += failure.toStdString() + '\n';
    }
    return output;
}

CommandOutput WriteReportSheet(const ParsedOptions &options)
{
    std::string file;
    Project project;
    if (auto refused = ReadOutputFile(options, SheetFileType(), file))
        return *refused;
    if (auto refused = ReadCalculationOptions(options, project))
        return *refused;
    const QString path = QString::fromStdString(file);

    const auto application = StartOffscreenGui();
    ChartPicture picture(QSize(kDefaultChartSize.width, kDefaultChartSize.height), project);
    CommandOutput output;
    const std::optional<CalculationDisplay> display = picture.Calculate(output);
    if (!display)
        return output; // the chart itself could not be drawn: nothing was computed

    // A stopped calculation still has its sheet, with the message; the texts
    // of the options go into it as the user gave them, a choice as the
    // dialog names it.
    CalculationSheet sheet = MakeCalculationSheet(project, *display->outcome);
    sheet.date = TodayText();
    const QString failure = SaveCalculationSheet(sheet, picture.Record(), picture.Overlay(), path);
    if (!failure.isEmpty()) {
        output.status = exit_status::kWriteFailed;
        output.err += failure.toStdString() + '\n';
    }
    return output;
}
