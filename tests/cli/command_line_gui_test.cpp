#include "cli/command_line.h"
#include "process/process_plot.h"
#include "process/result_sheet.h"
#include "shell/app_shell.h"
#include "shell/chart_menu.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "support/main_window.h"
#include "support/scripted_prompts.h"
#include "ui/qt/image_surface.h"
#include "ui/qt/main_window_controls.h"
#include "ui/qt/picture_box.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// Command-line options of the parameter dialog's rows 1..9.
const char *const kRowOptions[] = {"tn", "phin", "tw", "ts", "dt", "s", "phil", "q", "w"};

// The program after the splash, driven through its handlers as a user would.
struct Window : MainWindowAfterSplash {
    // 生成焓湿图 at a pressure, the parameters typed into the dialog (row, text), 计算并描点.
    void Compute(const std::string &pressure, const std::vector<std::pair<int, std::string>> &typed)
    {
        prompts.Answer(pressure);
        prompts.Answer("0.05");
        form().生成焓湿图_Click();
        form().一次回风_Click();
        Form2 &dialog = shell.Windows().Get<Form2>(forms::kParameters);
        for (const auto &[row, text] : typed)
            dialog.Text[row]->setText(QString::fromStdString(text));
        dialog.Command1_Click();
        form().计算并描点_Click();
    }
    std::string Box(ResultBox box) { return controls().Text[Index(box) + 1]->text().toStdString(); }
    std::string Box(StateBox box) { return controls().Texta[Index(box)]->text().toStdString(); }

    // The results as the window lists them: its boxes, its states' temperatures.
    ResultSheet Sheet()
    {
        ResultSheet sheet;
        for (int k = 0; k < kResultBoxCount; ++k)
            sheet.SetResultBox(static_cast<ResultBox>(k), Box(static_cast<ResultBox>(k)));
        for (int k = 0; k < kStateBoxCount; ++k)
            sheet.SetStateBox(static_cast<StateBox>(k), Box(static_cast<StateBox>(k)));
        sheet.Finish(form().process);
        return sheet;
    }

    // What the window's 导出结果… writes.
    std::string ExportedCsv()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("results.csv"));
        form().Menu().askResultsFile = [&](const QString &) { return std::optional(path); };
        form().Menu().ExportResults();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(no file)";
    }

    std::string Cell(int k) { return controls().Label2[k]->text().toStdString(); }
};

QStringList ComputeArguments(const std::string &pressure,
                             const std::vector<std::pair<int, std::string>> &typed,
                             const char *format)
{
    QStringList arguments {QStringLiteral("compute"), QStringLiteral("--pressure"),
                           QString::fromStdString(pressure)};
    for (const auto &[row, text] : typed)
        arguments << QStringLiteral("--") + kRowOptions[row - 1] << QString::fromStdString(text);
    return arguments << QStringLiteral("--format") << QString::fromLatin1(format);
}

// The cells of a line of the aligned table: runs of two or more blanks separate them.
QStringList TableCells(const QString &line)
{
    return line.split(QRegularExpression(QStringLiteral(" {2,}")), Qt::SkipEmptyParts);
}

// A JSON value against a box text: null for an empty box, otherwise a number
// that reads back to the text's value.
void ExpectJsonValue(const QJsonValue &value, const std::string &box, const char *what)
{
    if (box.empty()) {
        EXPECT_TRUE(value.isNull()) << what;
        return;
    }
    ASSERT_TRUE(value.isDouble()) << what << " = " << box;
    EXPECT_EQ(value.toDouble(), QString::fromStdString(box).toDouble()) << what;
}

const char *const kJsonStates[] = {"N", "W", "C", "O", "L"};
const ResultBox kResultBoxes[] = {ResultBox::SupplyFlowByHeat,
                                  ResultBox::SupplyFlowByMoisture,
                                  ResultBox::HeatMoistureRatio,
                                  ResultBox::Q1,
                                  ResultBox::Q2,
                                  ResultBox::Reheat,
                                  ResultBox::SystemCooling};
