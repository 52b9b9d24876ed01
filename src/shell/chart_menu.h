#pragma once

#include "chart/chart_state.h"
#include "qt/picture_overlay.h"
#include "text/box_texts.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ImageSurface;
class PictureBox;
class Prompts;
class QAction;
class QMenu;
class QPrinter;
class QWidget;
class ResultSheet;
struct CalculationSheet;
struct PictureRecord;
enum class PictureFormat;

// What leaves the main window: the chart surface's context menu and the same
// entries as keyboard shortcuts of the window. 保存图像… writes the picture as
// PNG (×1, ×2, ×4), SVG or PDF; 打印… prints it through a preview; 复制图像 and
// 复制结果 put the picture or the last calculation's results on the clipboard;
// 导出结果… writes those results as CSV, followed by the table of the state
// points typed on the chart; 生成计算书… writes the calculation sheet of the
// last calculation as PDF or HTML. The two result entries stay disabled while
// there is neither a calculation's results nor a state point, 生成计算书…
// until a calculation has run. Nothing of the window's face changes.
class ChartMenu : public QObject {
    Q_OBJECT
public:
    ChartMenu(QWidget &window, PictureBox &picture, Prompts &prompts);
    ~ChartMenu() override;

    // The results of the last calculation, for copying and export, and its
    // calculation sheet. The chart the sheet shows is the picture as it is
    // now, right after the calculation drew it.
    void SetResults(std::shared_ptr<const ResultSheet> sheet,
                    std::shared_ptr<const CalculationSheet> calculation = nullptr);
    // The results of the last calculation, or none before the first.
    const ResultSheet *Results() const { return sheet_.get(); }

    void SaveImage();
    void Print();
    void CopyImage();
    void CopyResults();
    void ExportResults();
    void GenerateSheet();
    // The whole chart again after it was magnified; what the chart shows
    // now, magnified or not, saved as a picture (保存图像… saves the whole).
    void ResetView();
    void SaveView();
    // Draws the chart on a printer's pages (the preview and the printing call this).
    void PrintOn(QPrinter &printer);

    // A file chosen to save the picture in.
    struct ImageTarget {
        QString path;
        PictureFormat format;
        int scale = 1;
    };
    // The save dialogs; tests replace them. Each gets the folder to start in
    // and answers nothing when cancelled.
    std::function<std::optional<ImageTarget>(const QString &folder)> askImageFile;
    std::function<std::optional<QString>(const QString &folder)> askResultsFile;
    // The state points' table for copying and export (none without points),
    // and the point's own menu for a right-click near a point: answers
    // whether it took the click, in the picture's pixels.
    std::function<std::vector<std::vector<std::string>>()> pointsTable;
    std::function<bool(const QPoint &position)> pointMenu;
    // The texts of the boxes over the chart, for the pictures.
    std::function<BoxTexts()> boxes;
    // Enables the result entries when there is anything to copy.
    void UpdateResultActions();
    // The sheet's file: a name ending in .pdf or .html.
    std::function<std::optional<QString>(const QString &folder)> askSheetFile;

    QAction *saveImage = nullptr;
    QAction *print = nullptr;
    QAction *copyImage = nullptr;
    QAction *copyResults = nullptr;
    QAction *exportResults = nullptr;
    QAction *generateSheet = nullptr;
    QAction *resetView = nullptr;
    QAction *saveView = nullptr;
    QMenu *menu = nullptr;

    // 图形样式 ▸ 原图 / 斜角焓湿图 / t-d 图: the style chosen is handed on;
    // ShowStyle ticks the style the chart is in.
    std::function<void(ChartStyle)> chooseStyle;
    void ShowStyle(ChartStyle style);
    QMenu *styleMenu = nullptr;
    std::array<QAction *, kChartStyleNames.size()> styleActions {};

private:
    void ShowMenu(const QPoint &position);
    // The boxes over the chart as they are now.
    PictureOverlay Overlay() const;
    std::vector<std::vector<std::string>> PointsTable() const;
    // The folder a save dialog starts in: where it last saved, in this run
    // or an earlier one (the user's settings), else the pictures folder.
    QString Folder(const char *dialog) const;
    void Remember(const char *dialog, const QString &path);
    QAction *AddAction(const QString &text, const QKeySequence &shortcut,
                       void (ChartMenu::*slot)());

    QWidget &window_;
    PictureBox &picture_;
    Prompts &prompts_;
    std::shared_ptr<const ResultSheet> sheet_;
    std::shared_ptr<const CalculationSheet> calculation_;
    // The chart as the calculation left it, with the boxes over it.
    std::shared_ptr<const PictureRecord> chart_;
    PictureOverlay overlay_;
};
