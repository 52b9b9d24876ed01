#pragma once

#include "readout/state_points.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ChartMenu;
class PictureBox;
class Prompts;
class QAction;
class QDialog;
class QMenu;
class QPoint;
class QPointF;
class QWidget;
struct ChartState;

// The state points typed onto the chart, with the process lines drawn
// between them: the project's points, on the picture's points layer, over
// the chart and any process (so every saved, printed and copied picture has
// them); when they change, their layer is drawn again over the same chart.
// The chart's menu gains 标注状态点… and
// 清除全部状态点; a right-click near a point opens the point's own menu
// instead; the pointer resting on a point shows its name and main values.
// Copying and exporting the results carry the table of the points.
class ChartPoints : public QObject {
    Q_OBJECT
public:
    ChartPoints(QWidget &window, PictureBox &picture, const ChartState &chart, StatePoints &points,
                ChartMenu &menu, Prompts &prompts);
    ~ChartPoints() override;

    const StatePoints &Points() const { return points_; }
    // A point solved at the chart's pressure and drawn; the message when the
    // pair has no state there.
    std::optional<std::string> Add(GivenProperty first, GivenProperty second,
                                   const std::string &name = {});
    void Remove(std::size_t index);
    void Clear();
    // The process line from one point to another, drawn and shown in a table.
    void Connect(std::size_t from, std::size_t to);
    // Asks the share of the first point's air and adds the mixing point.
    void Mix(std::size_t first, std::size_t second);
    // The table of every property of a point.
    void ShowProperties(std::size_t index);

    // 标注状态点…: the dialog, and on its OK the point.
    void MarkPoint();
    // The context menu of the point `index`, built afresh.
    QMenu *PointMenu(std::size_t index);
    // Another project's points came in: the entries that depend on there
    // being points follow them (their layer is drawn with the chart).
    void Replaced();
    // The tool tip for the pointer at a pixel of the picture: the name and
    // main values of the point under it, or an empty text.
    QString ToolTipAt(const QPointF &pixel) const;
    // The point whose dot lies under a pixel of the picture.
    std::optional<std::size_t> PointAt(const QPointF &pixel) const;

    // The last table window opened (状态点参数 or a process line), or none.
    QDialog *LastTable() const { return lastTable_; }

    QAction *markPoint = nullptr;
    QAction *clearPoints = nullptr;
    // Called when the points or their lines changed: the project changed.
    std::function<void()> onChanged;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ShowPointMenu(const QPoint &position);
    // Draws the points layer again and shows the picture.
    void DrawAgain();
    void Changed();
    void ShowTable(const QString &title, const std::vector<std::vector<std::string>> &rows);

    QWidget &window_;
    PictureBox &picture_;
    const ChartState &chart_;
    ChartMenu &menu_;
    Prompts &prompts_;
    StatePoints &points_;
    QMenu *pointMenu_ = nullptr;
    QDialog *lastTable_ = nullptr;
};
