#pragma once

#include "climate/climate_questions.h"
#include "climate/climate_tally.h"
#include "climate/weather_file.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ChartMenu;
class PictureBox;
class Prompts;
class QAction;
class QDialog;
class QMenu;
class QWidget;
struct Project;

// A year of weather and the comfort zones on the main window's chart: the
// chart's menu gains 导入气象数据…, 清除气象数据, 气象统计表…, 舒适区 ▸ (each zone
// shown or hidden, the PMV zone's conditions) and 显示方式 ▸ (density or dots
// by month, the cell size, the months and hours counted). The hours imported
// and the choices live here; the zones and the hours are drawn on the
// picture's zones and weather layers, so every saved, printed and copied
// picture has them, and drawn again at the chart's pressure whenever the
// chart is drawn. Nothing leaves a handler: a file that cannot be read is
// named in a message, and the work stays as it was.
class ClimateMenu : public QObject {
    Q_OBJECT
public:
    // `parametersSet` tells whether the design's inputs were confirmed: the
    // table then counts the hours above its summer outdoor temperatures.
    ClimateMenu(QWidget &window, PictureBox &picture, const Project &project,
                const bool &parametersSet, ChartMenu &menu, Prompts &prompts);
    ~ClimateMenu() override;

    // Draws the zones and weather layers again for the chart as it is now;
    // the caller shows the picture. The chart's drawing calls this.
    void Redraw();

    // 导入气象数据…: the file dialog, then Import.
    void ImportChosen();
    // Reads a weather file and shows it; a file that cannot be read is named
    // in a message with what is wrong, and what was shown stays. Hours
    // passed over are listed in a message. Answers whether it was read.
    bool Import(const QString &path);
    // 清除气象数据.
    void Clear();
    void ShowZone(comfort_zones::Zone zone, bool shown);
    void SetDisplay(climate::Display display);
    // The questions of PMV 条件…, 月份…, 时刻… and 格子大小… through the prompts;
    // a cancelled or refused answer changes nothing (a refusal is said).
    void AskPmv();
    void AskMonths();
    void AskHours();
    void AskCell();
    // 气象统计表…: the table of the hours in a window of its own.
    void ShowTable();

    const std::optional<weather::Weather> &Weather() const { return weather_; }
    const climate::ClimateSettings &Settings() const { return settings_; }
    // The hours as last drawn.
    const climate::Tally &Tally() const { return tally_; }
    // The rows of the table as it is now.
    std::vector<std::vector<std::string>> TableRows() const;
    // The last table window opened, or none.
    QDialog *LastTable() const { return lastTable_; }

    // The file dialog; tests replace it. It gets the folder to start in and
    // answers nothing when cancelled.
    std::function<std::optional<QString>(const QString &folder)> askWeatherFile;

    QAction *importWeather = nullptr;
    QAction *clearWeather = nullptr;
    QAction *showTable = nullptr;
    QMenu *zonesMenu = nullptr;
    QMenu *displayMenu = nullptr;
    std::array<QAction *, comfort_zones::kZoneCount> zoneActions {};
    QAction *pmvConditions = nullptr;
    QAction *densityView = nullptr;
    QAction *monthsView = nullptr;
    QAction *cellSize = nullptr;
    QAction *monthsFilter = nullptr;
    QAction *hoursFilter = nullptr;

private:
    // Draws the layers again and shows the picture.
    void DrawAgain();
    // Asks a topic's questions; the settings answered, when all are accepted,
    // are drawn.
    void Ask(climate::SettingsTopic topic);
    void UpdateActions();
    std::optional<climate::DesignTemperatures> Design() const;
    // Runs a handler's work; any fault ends it with a message.
    void Guarded(const std::function<void()> &work);

    QWidget &window_;
    PictureBox &picture_;
    const Project &project_;
    const bool &parametersSet_;
    Prompts &prompts_;
    std::optional<weather::Weather> weather_;
    climate::ClimateSettings settings_;
    climate::Tally tally_;
    QDialog *lastTable_ = nullptr;
};
