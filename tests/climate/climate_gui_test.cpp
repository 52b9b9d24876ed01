#include "cli/command.h"
#include "cli/qt/chart_picture.h"
#include "cli/run_command.h"
#include "climate/comfort_zones.h"
#include "climate/synthetic_weather.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "qt/picture_export.h"
#include "shell/chart_menu.h"
#include "shell/climate_menu.h"
#include "shell/form1.h"
#include "support/main_window.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

using comfort_zones::Zone;

namespace {

struct ChartWithWeather : MainWindowAfterSplash {
    QTemporaryDir folder;
    ChartWithWeather() { form().重绘_Click(); }
    ClimateMenu &climate() { return form().Climate(); }
    QImage Picture() { return form().Picture().Image().copy(); }
    QString Write(const QString &name, const std::string &text)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }
    // The pixel of a chart point on the picture.
    QPoint Pixel(float d, float i)
    {
        const ScaleMap &m = form().Picture().Map();
        return QPoint(static_cast<int>(std::floor(m.ToPixelX(d))),
                      static_cast<int>(std::floor(m.ToPixelY(i))));
    }
};

// The middle of a zone as the chart of pressure B draws it.
SurfacePoint Middle(Zone zone, double B)
{
    const comfort_zones::ZoneShape shape
        = comfort_zones::TableZoneShape(*comfort_zones::TableRow(zone), B);
    SurfacePoint sum;
    for (const StatePoint &corner : shape.corners) {
        sum.x += corner.d / 4.0f;
        sum.y += corner.i / 4.0f;
    }
    return sum;
}

} // namespace

// A translucent polygon lets what lies below show through, at the window's
// resolution and drawn again at twice it.
TEST(ClimatePicture, TranslucentPolygonsBlendOverThePicture)
{
    ImageSurface surface;
    surface.SetBackColor(colours::kWhite);
    surface.Resize(40, 40);
    surface.Cls();
    surface.FillBox(0, 0, 19, 39, colours::kBlack);
    const SurfacePoint square[] = {{5, 5}, {35, 5}, {35, 35}, {5, 35}};
    surface.FillPolygon(square, {0, 0, 255}, 128);
    for (const double scale : {1.0, 2.0}) {
        const QImage image = surface.Render(scale);
        const QColor overWhite = image.pixelColor(QPoint(30, 20) * scale);
        const QColor overBlack = image.pixelColor(QPoint(10, 20) * scale);
        EXPECT_NEAR(overWhite.red(), 127, 2) << scale;
        EXPECT_EQ(overWhite.blue(), 255) << scale;
        EXPECT_EQ(overBlack.red(), 0) << scale;
        EXPECT_NEAR(overBlack.blue(), 128, 2) << scale;
        EXPECT_EQ(image.pixelColor(QPoint(2, 38) * scale), QColor(Qt::black)) << "outside";
        EXPECT_EQ(image.pixelColor(QPoint(38, 2) * scale), QColor(Qt::white)) << "outside";
    }
}

