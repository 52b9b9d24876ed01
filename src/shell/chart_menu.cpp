#include "shell/chart_menu.h"

#include "qt/calculation_sheet_file.h"
#include "qt/chart_boxes.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "qt/picture_export.h"
#include "qt/picture_record.h"
#include "qt/prompts.h"
#include "report/calculation_sheet.h"
#include "report/result_sheet.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

struct ImageType {
    const char *filter;
    PictureFormat format;
    int scale;
};
const ImageType kImageTypes[] = {
    {"PNG 图像 ×1 (*.png)", PictureFormat::Png, 1}, {"PNG 图像 ×2 (*.png)", PictureFormat::Png, 2},
    {"PNG 图像 ×4 (*.png)", PictureFormat::Png, 4}, {"SVG 矢量图 (*.svg)", PictureFormat::Svg, 1},
    {"PDF 文档 (*.pdf)", PictureFormat::Pdf, 1},
};

const char *Suffix(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png:
        return "png";
    case PictureFormat::Svg:
        return "svg";
    case PictureFormat::Pdf:
        return "pdf";
    }
    return "png";
}

// The platform's save dialog with the picture types; a name typed with a
// known suffix decides the type, otherwise the chosen type adds its suffix.
std::optional<ChartMenu::ImageTarget> AskImageFile(QWidget *parent, const QString &folder)
{
    QStringList filters;
    for (const ImageType &type : kImageTypes)
        filters << QString::fromUtf8(type.filter);
    QFileDialog dialog(parent, QStringLiteral("保存图像"), folder,
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The type and scale chosen last time, in this run or an earlier one.
    QSettings settings;
    const qsizetype last = std::clamp<qsizetype>(
        settings.value(QStringLiteral("picture/type"), 0).toInt(), 0, filters.size() - 1);
    dialog.selectNameFilter(filters[last]);
    dialog.selectFile(QStringLiteral("焓湿图.") + QLatin1String(Suffix(kImageTypes[last].format)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype index = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    settings.setValue(QStringLiteral("picture/type"), static_cast<int>(index));
    const ImageType &chosen = kImageTypes[index];
    ChartMenu::ImageTarget target {dialog.selectedFiles().front(), chosen.format, chosen.scale};
    if (const auto typed = PictureFormatForPath(target.path)) {
        if (*typed != chosen.format)
            target.scale = 1;
        target.format = *typed;
    } else {
        target.path += QLatin1Char('.') + QLatin1String(Suffix(chosen.format));
    }
    return target;
}

std::optional<QString> AskResultsFile(QWidget *parent, const QString &folder, const QString &name)
{
    QFileDialog dialog(parent, QStringLiteral("导出结果"), folder,
                       QStringLiteral("CSV 表格 (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

// The platform's save dialog with the two sheet types; a name typed with
// .pdf, .html or .htm decides the type, otherwise the chosen type adds its suffix.
std::optional<QString> AskSheetFile(QWidget *parent, const QString &folder)
{
    const QStringList filters
        = {QStringLiteral("PDF 文档 (*.pdf)"), QStringLiteral("HTML 网页 (*.html *.htm)")};
    QFileDialog dialog(parent, QStringLiteral("生成计算书"), folder,
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QStringLiteral("计算书.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog.selectedFiles().front();
    if (!SheetFormatForPath(path))
        path += filters.indexOf(dialog.selectedNameFilter()) == 1 ? QStringLiteral(".html")
                                                                  : QStringLiteral(".pdf");
    return path;
}

QString StartFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

} // namespace

ChartMenu::ChartMenu(QWidget &window, PictureBox &picture, Prompts &prompts)
    : QObject(&window), window_(window), picture_(picture), prompts_(prompts)
{
    askImageFile = [this](const QString &folder) { return AskImageFile(&window_, folder); };
    askResultsFile = [this](const QString &folder) {
        return AskResultsFile(&window_, folder,
                              sheet_ ? QString::fromUtf8(DesignName(sheet_->texts.design))
                                      + QStringLiteral("计算结果.csv")
                                     : QStringLiteral("状态点.csv"));
    };
    askSheetFile = [this](const QString &folder) { return AskSheetFile(&window_, folder); };

    menu = new QMenu(&window);
    saveImage = AddAction(QStringLiteral("保存图像…"), QKeySequence(QStringLiteral("Ctrl+S")),
                          &ChartMenu::SaveImage);
    print = AddAction(QStringLiteral("打印…"), QKeySequence(QStringLiteral("Ctrl+P")),
                      &ChartMenu::Print);
    copyImage = AddAction(QStringLiteral("复制图像"), QKeySequence(), &ChartMenu::CopyImage);
    copyResults = AddAction(QStringLiteral("复制结果"),
                            QKeySequence(QStringLiteral("Ctrl+Shift+C")), &ChartMenu::CopyResults);
    exportResults = AddAction(QStringLiteral("导出结果…"), QKeySequence(QStringLiteral("Ctrl+E")),
                              &ChartMenu::ExportResults);
    generateSheet = AddAction(QStringLiteral("生成计算书…"), QKeySequence(QStringLiteral("Ctrl+R")),
                              &ChartMenu::GenerateSheet);
    // The view of a magnified chart.
    resetView = AddAction(QStringLiteral("复位视图"), QKeySequence(QStringLiteral("Ctrl+0")),
                          &ChartMenu::ResetView);
    saveView = AddAction(QStringLiteral("保存当前视图…"), QKeySequence(), &ChartMenu::SaveView);
    // The chart's style, one of three, ticked.
    styleMenu = menu->addMenu(QStringLiteral("图形样式"));
    auto *styles = new QActionGroup(this);
    for (std::size_t k = 0; k < kChartStyleNames.size(); ++k) {
        const ChartStyleName &name = kChartStyleNames[k];
        QAction *action = styleMenu->addAction(QString::fromUtf8(name.caption));
        action->setCheckable(true);
        action->setChecked(name.style == ChartStyle::Original);
        styles->addAction(action);
        connect(action, &QAction::triggered, this, [this, style = name.style] {
            if (chooseStyle)
                chooseStyle(style);
        });
        styleActions[k] = action;
    }
    copyResults->setEnabled(false);
    exportResults->setEnabled(false);
    generateSheet->setEnabled(false);

    picture_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&picture_, &QWidget::customContextMenuRequested, this, &ChartMenu::ShowMenu);
}

ChartMenu::~ChartMenu() = default;

QAction *ChartMenu::AddAction(const QString &text, const QKeySequence &shortcut,
                              void (ChartMenu::*slot)())
{
    auto *action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    // On the window for its shortcut, in the menu for the right-click.
    window_.addAction(action);
    menu->addAction(action);
    return action;
}

void ChartMenu::ShowStyle(ChartStyle style)
{
    for (std::size_t k = 0; k < kChartStyleNames.size(); ++k)
        styleActions[k]->setChecked(kChartStyleNames[k].style == style);
}

void ChartMenu::ShowMenu(const QPoint &position)
{
    // A right-click while the left button drags the readout changes nothing.
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        return;
    if (pointMenu && pointMenu(position))
        return;
    menu->popup(picture_.mapToGlobal(position));
}

void ChartMenu::SetResults(std::shared_ptr<const ResultSheet> sheet,
                           std::shared_ptr<const CalculationSheet> calculation)
{
    sheet_ = std::move(sheet);
    calculation_ = std::move(calculation);
    generateSheet->setEnabled(calculation_ != nullptr);
    if (calculation_) {
        chart_ = std::make_shared<const PictureRecord>(picture_.Surface().Record());
        overlay_ = Overlay();
    } else {
        chart_.reset();
        overlay_ = PictureOverlay();
    }
    UpdateResultActions();
}

PictureOverlay ChartMenu::Overlay() const
{
    return OverlayFor(boxes ? boxes() : BoxTexts(), picture_.Surface().Size(),
                      picture_.logicalDpiY());
}

void ChartMenu::UpdateResultActions()
{
    const bool any = sheet_ != nullptr || (pointsTable && !pointsTable().empty());
    copyResults->setEnabled(any);
    exportResults->setEnabled(any);
}

std::vector<std::vector<std::string>> ChartMenu::PointsTable() const
{
    return pointsTable ? pointsTable() : std::vector<std::vector<std::string>>();
}

QString ChartMenu::Folder(const char *dialog) const
{
    return QSettings()
        .value(QStringLiteral("folders/") + QLatin1String(dialog), StartFolder())
        .toString();
}

void ChartMenu::Remember(const char *dialog, const QString &path)
{
    QSettings().setValue(QStringLiteral("folders/") + QLatin1String(dialog),
                         QFileInfo(path).absolutePath());
}

void ChartMenu::SaveImage()
{
    const std::optional<ImageTarget> target = askImageFile(Folder("picture"));
    if (!target)
        return;
    Remember("picture", target->path);
    const QString failure
        = SavePicture(picture_.Surface(), target->path, target->format, target->scale, Overlay());
    if (!failure.isEmpty())
        prompts_.MsgBox(failure.toStdString());
}

void ChartMenu::ResetView()
{
    picture_.ResetView();
}

void ChartMenu::SaveView()
{
    const std::optional<ImageTarget> target = askImageFile(Folder("picture"));
    if (!target)
        return;
    Remember("picture", target->path);
    const QString failure = SavePicture(picture_.ShownSurface(), target->path, target->format,
                                        target->scale, Overlay());
    if (!failure.isEmpty())
        prompts_.MsgBox(failure.toStdString());
}

void ChartMenu::PrintOn(QPrinter &printer)
{
    QPainter painter(&printer);
    PaintOnPage(painter, printer, picture_.Surface().Record(), Overlay());
}

void ChartMenu::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("焓湿图"));
    QPrintPreviewDialog preview(&printer, &window_);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { PrintOn(*target); });
    preview.exec();
}

void ChartMenu::CopyImage()
{
    ImageSurface &surface = picture_.Surface();
    QImage image = RenderPicture(surface, Overlay(), surface.DevicePixelRatio());
    image.setDevicePixelRatio(surface.DevicePixelRatio());
    QGuiApplication::clipboard()->setImage(image);
}

void ChartMenu::CopyResults()
{
    // The results, then after an empty line the state points.
    const std::string tsv = CopiedTsv(sheet_.get(), PointsTable());
    if (!tsv.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(tsv));
}

void ChartMenu::ExportResults()
{
    const std::vector<std::vector<std::string>> points = PointsTable();
    if (!sheet_ && points.empty())
        return;
    const std::optional<QString> path = askResultsFile(Folder("results"));
    if (!path)
        return;
    Remember("results", *path);
    const std::string csv = ExportedCsv(sheet_.get(), points);
    const QString failure = WriteWholeFile(*path, QByteArray::fromStdString(csv));
    if (!failure.isEmpty())
        prompts_.MsgBox(failure.toStdString());
}

void ChartMenu::GenerateSheet()
{
    if (!calculation_ || !chart_)
        return;
    const std::optional<QString> path = askSheetFile(Folder("sheet"));
    if (!path)
        return;
    Remember("sheet", *path);
    CalculationSheet sheet = *calculation_;
    sheet.date = TodayText();
    const QString failure = SaveCalculationSheet(sheet, *chart_, overlay_, *path);
    if (!failure.isEmpty())
        prompts_.MsgBox(failure.toStdString());
}
