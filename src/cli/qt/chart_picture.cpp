#include "cli/qt/chart_picture.h"
#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "cli/command.h"
#include "process/design_parameters.h"
#include "process/headless_compute.h"
#include "psychro/arithmetic_fault.h"
#include "ui/fault_message.h"
#include "ui/qt/chart_surface.h"
#include "ui/qt/fonts.h"
#include "ui/qt/image_surface.h"
#include "ui/qt/picture_export.h"

#include <QGuiApplication>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// The texts the chart would write into the window's boxes; nobody reads them here.
class NoBoxes : public MainWindowTexts {
public:
    void SetReadoutCell(int, const std::string &) override { }
    void SetResultBox(ResultBox, const std::string &) override { }
    void SetStateBox(StateBox, const std::string &) override { }
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

// Drawing needs Qt's GUI layer; without a window it runs on the offscreen
// platform, whatever the environment asks for.
std::unique_ptr<QGuiApplication> StartOffscreenGui()
{
    if (QCoreApplication::instance())
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(WithoutRuntimeFolderNote);
    static int argc = 1;
    static char program[] = "idchart";
    static char *argv[] = {program, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
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

    Pressure pressure;
    DesignParameters parameters;
    if (auto refused = ReadPressure(parser, pressure))
        return *refused;
    if (auto refused = ReadDesignOptions(parser, parameters))
        return *refused;
    PictureOptions options;
    if (auto refused = ReadPictureOptions(parser, options))
        return *refused;

    const auto application = StartOffscreenGui();
    ImageSurface picture;
    SetUpChartSurface(picture);
    picture.Resize(options.size.width(), options.size.height());

    CommandOutput output;
    if (parser.isSet(QStringLiteral("process"))) {
        // 计算并描点: the chart at precision 1, then the process.
        const HeadlessComputation run
            = ComputeWithoutWindow(parameters, pressure.B, pressure.text, picture);
        if (!run.messages.empty()) {
            output.status = exit_status::kStopped;
            output.err = run.messages.back() + '\n';
        }
    } else {
        SetChartScale(picture);
        ChartState chart;
        chart.B = pressure.B;
        chart.BText = pressure.text;
        chart.Precision = options.precision;
        NoBoxes boxes;
        try {
            DrawChart(chart, picture, boxes);
        } catch (const ArithmeticFault &fault) {
            output.status = exit_status::kStopped;
            output.err = FaultMessage("绘制焓湿图", fault) + '\n';
        }
    }

    // What a stopped calculation drew is saved too: it is what the window shows.
    const QString refusal = SavePicture(picture, path, *format, options.scale);
    if (!refusal.isEmpty())
        return WriteFailure(refusal);
    return output;
}