// Importing the synthetic year, showing a zone and changing the chart's
// pressure: the hours and the zone are on the picture, in a saved PNG, and
// the zone follows the pressure; a bad file leaves the work as it was.
TEST(ClimateMenu, ImportedHoursAndZonesFollowTheChart)
{
    ChartWithWeather w;
    ChartMenu &menu = w.form().Menu();
    const QList<QAction *> entries = menu.menu->actions();
    for (QAction *entry :
         {w.climate().importWeather, w.climate().clearWeather, w.climate().showTable,
          w.climate().zonesMenu->menuAction(), w.climate().displayMenu->menuAction()})
        EXPECT_TRUE(entries.contains(entry)) << entry->text().toStdString();
    EXPECT_EQ(entries.back()->text(), QStringLiteral("清除全部状态点"))
        << "the state points' entries stay last";
    EXPECT_FALSE(w.climate().clearWeather->isEnabled());

    const SurfacePoint cooling = Middle(Zone::CoolingI, 101325.0);
    const QImage chart = w.Picture();
    ASSERT_TRUE(w.climate().Import(w.Write("plateau.epw", synthetic::Epw())));
    ASSERT_EQ(w.prompts.messages.size(), 1u) << "the hours passed over are listed";
    EXPECT_NE(w.prompts.messages[0].find("第 109 行：干球温度缺测"), std::string::npos)
        << w.prompts.messages[0];
    EXPECT_TRUE(w.climate().clearWeather->isEnabled());
    w.climate().zoneActions[static_cast<std::size_t>(Zone::CoolingI)]->trigger();
    EXPECT_TRUE(comfort_zones::Has(w.climate().Settings().zones, Zone::CoolingI));
    const QImage shown = w.Picture();
    const QPoint zonePixel = w.Pixel(cooling.x, cooling.y);
    EXPECT_NE(shown.pixelColor(zonePixel), chart.pixelColor(zonePixel));
    EXPECT_GT(w.climate().Tally().counted, 8000);
    EXPECT_EQ(w.climate().Tally().zones.size(), 1u);

    // The saved picture is the window's, overlay included.
    const QString png = w.folder.filePath(QStringLiteral("climate.png"));
    menu.askImageFile = [&](const QString &) {
        return std::optional<ChartMenu::ImageTarget>({png, PictureFormat::Png, 1});
    };
    menu.SaveImage();
    const QImage saved = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.pixelColor(zonePixel), shown.pixelColor(zonePixel));

    // Another pressure: the zone is drawn again where that chart has it.
    w.prompts.Answer("90000");
    w.prompts.Answer("1");
    w.form().生成焓湿图_Click();
    const comfort_zones::ZoneShape at90000
        = comfort_zones::TableZoneShape(*comfort_zones::TableRow(Zone::CoolingI), 90000.0);
    const std::vector<Scene::Op> &zones
        = w.form().Controls().Picture1->ChartScene().Ops(SceneLayer::Zones);
    ASSERT_GT(zones.size(), 2u);
    EXPECT_EQ(zones[0].kind, Scene::Kind::Polygon);
    EXPECT_EQ(zones[1].x1, at90000.outline[0].x);
    EXPECT_EQ(zones[1].y1, at90000.outline[0].y);
    EXPECT_EQ(w.climate().Tally().B, 90000.0);

    // A cut file is refused with its line; the year stays shown.
    w.prompts.messages.clear();
    const std::string year = synthetic::Epw();
    EXPECT_FALSE(w.climate().Import(w.Write("cut.epw", year.substr(0, year.size() - 30))));
    ASSERT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_NE(w.prompts.messages[0].find("第 8768 行只有"), std::string::npos)
        << w.prompts.messages[0];
    EXPECT_EQ(w.climate().Weather()->fileName, "plateau.epw");

    // The table counts what the chart shows.
    const std::vector<std::vector<std::string>> rows = w.climate().TableRows();
    const auto zoneRow = std::find_if(rows.begin(), rows.end(),
                                      [](const auto &row) { return row[0].find("供冷 I级") == 0; });
    ASSERT_NE(zoneRow, rows.end());
    EXPECT_EQ((*zoneRow)[1], std::to_string(w.climate().Tally().zones[0].hours));

    w.climate().Clear();
    EXPECT_FALSE(w.climate().Weather());
    EXPECT_TRUE(w.form().Controls().Picture1->ChartScene().Ops(SceneLayer::Climate).empty());
    EXPECT_FALSE(w.form().Controls().Picture1->ChartScene().Ops(SceneLayer::Zones).empty())
        << "the zone stays shown";
}

