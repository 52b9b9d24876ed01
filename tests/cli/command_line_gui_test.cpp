#include "cli/run_command.h"
#include "designs/parameter_table.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_winter/primary_winter.h"
#include "idchart_version.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "report/result_sheet.h"
#include "shell/app_shell.h"
#include "shell/chart_menu.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form5.h"
#include "shell/main_window_controls.h"
#include "support/main_window.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
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

    // The results as the window keeps them for copying and export.
    ResultSheet Sheet() { return *form().Menu().Results(); }

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

// The built program run as a user would, its standard output optionally sent to a file.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};
ProgramRun RunProgram(const QStringList &arguments, const QProcessEnvironment &environment,
                      const QString &outputFile = {})
{
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        program.setStandardOutputFile(outputFile);
    program.start(QStringLiteral(IDCHART_PROGRAM), arguments);
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), program.readAllStandardOutput().toStdString(),
            program.readAllStandardError().toStdString()};
}

// The environment of a terminal without a display.
QProcessEnvironment WithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

constexpr const char *kUsageHint = "用“idchart --help”查看用法";

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
        {"wet bulb above dry bulb", "101325", {{4, "40"}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.Compute(row.pressure, row.typed);
        const ResultSheet windowSheet = w.Sheet();
        const std::string message = w.prompts.messages.empty() ? "" : w.prompts.messages.back();
        const int status = message.empty() ? exit_status::kSuccess : exit_status::kStopped;

        const CommandOutput json = RunArguments(ComputeArguments(row.pressure, row.typed, "json"));
        EXPECT_EQ(json.status, status);
        EXPECT_EQ(json.err, message.empty() ? "" : message + "\n");
        QJsonParseError error;
        const QJsonObject object
            = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
        for (int k = 0; k < kResultBoxCount; ++k) {
            const std::string box = w.Box(kResultBoxes[k]);
            if (box == primary_texts::kNoResidualMoisture) {
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
        for (int k = 0; k < 5; ++k) {
            const StateText &state = windowSheet.texts.stateRows.at(k);
            const QJsonObject values = object["states"].toObject()[kJsonStates[k]].toObject();
            ExpectJsonValue(values["d"], state.d, kJsonStates[k]);
            ExpectJsonValue(values["i"], state.i, kJsonStates[k]);
            ExpectJsonValue(values["t"], state.t, kJsonStates[k]);
        }
        ExpectJsonValue(object["precision"], w.Box(StateBox::Precision), "precision");
        EXPECT_EQ(object["pressureText"].toString().toStdString(), w.Box(StateBox::B0));
        EXPECT_EQ(object["pressure"].toDouble(), w.form().chart.B);
        EXPECT_EQ(object["error"].toString().toStdString(), message);
        // The inputs as the dialog held them, the design and the version.
        const Form2 &dialog = w.shell.Windows().Get<Form2>(forms::kParameters);
        for (int n = 1; n <= 9; ++n)
            EXPECT_EQ(object["inputs"]
                          .toObject()[QLatin1String(kRowOptions[n - 1])]
                          .toObject()["text"]
                          .toString(),
                      dialog.Text[n]->text())
                << kRowOptions[n - 1];
        EXPECT_EQ(object["design"].toString().toStdString(), DesignName(DesignKind::PrimarySummer));
        EXPECT_EQ(object["version"].toString().toStdString(), kIdchartVersion);

        const CommandOutput csv = RunArguments(ComputeArguments(row.pressure, row.typed, "csv"));
        EXPECT_EQ(csv.status, status);
        EXPECT_EQ(csv.out, w.ExportedCsv()) << "the window's exported CSV, byte for byte";
        EXPECT_EQ(csv.out, ResultCsv(windowSheet)) << "the box texts";

        // Every row of the window's sheet is a line of the table, cell for cell.
        const CommandOutput table
            = RunArguments(ComputeArguments(row.pressure, row.typed, "table"));
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

// compute --design winter gives the window's winter design byte for byte,
// its fog advisory on standard error without failing, its stops as failures.
TEST(ComputeCommand, WinterDesignPrintsWhatTheWindowShows)
{
    struct Row {
        const char *name;
        std::vector<std::pair<int, std::string>> typed; // winter dialog rows changed
        const char *advisory;
        const char *stop;
    };
    const Row rows[] = {
        {"start texts, spray", {}, nullptr, nullptr},
        {"start texts, steam", {{9, "steam"}}, nullptr, nullptr},
        {"fog", {{2, "60"}, {3, "-30"}, {4, "90"}, {7, "60"}}, winter_messages::kFog, nullptr},
        {"no fresh air", {{7, "0"}}, nullptr, winter_messages::kNoHumidification},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.Compute("101325", {});
        w.form().冬季工况_Click();
        Form5 &dialog = w.shell.Windows().Get<Form5>(forms::kWinter);
        QStringList arguments {QStringLiteral("compute"), QStringLiteral("--design"),
                               QStringLiteral("winter"), QStringLiteral("--format"),
                               QStringLiteral("csv")};
        for (const auto &[n, text] : row.typed) {
            arguments << QStringLiteral("--") + kWinterParameters[n - 1].option
                      << QString::fromStdString(text);
            if (n == 9)
                dialog.Choice[9]->setCurrentIndex(1);
            else
                dialog.Text[n]->setText(QString::fromStdString(text));
        }
        dialog.Command1_Click();
        w.prompts.messages.clear();
        w.form().计算并描点_Click();

        const CommandOutput csv = RunArguments(arguments);
        EXPECT_EQ(csv.out, w.ExportedCsv()) << "the window's exported CSV, byte for byte";
        std::vector<std::string> said;
        for (const char *message : {row.advisory, row.stop})
            if (message)
                said.push_back(message);
        EXPECT_EQ(w.prompts.messages, said);
        EXPECT_EQ(csv.err, said.empty() ? "" : said.back() + "\n");
        EXPECT_EQ(csv.status, row.stop ? exit_status::kStopped : exit_status::kSuccess);
    }

    // The design's and the humidifier's words are taken as they are or refused.
    for (const QStringList &arguments :
         {QStringList {"compute", "--design", "Winter"},
          {"compute", "--humidifier", "fog"},
          {"compute", "--design", "winter", "--winter-tw", "-12℃"}}) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CommandOutput output = RunArguments(arguments);
        EXPECT_EQ(output.status, exit_status::kUsage);
        EXPECT_NE(output.err.find("“" + arguments.last().toStdString() + "”"), std::string::npos)
            << output.err;
    }
}

// A project written from options (--save-project) gives compute --project
// the bytes those options give, in every format; an option beside the
// project overrides the project's value.
TEST(ComputeCommand, AProjectFileGivesWhatItsOptionsGive)
{
    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("room.idchart"));
    const QStringList optionSets[] = {
        {"--tn", "24", "--s", "40", "--pressure", "95000pa"},
        {"--design", "winter", "--humidifier", "steam", "--winter-tw", "-9.9", "--q", "８"},
        {"--design", "secondary", "--phin", "55", "--phil", "0"},
    };
    for (const QStringList &options : optionSets) {
        SCOPED_TRACE(options.join(QLatin1Char(' ')).toStdString());
        const CommandOutput saved
            = RunArguments(QStringList {"compute", "--save-project", project} + options);
        ASSERT_TRUE(QFile::exists(project)) << saved.err;
        for (const char *format : {"table", "json", "csv"}) {
            const CommandOutput direct
                = RunArguments(QStringList {"compute", "--format", format} + options);
            const CommandOutput fromFile
                = RunArguments({"compute", "--format", format, "--project", project});
            EXPECT_EQ(fromFile.out, direct.out) << format;
            EXPECT_EQ(fromFile.err, direct.err);
            EXPECT_EQ(fromFile.status, direct.status);
        }
        const CommandOutput over = RunArguments({"compute", "--project", project, "--tn", "28"});
        EXPECT_EQ(over.out,
                  RunArguments(QStringList {"compute"} + options + QStringList {"--tn", "28"}).out);
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

        const CommandOutput output = RunArguments(
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
            = RunArguments({"state", "--t", "32", "--ts", "24.5", "--pressure",
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

TEST(CommandLine, NumericOptionsTakeWholeDecimalNumbersOnly)
{
    // Each refused: exit status 2, the option and the text named, the usage hint.
    struct Refused {
        QStringList arguments;
        const char *option;
        const char *text;
    };
    const Refused refused[] = {
        {{"compute", "--tn", "abc"}, "--tn", "abc"},
        {{"compute", "--tn", ""}, "--tn", ""},
        {{"compute", "--tn", "nan"}, "--tn", "nan"},
        {{"compute", "--tn", "inf"}, "--tn", "inf"},
        {{"compute", "--tn", "0x1A"}, "--tn", "0x1A"},
        {{"compute", "--tn", "&H1A"}, "--tn", "&H1A"},
        {{"compute", "--tn", "26,5"}, "--tn", "26,5"},
        {{"compute", "--tn", "26.5.5"}, "--tn", "26.5.5"},
        {{"compute", "--ts", "26.5℃"}, "--ts", "26.5℃"},
        {{"compute", "--s", "30%"}, "--s", "30%"},
        {{"compute", "--q", "1e"}, "--q", "1e"},
        {{"compute", "--q", "1e999"}, "--q", "1e999"},
        {{"compute", "--w", "."}, "--w", "."},
        {{"compute", "--pressure", "95000,5"}, "--pressure", "95000,5"},
        {{"compute", "--pressure", "0x17318"}, "--pressure", "0x17318"},
        {{"compute", "--pressure", "95000kpa"}, "--pressure", "95000kpa"},
        {{"state", "--t", "abc", "--phi", "60"}, "--t", "abc"},
        {{"state", "--d", "12", "--i", "5x"}, "--i", "5x"},
        {{"chart", "x.png", "--precision", "abc"}, "--precision", "abc"},
        {{"chart", "x.png", "--precision", "1,5"}, "--precision", "1,5"},
        {{"chart", "x.png", "--precision", "-1"}, "--precision", "-1"},
        {{"chart", "x.png", "--precision", "0"}, "--precision", "0"},
        {{"chart", "x.png", "--precision", "0.0009"}, "--precision", "0.0009"},
        {{"chart", "x.png", "--precision", "1e39"}, "--precision", "1e39"},
        {{"chart", "x.png", "--tn", "x"}, "--tn", "x"},
        {{"chart", "x.png", "--size", "0x100"}, "--size", "0x100"},
        {{"chart", "x.png", "--size", "5000x100"}, "--size", "5000x100"},
        {{"chart", "x.png", "--size", "100.5x100"}, "--size", "100.5x100"},
        {{"chart", "x.png", "--scale", "3"}, "--scale", "3"},
        {{"chart", "x.png", "--scale", "2.0"}, "--scale", "2.0"},
        {{"chart", "x.png", "--style", "slanted"}, "--style", "slanted"},
        {{"report", "x.pdf", "--style", "TD"}, "--style", "TD"},
    };
    for (const Refused &row : refused) {
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        const CommandOutput output = RunArguments(row.arguments);
        EXPECT_EQ(output.status, exit_status::kUsage);
        EXPECT_EQ(output.out, "");
        EXPECT_NE(output.err.find(row.option), std::string::npos) << output.err;
        EXPECT_NE(output.err.find(std::string("“") + row.text + "”"), std::string::npos)
            << output.err;
        EXPECT_NE(output.err.find(kUsageHint), std::string::npos) << output.err;
    }

    // Accepted: sign, point, exponent, blanks around, full-width characters, the pressure's unit.
    const QStringList accepted[] = {
        {"compute", "--tn", "+26.5", "--ts", "2.65E1", "--w", ".01", "--q", "12."},
        {"compute", "--tn", " 26 ", "--phin", "６０", "--dt", "６．５", "--s", "-0"},
        {"compute", "--pressure", "95000pa", "--phil", "9.5e+1"},
        {"compute", "--pressure", "９５０００ 帕"},
        {"state", "--t", "２６", "--phi", "6e1"},
    };
    for (const QStringList &arguments : accepted) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CommandOutput output = RunArguments(arguments);
        EXPECT_EQ(output.status, exit_status::kSuccess) << output.err;
        EXPECT_EQ(output.err, "");
    }
}

TEST(CommandLineProgram, OutputThatDoesNotArriveFailsWithoutTheUsageHint)
{
    const QStringList commands[]
        = {{"compute"}, {"compute", "--format", "json"}, {"state", "--t", "26", "--phi", "60"}};
    const auto expectWriteFailure = [](const ProgramRun &run) {
        EXPECT_EQ(run.status, exit_status::kWriteFailed) << run.err;
        EXPECT_NE(run.err.find("无法写出标准输出：磁盘已满"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find(kUsageHint), std::string::npos) << run.err;
    };

    // A device that is always full.
    for (const QStringList &arguments : commands) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        expectWriteFailure(RunProgram(arguments, WithoutDisplay(), QStringLiteral("/dev/full")));
    }

    // A file system that fills up: a tmpfs of a few kB, filled, and a file on it.
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root; only /dev/full was tried";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString mountPoint = folder.path();
    QProcess mount;
    mount.start(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                 QStringLiteral("size=8k"), QStringLiteral("idchart-full"), mountPoint});
    if (!mount.waitForFinished(10000) || mount.exitCode() != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (" << mount.readAllStandardError().toStdString()
                     << "); only /dev/full was tried";
    struct Unmount {
        QString path;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {path}); }
    } unmount {mountPoint};
    {
        QFile filler(mountPoint + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
    }
    int k = 0;
    for (const QStringList &arguments : commands) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const QString path = mountPoint + QStringLiteral("/out%1.txt").arg(k++);
        expectWriteFailure(RunProgram(arguments, WithoutDisplay(), path));
    }
}

TEST(CommandLineProgram, WithoutADisplayTheWindowsSaySoInChinese)
{
    struct Row {
        const char *name;
        std::vector<std::pair<const char *, const char *>> environment;
        const char *reason;
    };
    const Row rows[] = {
        {"no display at all", {}, "找不到图形显示"},
        {"X11 asked for, no DISPLAY", {{"QT_QPA_PLATFORM", "xcb"}}, "找不到图形显示"},
        {"a display that is not there", {{"DISPLAY", ":97"}}, "无法连接图形显示 :97"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QProcessEnvironment environment = WithoutDisplay();
        for (const auto &[name, value] : row.environment)
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        const ProgramRun run = RunProgram({}, environment);
        EXPECT_EQ(run.status, 1) << "exit status 1, not Qt's abort";
        EXPECT_NE(run.err.find(row.reason), std::string::npos) << run.err;
        for (const char *word : {"idchart compute", "idchart chart", "idchart state"})
            EXPECT_NE(run.err.find(word), std::string::npos) << word << "\n" << run.err;
        EXPECT_EQ(run.err.find("This application failed"), std::string::npos) << run.err;
    }
}