const char *const kJsonResults[]
    = {"supplyFlowByHeat", "supplyFlowByMoisture", "heatMoistureRatio", "Q1", "Q2",
       "reheat",           "systemCooling"};

} // namespace

TEST(ComputeCommand, PrintsWhatTheMainWindowsBoxesShow)
{
    struct Row {
        const char *name;
        std::string pressure;
        std::vector<std::pair<int, std::string>>
            typed; // dialog rows changed from their start texts
    };
    const Row rows[] = {
        {"start texts at 101325 Pa", "101325", {}},
        {"start texts at 90000 Pa", "90000", {}},
        {"start texts at 120000 Pa", "120000", {}},
        {"no fresh air", "101325", {{6, "0"}}},
        {"fresh air only", "101325", {{6, "100"}}},
        {"no residual moisture", "101325", {{9, "0"}}},
        {"machine dew point not found", "101325", {{7, "0"}}},
        {"no residual heat", "101325", {{8, "0"}}},
        {"full-width digits", "１０１３２５", {{1, "２４．５"}, {8, "１５"}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.Compute(row.pressure, row.typed);
        const ResultSheet windowSheet = w.Sheet();
        const std::string message = w.prompts.messages.empty() ? "" : w.prompts.messages.back();
        const int status = message.empty() ? exit_status::kSuccess : exit_status::kStopped;

        const CommandOutput json = RunCommand(ComputeArguments(row.pressure, row.typed, "json"));
        EXPECT_EQ(json.status, status);
        EXPECT_EQ(json.err, message.empty() ? "" : message + "\n");
        QJsonParseError error;
        const QJsonObject object
            = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
        for (int k = 0; k < kResultBoxCount; ++k) {
            const std::string box = w.Box(kResultBoxes[k]);
            if (box == process_texts::kNoResidualMoisture) {
                EXPECT_TRUE(object[kJsonResults[k]].isNull());
                EXPECT_TRUE(object["noResidualMoisture"].toBool());
                continue;
            }
            ExpectJsonValue(object[kJsonResults[k]], box, kJsonResults[k]);
            // The same digits as the box, not only the same value.
            if (!box.empty()) {
                EXPECT_NE(json.out.find('"' + std::string(kJsonResults[k]) + "\": " + box),
                          std::string::npos)
                    << kJsonResults[k];
            }
        }
        for (int k = 0; k < ResultSheet::kStateCount; ++k) {
            const auto state = static_cast<ResultSheet::State>(k);
            const QJsonObject values = object["states"].toObject()[kJsonStates[k]].toObject();
            ExpectJsonValue(values["d"], windowSheet.Moisture(state), kJsonStates[k]);
            ExpectJsonValue(values["i"], windowSheet.Enthalpy(state), kJsonStates[k]);
            ExpectJsonValue(values["t"], windowSheet.Temperature(state), kJsonStates[k]);
        }
        ExpectJsonValue(object["precision"], w.Box(StateBox::Precision), "precision");
        EXPECT_EQ(object["pressureText"].toString().toStdString(), w.Box(StateBox::B0));
        EXPECT_EQ(object["pressure"].toDouble(), w.form().chart.B);
        EXPECT_EQ(object["error"].toString().toStdString(), message);

        const CommandOutput csv = RunCommand(ComputeArguments(row.pressure, row.typed, "csv"));
        EXPECT_EQ(csv.status, status);
        EXPECT_EQ(csv.out, w.ExportedCsv()) << "the window's exported CSV, byte for byte";
        EXPECT_EQ(csv.out, ResultCsv(windowSheet)) << "the box texts";

        // Every row of the window's sheet is a line of the table, cell for cell.
        const CommandOutput table = RunCommand(ComputeArguments(row.pressure, row.typed, "table"));
        EXPECT_EQ(table.status, status);
        const QStringList lines = QString::fromStdString(table.out).split(QLatin1Char('\n'));
        for (const ResultSheet::Row &cells : windowSheet.Rows()) {
            QStringList expected;
            for (const std::string &cell : cells)
                if (!cell.empty())
                    expected << QString::fromStdString(cell);
            const bool listed = std::any_of(lines.begin(), lines.end(), [&](const QString &line) {
                return TableCells(line) == expected;
            });
            EXPECT_TRUE(listed) << expected.join(QLatin1Char('|')).toStdString();
        }
    }
}

TEST(StateCommand, AgreesWithThePointerReadout)
{
    struct Row {
        const char *name;
        std::string pressure;
        double d, i;
    };
    const Row rows[] = {
        {"room air", "101325", 12.6, 58.3},
        {"near the bottom-left corner", "101325", 0.05, -29.5},
        {"top right of the chart", "101325", 38.0, 140.0},
        {"low pressure", "90000", 8.0, 30.0},
        {"high pressure", "120000", 20.0, 100.0},
    };
    // Readout cells t, Pb, φ, Pq, d, i, ts and the headings of the command's table.
    const char *const headings[]
        = {"干球温度 t (℃)",       "饱和水蒸气分压力 Pqb (Pa)", "相对湿度 φ (%)",
           "水蒸气分压力 Pq (Pa)", "含湿量 d (g/kg干空气)",     "焓 i (kJ/kg干空气)",
           "湿球温度 ts (℃)"};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.prompts.Answer(row.pressure);
        w.prompts.Answer("1");
        w.form().生成焓湿图_Click();
        // The pointer position the readout got, in digits that read back to the same floats.
        float X = -1, Y = -1;
        PictureBox *picture = w.controls().Picture1;
        const auto readout = picture->onMouseMove;
        picture->onMouseMove = [&](float x, float y) {
            X = x, Y = y;
            readout(x, y);
        };
        w.MoveTo(row.d, row.i);
        ASSERT_NE(X, -1.0f) << "the pointer reached the chart";

        const CommandOutput output = RunCommand(
            {QStringLiteral("state"), QStringLiteral("--d"), QString::number(X, 'g', 9),
             QStringLiteral("--i"), QString::number(Y, 'g', 9), QStringLiteral("--pressure"),
             QString::fromStdString(row.pressure)});
        ASSERT_EQ(output.status, exit_status::kSuccess) << output.err;
        const QStringList lines = QString::fromStdString(output.out).split(QLatin1Char('\n'));
        for (int cell = 0; cell < 7; ++cell) {
            const QStringList expected {QString::fromUtf8(headings[cell]),
                                        QString::fromStdString(w.Cell(cell))};
            const bool listed = std::any_of(lines.begin(), lines.end(), [&](const QString &line) {
                return TableCells(line) == expected;
            });
            EXPECT_TRUE(listed) << headings[cell] << " " << w.Cell(cell) << "\n" << output.out;
        }
    }
}

TEST(StateCommand, WetBulbFormLiesOnTheOutdoorStatesWetBulbLine)
{
    // The outdoor state W of a calculation is the state at tw on the wet-bulb line of ts.
    for (const std::string pressure : {"90000", "101325", "120000"}) {
        Window w;
        w.Compute(pressure, {{3, "32"}, {4, "24.5"}});
        const CommandOutput output
            = RunCommand({"state", "--t", "32", "--ts", "24.5", "--pressure",
                          QString::fromStdString(pressure), "--format", "json"});
        ASSERT_EQ(output.status, exit_status::kSuccess) << output.err;
        const QJsonObject object
            = QJsonDocument::fromJson(QByteArray::fromStdString(output.out)).object();
        EXPECT_NE(output.out.find("\"d\": " + w.Box(StateBox::d_w) + ","), std::string::npos)
            << output.out;
        EXPECT_NE(output.out.find("\"i\": " + w.Box(StateBox::i_w) + ","), std::string::npos)
            << output.out;
        EXPECT_TRUE(object["outOfRange"].toArray().isEmpty());
    }
}
