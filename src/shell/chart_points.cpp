#include "shell/chart_points.h"

#include "shell/table_dialog.h"

#include "chart/chart_state.h"
#include "project/chart_layers.h"
#include "qt/fonts.h"
#include "qt/picture_box.h"
#include "qt/prompts.h"
#include "report/result_sheet.h"
#include "shell/chart_menu.h"
#include "shell/state_point_dialog.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

using state_solver::Property;

namespace {

// How near a dot, in pixels, the pointer must be for the point's menu and tool tip.
constexpr double kReach = 6.0;
constexpr double kTablePoints = 9.0;

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

// A value of the tool tip and the line table.
std::string ValueText(float value)
{
    return SingleText(value);
}

} // namespace

ChartPoints::ChartPoints(QWidget &window, PictureBox &picture, const ChartState &chart,
                         StatePoints &points, ChartMenu &menu, Prompts &prompts)
    : QObject(&window), window_(window), picture_(picture), chart_(chart), menu_(menu),
      prompts_(prompts), points_(points)
{
    menu_.menu->addSeparator();
    markPoint = menu_.menu->addAction(QStringLiteral("标注状态点…"));
    clearPoints = menu_.menu->addAction(QStringLiteral("清除全部状态点"));
    clearPoints->setEnabled(false);
    connect(markPoint, &QAction::triggered, this, &ChartPoints::MarkPoint);
    connect(clearPoints, &QAction::triggered, this, &ChartPoints::Clear);

    menu_.pointMenu = [this](const QPoint &position) { return ShowPointMenu(position); };
    menu_.pointsTable = [this] {
        return points_.Empty() ? std::vector<std::vector<std::string>>()
                               : state_points::PointsTable(points_);
    };
    pointMenu_ = new QMenu(&window_);
    picture_.installEventFilter(this);
}

ChartPoints::~ChartPoints() = default;

void ChartPoints::DrawAgain()
{
    DrawPointsLayer(picture_.ChartScene(), points_);
    picture_.ShowScene();
}

void ChartPoints::Changed()
{
    if (onChanged)
        onChanged();
    Replaced();
    DrawAgain();
}

void ChartPoints::Replaced()
{
    clearPoints->setEnabled(!points_.Empty());
    menu_.UpdateResultActions();
}

std::optional<std::string> ChartPoints::Add(GivenProperty first, GivenProperty second,
                                            const std::string &name)
{
    if (auto failure = points_.Add(chart_.B, first, second, name))
        return failure;
    Changed();
    return std::nullopt;
}

void ChartPoints::Remove(std::size_t index)
{
    if (index >= points_.Points().size())
        return;
    points_.Remove(index);
    Changed();
}

void ChartPoints::Clear()
{
    points_.Clear();
    Changed();
}

void ChartPoints::Connect(std::size_t from, std::size_t to)
{
    const std::vector<StatePoints::Point> &points = points_.Points();
    if (from >= points.size() || to >= points.size() || from == to || !points[from].solution.state
        || !points[to].solution.state)
        return;
    if (points_.Connect(from, to)) {
        if (onChanged)
            onChanged();
        DrawAgain();
    }
    const state_points::ProcessLine line
        = state_points::LineBetween(*points[from].solution.state, *points[to].solution.state);
    std::string epsilon = "—"; // no change at all
    if (line.epsilon)
        epsilon = ValueText(static_cast<float>(*line.epsilon));
    else if (line.di != 0.0f)
        epsilon = line.di > 0.0f ? "+∞" : "-∞";
    ShowTable(QStringLiteral("过程线 %1 → %2").arg(Text(points[from].name), Text(points[to].name)),
              {{"起点", points[from].name},
               {"终点", points[to].name},
               {"热湿比 ε (kJ/kg)", epsilon},
               {"焓差 Δi (kJ/kg干空气)", ValueText(line.di)},
               {"含湿量差 Δd (g/kg干空气)", ValueText(line.dd)}});
}

