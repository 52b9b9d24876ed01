#include "designs/design_parameters.h"
#include "psychro/state_solver.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "qt/picture_export.h"
#include "readout/state_points.h"
#include "shell/chart_menu.h"
#include "shell/chart_points.h"
#include "shell/form1.h"
#include "shell/state_point_dialog.h"
#include "support/main_window.h"
#include "text/number_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using state_solver::Property;

namespace {

const QColor kPointBlue(0, 0, 255);

struct ChartWithPoints : MainWindowAfterSplash {
    ChartWithPoints() { form().重绘_Click(); }
    ChartPoints &points() { return form().Points(); }
    ChartMenu &menu() { return form().Menu(); }
    QImage Picture() { return form().Picture().Image().copy(); }
    // 计算并描点 with the usual summer parameters.
    void Compute()
    {
        shell.Parameters() = {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
        form().ParametersSet = true;
        form().计算并描点_Click();
    }
    // The pixel of a point's dot centre on the picture.
    QPoint Dot(std::size_t index)
    {
        const MoistAirState &s = *points().Points().Points()[index].solution.state;
        const ScaleMap &m = form().Picture().Map();
        return QPoint(static_cast<int>(std::floor(m.ToPixelX(s.d))),
                      static_cast<int>(std::floor(m.ToPixelY(s.i))));
    }
    // 标注状态点… from the chart's menu, `work` run on the open dialog.
    void MarkPoint(const std::function<void(StatePointDialog &)> &work)
    {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<StatePointDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            work(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        points().markPoint->trigger();
    }
};

void Type(StatePointDialog &dialog, int first, const char *a, int second, const char *b,
          const char *name = "")
{
    dialog.property[0]->setCurrentIndex(first);
    dialog.value[0]->setText(QString::fromUtf8(a));
    dialog.property[1]->setCurrentIndex(second);
    dialog.value[1]->setText(QString::fromUtf8(b));
    dialog.name->setText(QString::fromUtf8(name));
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The dialog refuses what gives no point and stays open; OK with a good
// pair draws the dot, named P1 by default, which then stays through a new
// pressure (solved again from its two typed properties), 重绘 and a
// calculation, and its removal leaves the chart as it was.
TEST(ChartPoints, TypedPointSurvivesANewPressureUntilRemoved)
{
    ChartWithPoints w;
    const QImage bare = w.Picture();
    const int t = static_cast<int>(Property::t), phi = static_cast<int>(Property::phi);
    const int d = static_cast<int>(Property::d), pq = static_cast<int>(Property::Pq);
    const struct {
        int first;
        const char *a;
        int second;
        const char *b;
        const char *says; // in the message
    } refused[] = {
        {t, "abc", phi, "65", "请输入"}, // not a number
        {d, "10", pq, "1500", "水蒸气分压力"}, // one quantity only
        {t, "20", phi, "150", ""}, // no state: the solver's message
    };
    w.MarkPoint([&](StatePointDialog &dialog) {
        EXPECT_EQ(dialog.font().family(), QStringLiteral("宋体"));
        for (const auto &c : refused) {
            w.prompts.messages.clear();
            Type(dialog, c.first, c.a, c.second, c.b);
            dialog.ok->click();
            ASSERT_EQ(w.prompts.messages.size(), 1u) << c.a << " " << c.b;
            EXPECT_NE(w.prompts.messages[0].find(c.says), std::string::npos)
                << w.prompts.messages[0];
            EXPECT_TRUE(dialog.isVisible()) << c.a << " " << c.b;
        }
        w.prompts.messages.clear();
        Type(dialog, t, "32", phi, "65");
        dialog.ok->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(w.prompts.messages.empty());
    ASSERT_EQ(w.points().Points().Points().size(), 1u);
    EXPECT_EQ(w.points().Points().Points()[0].name, "P1");
    EXPECT_EQ(w.Picture().pixelColor(w.Dot(0)), kPointBlue);
    EXPECT_TRUE(w.menu().copyResults->isEnabled()) << "the points alone can be copied";
    EXPECT_TRUE(w.points().clearPoints->isEnabled());
    EXPECT_TRUE(w.points().ToolTipAt(w.Dot(0)).startsWith(QStringLiteral("P1\nt = 32 ℃")));
    EXPECT_TRUE(w.points().ToolTipAt(w.Dot(0) + QPoint(20, 20)).isEmpty());

    // 生成焓湿图 at 90000 Pa: the point is solved again there.
    const float dBefore = w.points().Points().Points()[0].solution.state->d;
    w.prompts.Answer("90000");
    w.prompts.Answer("1");
    w.form().生成焓湿图_Click();
    const MoistAirState at90000
        = *SolveState(90000.0, {Property::t, 32.0}, {Property::phi, 65.0}).state;
    const MoistAirState &now = *w.points().Points().Points()[0].solution.state;
    EXPECT_EQ(now.d, at90000.d);
    EXPECT_GT(now.d, dBefore) << "less pressure, more moisture at the same t and φ";
    EXPECT_EQ(w.Picture().pixelColor(w.Dot(0)), kPointBlue);

    // A calculation and 重绘 keep it.
    w.Compute();
    EXPECT_EQ(w.Picture().pixelColor(w.Dot(0)), kPointBlue);
    w.form().chart.B = 101325.0;
    w.form().chart.BText = "101325";
    w.form().重绘_Click();
    EXPECT_EQ(w.Picture().pixelColor(w.Dot(0)), kPointBlue);
    EXPECT_TRUE(w.Picture() != bare);

    // The point's menu: 删除 takes it off the chart; the chart is as before.
    QMenu *menu = w.points().PointMenu(0);
    ASSERT_EQ(menu->actions().size(), 4);
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("删除"));
    menu->actions()[1]->trigger();
    EXPECT_TRUE(w.points().Points().Empty());
    EXPECT_TRUE(w.Picture() == bare);
    EXPECT_FALSE(w.points().clearPoints->isEnabled());
    for (const std::string &m : w.prompts.messages)
        ADD_FAILURE() << m;
}

// A process line between two points with its ε, Δi and Δd; the mixing
// point for a typed share; 清除全部状态点 takes all of it away.
TEST(ChartPoints, LineMixtureAndClear)
{
    ChartWithPoints w;
    const QImage bare = w.Picture();
    ASSERT_FALSE(w.points().Add({Property::t, 26}, {Property::phi, 60}, "N"));
    ASSERT_FALSE(w.points().Add({Property::t, 35}, {Property::ts, 26.5}, "W"));
    const auto &points = w.points().Points().Points();
    const MoistAirState N = *points[0].solution.state, W = *points[1].solution.state;

    w.points().Connect(0, 1);
    ASSERT_NE(w.points().LastTable(), nullptr);
    auto *table = w.points().LastTable()->findChild<QTableWidget *>();
    ASSERT_NE(table, nullptr);
    const auto line = state_points::LineBetween(N, W);
    EXPECT_EQ(table->item(2, 1)->text().toStdString(),
              SingleText(static_cast<float>(*line.epsilon)));
    EXPECT_EQ(table->item(3, 1)->text().toStdString(), SingleText(line.di));
    EXPECT_EQ(table->item(4, 1)->text().toStdString(), SingleText(line.dd));
    // The line's middle is drawn in the points' blue.
    const ScaleMap &m = w.form().Picture().Map();
    const QPoint middle(static_cast<int>(std::floor(m.ToPixelX((N.d + W.d) / 2))),
                        static_cast<int>(std::floor(m.ToPixelY((N.i + W.i) / 2))));
    bool blue = false;
    for (int dy = -1; dy <= 1; ++dy)
        blue = blue || w.Picture().pixelColor(middle + QPoint(0, dy)) == kPointBlue;
    EXPECT_TRUE(blue);

    w.prompts.Answer("25");
    w.points().Mix(0, 1);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].name, "P3");
    const MoistAirState &mix = *points[2].solution.state;
    EXPECT_NEAR(mix.d, 0.25 * N.d + 0.75 * W.d, 1e-3);
    EXPECT_NEAR(mix.i, 0.25 * N.i + 0.75 * W.i, 1e-3);

    w.points().ShowProperties(2);
    table = w.points().LastTable()->findChild<QTableWidget *>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("P3"));
    EXPECT_EQ(table->rowCount(), 12) << "name, B and ten properties";

    w.points().clearPoints->trigger();
    EXPECT_TRUE(w.points().Points().Empty());
    EXPECT_TRUE(w.Picture() == bare);
    EXPECT_TRUE(w.prompts.messages.empty());
}

// 复制结果 and 导出结果 carry the points' table after the results, a point
// typed before the calculation included; the saved picture carries the point.
TEST(ChartPoints, PointsFollowTheResultsWhenCopiedAndExported)
{
    ChartWithPoints w;
    QTemporaryDir folder;
    ASSERT_FALSE(w.points().Add({Property::t, 32}, {Property::phi, 65}));
    w.Compute();
    const MoistAirState &s = *w.points().Points().Points()[0].solution.state;
    const std::string values = SingleText(s.t) + "," + SingleText(s.ts.value()) + ","
        + SingleText(s.td.value()) + "," + SingleText(s.phi) + "," + SingleText(s.d);

    w.menu().CopyResults();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("设计\t"))) << "the results first";
    const QString tsvPoint = QString::fromStdString("\nP1\t" + values).replace(',', '\t');
    EXPECT_TRUE(copied.contains(QStringLiteral("\n\n名称\tt (℃)\t"))) << copied.toStdString();
    EXPECT_TRUE(copied.contains(tsvPoint)) << copied.toStdString();

    const QString path = folder.filePath(QStringLiteral("results.csv"));
    w.menu().askResultsFile = [&](const QString &) { return path; };
    w.menu().ExportResults();
    const QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"
                                 "设计,"))
        << "one byte-order mark, the results first";
    const QString csv = QString::fromUtf8(bytes);
    const QString svg = folder.filePath(QStringLiteral("chart.svg"));
    ASSERT_TRUE(SavePicture(w.form().Picture(), svg, PictureFormat::Svg).isEmpty());
    EXPECT_TRUE(QString::fromUtf8(ReadAll(svg)).contains(QStringLiteral(">P1</text>")));
    EXPECT_TRUE(csv.contains(QStringLiteral("\r\n\r\n名称,t (℃),")));
    EXPECT_TRUE(csv.contains(QString::fromStdString("\r\nP1," + values + ",")))
        << csv.toStdString();
    for (const std::string &m : w.prompts.messages)
        ADD_FAILURE() << m;
}