// The PMV conditions and the filters are asked through the prompts; a
// refused answer changes nothing and says so.
TEST(ClimateMenu, ConditionsAndFiltersAreAskedAndChecked)
{
    ChartWithWeather w;
    ASSERT_TRUE(w.climate().Import(w.Write("plateau.epw", synthetic::Epw())));
    for (const char *answer : {"1.0", "1.0", "0.2", "0.7", "26"})
        w.prompts.Answer(answer);
    w.climate().AskPmv();
    const comfort_zones::PmvZone &pmv = w.climate().Settings().pmv;
    EXPECT_EQ(pmv.conditions.met, 1.0);
    EXPECT_EQ(pmv.conditions.clo, 1.0);
    EXPECT_EQ(pmv.conditions.airSpeed, 0.2);
    EXPECT_EQ(pmv.limit, 0.7);
    EXPECT_EQ(pmv.conditions.meanRadiant, 26.0);

    w.prompts.messages.clear();
    w.prompts.Answer("7"); // beyond 6 met
    w.climate().AskPmv();
    EXPECT_EQ(w.climate().Settings().pmv.conditions.met, 1.0) << "refused: unchanged";
    EXPECT_EQ(w.prompts.messages.size(), 1u);

    w.prompts.Answer("6-8");
    w.climate().AskMonths();
    w.prompts.Answer("25");
    w.climate().AskHours();
    EXPECT_EQ(w.prompts.messages.size(), 2u);
    EXPECT_TRUE(w.climate().Settings().filter.hours[0]) << "refused: unchanged";
    EXPECT_EQ(w.climate().Tally().counted, 92 * 24 - 1) << "June to August, less the hour 5000";
}

// idchart climate and chart --climate as a user runs them.
TEST(ClimateCommand, CountsAndPicturesFromTheCommandLine)
{
    SetChartDrawing(DrawChartPicture); // as the window program does
    QTemporaryDir folder;
    const auto write = [&](const QString &name, const std::string &text) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    };
    const QString epw = write(QStringLiteral("plateau.epw"), synthetic::Epw());
    const CommandOutput json = RunArguments(
        {QStringLiteral("climate"), epw, QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(json.status, 1) << "hours were passed over";
    EXPECT_NE(json.out.find("\"counted\": 8756"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"key\": \"cool-1\""), std::string::npos) << json.out;
    EXPECT_NE(json.err.find("第 109 行"), std::string::npos) << json.err;

    const std::string year = synthetic::Epw();
    const struct {
        QStringList arguments;
        int status;
        std::string message;
    } refusals[] = {
        {{QStringLiteral("climate"), write(QStringLiteral("cut.epw"), year.substr(0, 5000))},
         1,
         "只有"},
        {{QStringLiteral("climate"), write(QStringLiteral("t.csv"), "t,month\n20,1\n")},
         1,
         "第 1 行（表头）"},
        {{QStringLiteral("climate"), folder.filePath(QStringLiteral("none.epw"))},
         1,
         "无法读取气象数据文件"},
        {{QStringLiteral("climate"), write(QStringLiteral("plain.csv"), "t,phi\n20,50\n"),
          QStringLiteral("--months"), QStringLiteral("7")},
         1,
         "不能按 --months"},
        {{QStringLiteral("climate"), epw, QStringLiteral("--zones"), QStringLiteral("cool-3")},
         2,
         "--zones"},
        {{QStringLiteral("climate"), epw, QStringLiteral("--months"), QStringLiteral("13")},
         2,
         "--months"},
    };
    for (const auto &r : refusals) {
        const CommandOutput output = RunArguments(r.arguments);
        EXPECT_EQ(output.status, r.status) << r.message;
        EXPECT_NE(output.err.find(r.message), std::string::npos) << output.err;
    }

    // The chart with the zones and the hours: the zone's middle is shaded.
    const QString plain = folder.filePath(QStringLiteral("plain.png"));
    const QString shaded = folder.filePath(QStringLiteral("shaded.png"));
    EXPECT_EQ(RunArguments({QStringLiteral("chart"), plain}).status, 0);
    const CommandOutput drawn
        = RunArguments({QStringLiteral("chart"), shaded, QStringLiteral("--climate"), epw,
                        QStringLiteral("--zones"), QStringLiteral("gb50736")});
    EXPECT_EQ(drawn.status, 1) << drawn.err;
    const QImage a(plain), b(shaded);
    ASSERT_EQ(a.size(), b.size());
    const SurfacePoint cooling = Middle(Zone::CoolingI, 101325.0);
    const QPoint pixel(static_cast<int>(cooling.x / 42.0 * a.width()),
                       static_cast<int>((145.0 - cooling.y) / 175.0 * a.height()));
    EXPECT_NE(a.pixelColor(pixel), b.pixelColor(pixel));
    SetChartDrawing(nullptr);
}
