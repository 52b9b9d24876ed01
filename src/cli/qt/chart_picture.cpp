#include "cli/qt/chart_picture.h"
#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "cli/command.h"
#include "designs/compute_and_plot.h"
#include "designs/design_parameters.h"
#include "designs/parameter_table.h"
#include "psychro/arithmetic_fault.h"
#include "qt/calculation_sheet_file.h"
#include "qt/chart_surface.h"
#include "qt/fonts.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "qt/picture_export.h"
#include "report/calculation_sheet.h"
#include "shell/main_window_controls.h"
#include "text/fault_message.h"
#include "text/prompts.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// The largest side of a PNG in device pixels: 256 MB of picture at most.
constexpr int kLargestDeviceSide = 8192;

// Shows a text in a box from its start, as the window's boxes show results.
void ShowText(QLineEdit &box, const std::string &text)
{
    box.setText(QString::fromStdString(text));
    box.setCursorPosition(0);
}

// The window's boxes over a picture of the chart's size, for the texts the
// drawing writes into them (the readout row is not part of the picture).
class ChartBoxes : public MainWindowTexts {
public:
    explicit ChartBoxes(QSize size) : controls_(window_)
    {
        PlaceChartBoxes(controls_, size.width(), size.height());
    }
    void SetReadoutCell(int, const std::string &) override { }
    void SetResultBox(ResultBox box, const std::string &text) override
    {
        ShowText(*controls_.Box(box), text);
    }
    void SetStateBox(StateBox box, const std::string &text) override
    {
        ShowText(*controls_.Box(box), text);
    }
    PictureOverlay Overlay() const { return OverlayOver(*controls_.Picture1); }

private:
    QWidget window_;
    MainWindowControls controls_;
};

// The calculation's message goes to standard error instead of a message box.
class NoMessageBoxes : public Prompts {
public:
    std::string InputBox(const std::string &, const std::string &,
                         const std::string &defaultText) override
    {
        return defaultText;
    }
    void MsgBox(const std::string &text) override { message = text; }

    std::string message;
};

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

// Drawing needs Qt's GUI layer, and the boxes over the chart its widgets;
// without a window it runs on the offscreen platform, whatever the
// environment asks for.
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

} // namespace

CommandOutput DrawChartPicture(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError(Utf8("缺少输出文件（.png、.svg 或 .pdf）"));
    if (positional.size() > 1)
        return UsageError(Utf8("多余的参数：") + positional[1]);
    const QString path = positional.constFirst();
    const std::optional<PictureFormat> format = PictureFormatForPath(path);
    if (!format)
        return UsageError(Utf8("无法识别文件“") + path
                          + Utf8("”的类型：文件名应以 .png、.svg 或 .pdf 结尾"));

    CalculationOptions calculation;
    if (auto refused = ReadCalculationOptions(parser, calculation))
        return *refused;
    const auto &[design, pressure, parameters, winter] = calculation;
    PictureOptions options;
    if (auto refused = ReadPictureOptions(parser, options))
        return *refused;

    const auto application = StartOffscreenGui();
    ImageSurface picture;
    SetUpChartSurface(picture);
    picture.Resize(options.size.width(), options.size.height());

    // The boxes over the chart with the texts the window's boxes get.
    ChartBoxes boxes(options.size);
    CommandOutput output;
    SetChartScale(picture);
    ChartState chart;
    chart.B = pressure.B;
    chart.BText = pressure.text;
    if (parser.isSet(QStringLiteral("process"))) {
        // 计算并描点: the chart at precision 1, then the process.
        NoMessageBoxes prompts;
        ComputeAndPlot({chart, picture, boxes, prompts}, {design, parameters, winter}, true, {});
        if (!prompts.message.empty()) {
            output.status = exit_status::kStopped;
            output.err = prompts.message + '\n';
        }
    } else {
        chart.Precision = options.precision;
        try {
            DrawChart(chart, picture, boxes);
        } catch (const ArithmeticFault &fault) {
            output.status = exit_status::kStopped;
            output.err = FaultMessage("绘制焓湿图", fault) + '\n';
        }
    }

    // What a stopped calculation drew is saved too: it is what the window
    // shows. A file that could not be written ends the command as failed.
    const QString failure = SavePicture(picture, path, *format, options.scale, boxes.Overlay());
    if (!failure.isEmpty()) {
        output.status = exit_status::kStopped;
        output.err += failure.toStdString() + '\n';
    }
    return output;
}

CommandOutput WriteReportSheet(const QCommandLineParser &parser)
{
    const QString path = parser.positionalArguments().value(0);
    CalculationOptions calculation;
    if (auto refused = ReadCalculationOptions(parser, calculation))
        return *refused;
    const auto &[design, pressure, parameters, winter] = calculation;
    if (path.isEmpty() || !SheetFormatForPath(path))
        return UsageError(Utf8("无法识别文件“") + path
                          + Utf8("”的类型：文件名应以 .pdf 或 .html 结尾"));
    // The typed texts of the options go into the sheet as the user gave them,
    // a choice as the dialog names it.
    const auto summerTexts = OptionTexts(parser, kSummerParameters);
    const auto winterTexts = OptionTexts(parser, kWinterParameters);
    const TypedInputs typed {{summerTexts.begin(), summerTexts.end()},
                             {winterTexts.begin(), winterTexts.end()}};

    const auto application = StartOffscreenGui();
    const QSize size = DefaultChartSize();
    ImageSurface picture;
    SetUpChartSurface(picture);
    picture.Resize(size.width(), size.height());
    ChartBoxes boxes(size);
    SetChartScale(picture);
    ChartState chart;
    chart.B = pressure.B;
    chart.BText = pressure.text;

    // 计算并描点: the chart at precision 1, then the process.
    NoMessageBoxes prompts;
    const DesignRequest request {design, parameters, winter};
    DesignOutcome outcome;
    const std::optional<DesignTexts> texts
        = ComputeAndPlot({chart, picture, boxes, prompts}, request, true, {}, &outcome);
    CommandOutput output;
    if (!prompts.message.empty()) {
        output.status = exit_status::kStopped;
        output.err = prompts.message + '\n';
    }
    if (!texts)
        return output; // the chart itself could not be drawn: nothing was computed

    // A stopped calculation still has its sheet, with the message.
    const CalculationSheet sheet
        = MakeCalculationSheet({request, outcome, pressure.B, pressure.text, TodayText(), typed});
    const QString failure = SaveCalculationSheet(sheet, picture.Record(), boxes.Overlay(), path);
    if (!failure.isEmpty()) {
        output.status = exit_status::kWriteFailed;
        output.err += failure.toStdString() + '\n';
    }
    return output;
}