void ChartPoints::Mix(std::size_t first, std::size_t second)
{
    const std::vector<StatePoints::Point> &points = points_.Points();
    if (first >= points.size() || second >= points.size() || first == second
        || !points[first].solution.state || !points[second].solution.state)
        return;
    const std::string typed
        = prompts_.InputBox("请输入" + points[first].name + "在混合空气中所占的比例 (%)：",
                            "与" + points[second].name + "混合", "50");
    if (typed.empty())
        return; // cancelled
    const std::optional<double> share = WholeNumberValue(typed);
    if (!share) {
        prompts_.MsgBox("混合比例应为 0 至 100 之间的数值!");
        return;
    }
    const StateSolution mixed = state_points::Mixture(chart_.B, *points[first].solution.state,
                                                      *points[second].solution.state, *share);
    if (!mixed.state) {
        prompts_.MsgBox(mixed.message);
        return;
    }
    // Kept as its moisture content and enthalpy, which mixing fixes at any pressure.
    if (const auto failure
        = Add({Property::d, mixed.state->d}, {Property::i, mixed.state->i}, std::string()))
        prompts_.MsgBox(*failure);
}

void ChartPoints::ShowProperties(std::size_t index)
{
    if (index >= points_.Points().size())
        return;
    const StatePoints::Point &point = points_.Points()[index];
    std::vector<std::vector<std::string>> rows {{"名称", point.name},
                                                {"大气压力 B (Pa)", chart_.BText}};
    if (point.solution.state) {
        for (auto &row : state_points::PropertyRows(*point.solution.state))
            rows.push_back(std::move(row));
    } else {
        rows.push_back({"状态", point.solution.message});
    }
    ShowTable(QStringLiteral("状态点参数 %1").arg(Text(point.name)), rows);
}

void ChartPoints::ShowTable(const QString &title, const std::vector<std::vector<std::string>> &rows)
{
    QDialog *dialog = ShowTableDialog(window_, title, rows, false,
                                      QSize(360, 60 + 26 * static_cast<int>(rows.size())));
    lastTable_ = dialog;
    connect(dialog, &QObject::destroyed, this, [this, dialog] {
        if (lastTable_ == dialog)
            lastTable_ = nullptr;
    });
}

void ChartPoints::MarkPoint()
{
    StatePointDialog dialog(&window_, prompts_,
                            [this](GivenProperty first, GivenProperty second,
                                   const std::string &name) { return Add(first, second, name); });
    dialog.exec();
}

QMenu *ChartPoints::PointMenu(std::size_t index)
{
    pointMenu_->clear();
    const std::vector<StatePoints::Point> &points = points_.Points();
    if (index >= points.size())
        return pointMenu_;
    connect(pointMenu_->addAction(QStringLiteral("状态点参数")), &QAction::triggered, this,
            [this, index] { ShowProperties(index); });
    connect(pointMenu_->addAction(QStringLiteral("删除")), &QAction::triggered, this,
            [this, index] { Remove(index); });
    QMenu *lineTo = pointMenu_->addMenu(QStringLiteral("连线到…"));
    QMenu *mixWith = pointMenu_->addMenu(QStringLiteral("与…混合"));
    for (std::size_t other = 0; other < points.size(); ++other) {
        if (other == index || !points[other].solution.state)
            continue;
        connect(lineTo->addAction(Text(points[other].name)), &QAction::triggered, this,
                [this, index, other] { Connect(index, other); });
        connect(mixWith->addAction(Text(points[other].name)), &QAction::triggered, this,
                [this, index, other] { Mix(index, other); });
    }
    lineTo->setEnabled(!lineTo->isEmpty());
    mixWith->setEnabled(!mixWith->isEmpty());
    return pointMenu_;
}

std::optional<std::size_t> ChartPoints::PointAt(const QPointF &pixel) const
{
    return points_.PointNear(picture_.ShownPixels(), pixel.x(), pixel.y(), kReach);
}

bool ChartPoints::ShowPointMenu(const QPoint &position)
{
    const std::optional<std::size_t> index = PointAt(position);
    if (!index)
        return false;
    PointMenu(*index)->popup(picture_.mapToGlobal(position));
    return true;
}

QString ChartPoints::ToolTipAt(const QPointF &pixel) const
{
    const std::optional<std::size_t> index = PointAt(pixel);
    if (!index)
        return {};
    const StatePoints::Point &point = points_.Points()[*index];
    const MoistAirState &s = *point.solution.state;
    return Text(point.name + "\nt = " + ValueText(s.t) + " ℃  φ = " + ValueText(s.phi)
                + " %\nd = " + ValueText(s.d) + " g/kg  i = " + ValueText(s.i) + " kJ/kg");
}

bool ChartPoints::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &picture_ && event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = ToolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, &picture_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
