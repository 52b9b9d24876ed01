#include "shell/climate_menu.h"

#include "shell/table_dialog.h"

#include "climate/climate_drawing.h"
#include "climate/climate_questions.h"
#include "climate/climate_report.h"
#include "io/whole_file.h"
#include "project/project.h"
#include "qt/fonts.h"
#include "qt/picture_box.h"
#include "qt/prompts.h"
#include "report/result_sheet.h"
#include "shell/chart_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <exception>

using comfort_zones::Zone;

namespace {

// A weather file of ten years of hourly rows is some ten megabytes; anything
// this large is not one.
constexpr qint64 kLargestWeatherFile = 256 * 1024 * 1024;
constexpr double kTablePoints = 9.0;

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

std::optional<QString> AskWeatherFile(QWidget *parent, const QString &folder)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, QStringLiteral("导入气象数据"), folder,
        QStringLiteral("气象数据 (*.epw *.EPW *.csv *.CSV);;EPW 文件 (*.epw *.EPW);;CSV 表格 "
                       "(*.csv *.CSV);;所有文件 (*)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

ClimateMenu::ClimateMenu(QWidget &window, PictureBox &picture, const Project &project,
                         const bool &parametersSet, ChartMenu &menu, Prompts &prompts)
    : QObject(&window), window_(window), picture_(picture), project_(project),
      parametersSet_(parametersSet), prompts_(prompts)
{
    askWeatherFile = [this](const QString &folder) { return AskWeatherFile(&window_, folder); };

    QMenu &top = *menu.menu;
    top.addSeparator();
    importWeather = top.addAction(QStringLiteral("导入气象数据…"));
    clearWeather = top.addAction(QStringLiteral("清除气象数据"));
    showTable = top.addAction(QStringLiteral("气象统计表…"));
    connect(importWeather, &QAction::triggered, this, &ClimateMenu::ImportChosen);
    connect(clearWeather, &QAction::triggered, this, &ClimateMenu::Clear);
    connect(showTable, &QAction::triggered, this, &ClimateMenu::ShowTable);

    zonesMenu = top.addMenu(QStringLiteral("舒适区"));
    for (const Zone zone : comfort_zones::kZones) {
        QAction *action = zonesMenu->addAction(
            Text(zone == Zone::Pmv ? "PMV 舒适区" : climate::ZoneCaption(zone, settings_)));
        action->setCheckable(true);
        connect(action, &QAction::toggled, this,
                [this, zone](bool shown) { ShowZone(zone, shown); });
        zoneActions[static_cast<std::size_t>(zone)] = action;
    }
    zonesMenu->addSeparator();
    pmvConditions = zonesMenu->addAction(QStringLiteral("PMV 条件…"));
    connect(pmvConditions, &QAction::triggered, this, &ClimateMenu::AskPmv);

    displayMenu = top.addMenu(QStringLiteral("显示方式"));
    auto *views = new QActionGroup(this);
    densityView = displayMenu->addAction(QStringLiteral("密度（每格小时数）"));
    monthsView = displayMenu->addAction(QStringLiteral("逐时点（按月份着色）"));
    for (QAction *view : {densityView, monthsView}) {
        view->setCheckable(true);
        views->addAction(view);
    }
    densityView->setChecked(true);
    connect(densityView, &QAction::triggered, this,
            [this] { SetDisplay(climate::Display::Density); });
    connect(monthsView, &QAction::triggered, this,
            [this] { SetDisplay(climate::Display::Months); });
    displayMenu->addSeparator();
    cellSize = displayMenu->addAction(QStringLiteral("格子大小…"));
    monthsFilter = displayMenu->addAction(QStringLiteral("月份…"));
    hoursFilter = displayMenu->addAction(QStringLiteral("时刻…"));
    connect(cellSize, &QAction::triggered, this, &ClimateMenu::AskCell);
    connect(monthsFilter, &QAction::triggered, this, &ClimateMenu::AskMonths);
    connect(hoursFilter, &QAction::triggered, this, &ClimateMenu::AskHours);
    UpdateActions();
}

ClimateMenu::~ClimateMenu() = default;

void ClimateMenu::Guarded(const std::function<void()> &work)
{
    std::string message;
    try {
        work();
    } catch (const std::exception &error) {
        message = std::string("显示气象数据时出现错误：") + error.what();
    } catch (...) {
        message = "显示气象数据时出现意外错误，操作已停止。";
    }
    try {
        if (!message.empty())
            prompts_.MsgBox(message);
    } catch (...) {
    }
}

std::optional<climate::DesignTemperatures> ClimateMenu::Design() const
{
    if (!parametersSet_ || project_.design == DesignKind::PrimaryWinter)
        return std::nullopt;
    return climate::DesignTemperatures {project_.summer.tw, project_.summer.ts};
}

void ClimateMenu::Redraw()
{
    tally_ = climate::DrawClimateLayers(picture_.ChartScene(), project_.chart.B, settings_,
                                        weather_ ? &*weather_ : nullptr, Design());
}

void ClimateMenu::DrawAgain()
{
    Redraw();
    picture_.ShowScene();
}

void ClimateMenu::UpdateActions()
{
    clearWeather->setEnabled(weather_.has_value());
    showTable->setEnabled(weather_.has_value());
    monthsFilter->setEnabled(!weather_ || weather_->timed);
    hoursFilter->setEnabled(!weather_ || weather_->timed);
}

void ClimateMenu::ImportChosen()
{
    const QString folder
        = QSettings().value(QStringLiteral("folders/weather"), QDir::homePath()).toString();
    const std::optional<QString> path = askWeatherFile(folder);
    if (!path)
        return;
    QSettings().setValue(QStringLiteral("folders/weather"), QFileInfo(*path).absolutePath());
    Import(*path);
}

bool ClimateMenu::Import(const QString &path)
{
    bool read = false;
    Guarded([&] {
        const FileContent content = ReadWholeFile(path, kLargestWeatherFile);
        const std::string named = "无法导入气象数据文件“"
            + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString() + "”：";
        if (!content.bytes) {
            prompts_.MsgBox(named + content.failure.toStdString());
            return;
        }
        weather::Reading reading = weather::ReadWeather(
            std::string_view(content.bytes->constData(),
                             static_cast<std::size_t>(content.bytes->size())),
            path.toStdString(), project_.chart.B);
        if (!reading.weather) {
            prompts_.MsgBox(named + reading.error);
            return;
        }
        weather_ = std::move(*reading.weather);
        // A table without months and hours is counted whole.
        if (!weather_->timed)
            settings_.filter = climate::HourFilter();
        read = true;
        UpdateActions();
        DrawAgain();
        if (weather_->skippedCount > 0)
            prompts_.MsgBox(std::to_string(weather_->skippedCount)
                            + " 小时缺测或无法求状态，未画出也未计入：\n"
                            + climate::SkippedText(*weather_));
    });
    return read;
}

void ClimateMenu::Clear()
{
    Guarded([this] {
        weather_.reset();
        UpdateActions();
        DrawAgain();
    });
}

void ClimateMenu::ShowZone(Zone zone, bool shown)
{
    Guarded([&] {
        settings_.zones[static_cast<std::size_t>(zone)] = shown;
        QAction *action = zoneActions[static_cast<std::size_t>(zone)];
        if (action->isChecked() != shown) {
            const QSignalBlocker quiet(action);
            action->setChecked(shown);
        }
        DrawAgain();
    });
}

void ClimateMenu::SetDisplay(climate::Display display)
{
    Guarded([&] {
        settings_.display = display;
        (display == climate::Display::Density ? densityView : monthsView)->setChecked(true);
        DrawAgain();
    });
}

void ClimateMenu::Ask(climate::SettingsTopic topic)
{
    Guarded([&] {
        climate::SettingsQuestions questions(topic, settings_);
        while (!questions.Done()) {
            const Question &next = questions.Next();
            if (const std::optional<std::string> message
                = questions.Answer(prompts_.InputBox(next.prompt, next.title, next.defaultText)))
                prompts_.MsgBox(*message);
        }
        if (!questions.Accepted())
            return;
        settings_ = questions.Settings();
        DrawAgain();
    });
}

void ClimateMenu::AskPmv()
{
    Ask(climate::SettingsTopic::Pmv);
}

void ClimateMenu::AskMonths()
{
    Ask(climate::SettingsTopic::Months);
}

void ClimateMenu::AskHours()
{
    Ask(climate::SettingsTopic::Hours);
}

void ClimateMenu::AskCell()
{
    Ask(climate::SettingsTopic::Cell);
}

std::vector<std::vector<std::string>> ClimateMenu::TableRows() const
{
    if (!weather_)
        return {};
    return climate::TallyRows(*weather_, tally_, settings_);
}

void ClimateMenu::ShowTable()
{
    Guarded([this] {
        const std::vector<std::vector<std::string>> rows = TableRows();
        if (rows.empty())
            return;
        QDialog *dialog = ShowTableDialog(window_, QStringLiteral("气象统计"), rows, true,
                                          QSize(620, 70 + 26 * static_cast<int>(rows.size())));
        lastTable_ = dialog;
        connect(dialog, &QObject::destroyed, this, [this, dialog] {
            if (lastTable_ == dialog)
                lastTable_ = nullptr;
        });
    });
}
