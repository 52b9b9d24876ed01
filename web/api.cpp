// The web page's window onto the core: the page calls idchart_call with a
// request (JSON text: {"op": …, …}) and gets the answer as JSON text; the
// drawn scene it reads as numbers straight from the module's memory
// (idchart_scene). Everything the page shows comes from here: the layout,
// the chart, the boxes, the readout, the dialogs' texts and readings, the
// calculation's moments and messages, the result tables, the calculation
// sheet, the project file, and the weather overlay (the hours read, counted
// and drawn, its questions and its table). No formula of the page is its own.

#include "chart/chart_drawing.h"
#include "commands/help.h"
#include "chart/chart_settings.h"
#include "climate/climate_drawing.h"
#include "climate/climate_questions.h"
#include "climate/climate_report.h"
#include "climate/weather_file.h"
#include "designs/design_outcome.h"
#include "designs/parameter_table.h"
#include "draw/scene.h"
#include "layout/layout.h"
#include "project/chart_layers.h"
#include "project/project.h"
#include "project/project_file.h"
#include "readout/pointer_readout.h"
#include "readout/state_points.h"
#include "report/calculation_sheet.h"
#include "report/result_sheet.h"
#include "report/sheet_chart.h"
#include "psychro/arithmetic_fault.h"
#include "text/captions.h"
#include "text/fault_message.h"
#include "text/json.h"
#include "text/number_text.h"

#include "idchart_version.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// ---- JSON answers ---------------------------------------------------------------------------

// An answer built member by member.
class Answer {
public:
    Answer &Raw(const char *key, const std::string &json)
    {
        text_ += (text_.empty() ? "{" : ",") + JsonString(key) + ":" + json;
        return *this;
    }
    Answer &Text(const char *key, const std::string &value) { return Raw(key, JsonString(value)); }
    Answer &Number(const char *key, double value)
    {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", std::isfinite(value) ? value : 0.0);
        return Raw(key, buffer);
    }
    Answer &Flag(const char *key, bool value) { return Raw(key, value ? "true" : "false"); }
    std::string Json() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

template <typename Texts> std::string TextArray(const Texts &texts)
{
    std::string json = "[";
    bool first = true;
    for (const auto &text : texts) {
        json += (first ? "" : ",") + JsonString(text);
        first = false;
    }
    return json + "]";
}

std::string NumberArray(const std::vector<double> &values)
{
    std::string json = "[";
    for (std::size_t k = 0; k < values.size(); ++k) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", values[k]);
        json += (k ? "," : "") + std::string(buffer);
    }
    return json + "]";
}

std::string BoxesJson(const BoxTexts &boxes)
{
    return Answer().Raw("results", TextArray(boxes.results)).Raw("states", TextArray(boxes.states)).Json();
}

// ---- The page's program: the project, the chart's scene, the boxes --------------------------

struct Program {
    Project project;
    // Line heights of the page's fonts, pixels by font size in points, as
    // the page measures them.
    std::vector<std::pair<float, double>> lineHeights;
    Scene scene {1, 1, [this](float points) { return LineHeight(points); }};
    BoxTexts boxes;
    bool parametersSet = false;
    bool projectTexts = false; // the dialogs show the project's texts
    std::optional<ChartSettingsQuestions> questions;
    std::shared_ptr<ResultSheet> results;
    std::shared_ptr<CalculationSheet> sheet;
    // The calculation last shown: a new picture size draws its process again.
    std::optional<DesignOutcome> lastOutcome;
    // The weather overlay: the hours imported, what the user chose, the hours
    // as last drawn, and the questions being asked.
    std::optional<weather::Weather> weather;
    climate::ClimateSettings climate;
    climate::Tally tally;
    std::optional<climate::SettingsQuestions> climateQuestions;
    // The scene's operations as numbers for the page, per layer.
    std::vector<float> sceneNumbers;
    // The calculation sheet's enlarged region, drawn on a scene of its own,
    // which the scene's ops give while it is chosen.
    Scene region {1, 1, [this](float points) { return LineHeight(points); }};
    bool regionChosen = false;
    Scene &Shown() { return regionChosen ? region : scene; }

    double LineHeight(float points) const
    {
        for (const auto &[size, height] : lineHeights)
            if (size == points)
                return height;
        return points * 96.0 / 72.0 * 1.25;
    }
};

Program &App()
{
    static Program program;
    return program;
}

// ---- Requests ----------------------------------------------------------------------------

std::string StringOf(const JsonValue &request, const char *key)
{
    const JsonValue *value = request.Find(key);
    return value && value->Is(JsonValue::Type::String) ? value->string : std::string();
}

bool BoolOf(const JsonValue &request, const char *key)
{
    const JsonValue *value = request.Find(key);
    return value && value->Is(JsonValue::Type::Boolean) && value->boolean;
}

double NumberOf(const JsonValue &request, const char *key, double otherwise = 0.0)
{
    const JsonValue *value = request.Find(key);
    return value && value->Is(JsonValue::Type::Number) ? value->number : otherwise;
}

template <std::size_t N> std::array<std::string, N> TextsOf(const JsonValue &request, const char *key)
{
    std::array<std::string, N> texts;
    if (const JsonValue *array = request.Find(key); array && array->Is(JsonValue::Type::Array))
        for (std::size_t k = 0; k < N && k < array->array.size(); ++k)
            if (array->array[k].Is(JsonValue::Type::String))
                texts[k] = array->array[k].string;
    return texts;
}

// ---- Faces and layout ----------------------------------------------------------------------

template <typename Record, std::size_t N>
std::string TableJson(const std::array<ParameterRow<Record>, N> &table)
{
    std::string json = "[";
    for (std::size_t k = 0; k < N; ++k) {
        const ParameterRow<Record> &row = table[k];
        Answer entry;
        entry.Text("caption", row.caption).Text("start", row.startText).Text("option", row.option);
        if (row.asChoice)
            entry.Raw("choices", TextArray(row.choiceTexts));
        json += (k ? "," : "") + entry.Json();
    }
    return json + "]";
}

std::string Faces()
{
    return Answer()
        .Text("program", captions::kProgram)
        .Text("version", kIdchartVersion)
        .Raw("buttons", TextArray(captions::kMainButtons))
        .Raw("readoutHeadings", TextArray(captions::kReadoutHeadings))
        .Text("primaryDialog", captions::kPrimaryDialog)
        .Text("secondaryDialog", captions::kSecondaryDialog)
        .Text("winterDialog", captions::kWinterDialog)
        .Text("dialogOk", captions::kDialogOk)
        .Raw("summer", TableJson(kSummerParameters))
        .Raw("winter", TableJson(kWinterParameters))
        .Text("helpTitle", captions::kHelpTitle)
        .Text("noteBack", captions::kNoteBack)
        .Text("helpHtml", HelpHtml())
        .Text("pointDialog", captions::kPointDialog)
        .Raw("pointRows", TextArray(captions::kPointRows))
        .Raw("pointChoices", TextArray(captions::kPointChoices))
        .Raw("pointFirstChoices",
             NumberArray({double(captions::kPointFirstChoices[0]),
                          double(captions::kPointFirstChoices[1])}))
        .Text("pointName", captions::kPointName)
        .Text("pointNameHint", captions::kPointNameHint)
        .Json();
}

std::string Rect(const GeometryTarget &g)
{
    return NumberArray({double(TwipsToPixels(g.Left())), double(TwipsToPixels(g.Top())),
                        double(TwipsToPixels(g.Width())), double(TwipsToPixels(g.Height()))});
}

template <std::size_t N> std::string Rects(const std::array<TwipGeometry, N> &targets)
{
    std::string json = "[";
    for (std::size_t k = 0; k < N; ++k)
        json += (k ? "," : "") + Rect(targets[k]);
    return json + "]";
}

// The main window and the parameter dialog arranged for a screen of the
// page's size, in pixels: what the windows' arrangement gives on a desktop
// of that size.
std::string Layout(double width, double height)
{
    using Snap = TwipGeometry::Snap;
    const float screenWidth = PixelsToTwips(static_cast<int>(width));
    const float screenHeight = PixelsToTwips(static_cast<int>(height));

    TwipGeometry window(Snap::WholePixels), chart(Snap::WholePixels);
    std::array<TwipGeometry, 7> headings, values;
    std::array<TwipGeometry, kMainButtonCount> buttons;
    std::array<TwipGeometry, kResultBoxCount> results;
    std::array<TwipGeometry, kStateBoxCount> states;
    for (auto *group : {&headings, &values})
        group->fill(TwipGeometry(Snap::WholePixels));
    buttons.fill(TwipGeometry(Snap::WholePixels));
    results.fill(TwipGeometry(Snap::WholePixels));
    states.fill(TwipGeometry(Snap::WholePixels));
    MainWindowTargets main;
    main.window = &window;
    main.chart = &chart;
    for (int k = 0; k < 7; ++k) {
        main.readoutHeadings[k] = &headings[k];
        main.readoutValues[k] = &values[k];
    }
    for (int k = 0; k < kMainButtonCount; ++k)
        main.buttons[k] = &buttons[k];
    for (int k = 0; k < kResultBoxCount; ++k)
        main.resultBoxes[k] = &results[k];
    for (int k = 0; k < kStateBoxCount; ++k)
        main.stateBoxes[k] = &states[k];
    ArrangeMainWindow(screenWidth, screenHeight, main);

    TwipGeometry dialog(Snap::WholePixels), ok(Snap::WholePixels);
    std::array<TwipGeometry, kParameterRows> boxes, labels;
    boxes.fill(TwipGeometry(Snap::WholePixels));
    labels.fill(TwipGeometry(Snap::WholePixels));
    ParameterDialogTargets parameters;
    parameters.dialog = &dialog;
    parameters.okButton = &ok;
    for (int k = 0; k < kParameterRows; ++k) {
        parameters.boxes[k] = &boxes[k];
        parameters.labels[k] = &labels[k];
    }
    ArrangeParameterDialog(screenWidth, screenHeight, parameters);

    return Answer()
        .Raw("window", Rect(window))
        .Raw("chart", Rect(chart))
        .Raw("readoutHeadings", Rects(headings))
        .Raw("readoutValues", Rects(values))
        .Raw("buttons", Rects(buttons))
        .Raw("results", Rects(results))
        .Raw("states", Rects(states))
        .Raw("dialog", Rect(dialog))
        .Raw("dialogBoxes", Rects(boxes))
        .Raw("dialogLabels", Rects(labels))
        .Raw("dialogOk", Rect(ok))
        .Json();
}

// ---- The weather overlay ----------------------------------------------------------------------

// The summer design's outdoor temperatures, once its inputs were confirmed:
// the table counts the hours above them.
std::optional<climate::DesignTemperatures> ClimateDesign()
{
    const Program &app = App();
    if (!app.parametersSet || app.project.design == DesignKind::PrimaryWinter)
        return std::nullopt;
    return climate::DesignTemperatures {app.project.summer.tw, app.project.summer.ts};
}

// The zones and weather layers drawn again for the chart as it is now.
void DrawClimate()
{
    Program &app = App();
    app.tally = climate::DrawClimateLayers(app.scene, app.project.chart.B, app.climate,
                                           app.weather ? &*app.weather : nullptr, ClimateDesign());
}

// The layers drawn again for the picture's size and the chart's style: the
// texts placed by the picture's size stand where a fresh drawing puts them;
// the process shown, the points and the overlay on the picture stay.
void RedrawShown()
{
    Program &app = App();
    const bool overlay = !app.scene.Ops(SceneLayer::Zones).empty()
        || !app.scene.Ops(SceneLayer::Climate).empty();
    RedrawForSize(app.scene, app.project.chart, app.project.points,
                  app.lastOutcome ? &*app.lastOutcome : nullptr);
    if (overlay || !app.scene.Ops(SceneLayer::Chart).empty())
        DrawClimate();
}

// ---- The chart ------------------------------------------------------------------------------

// The chart drawn again at the project's settings, the overlay on it; the B0
// and precision boxes with it.
std::string DrawChartAnswer()
{
    Program &app = App();
    try {
        DrawChartLayer(app.scene, app.project.chart, app.project.points, app.boxes);
    } catch (const ArithmeticFault &fault) {
        return Answer().Text("message", FaultMessage("绘制焓湿图", fault)).Json();
    }
    DrawClimate();
    return Answer().Raw("boxes", BoxesJson(app.boxes)).Json();
}

std::string QuestionJson(const Question &question)
{
    return Answer()
        .Text("prompt", question.prompt)
        .Text("title", question.title)
        .Text("default", question.defaultText)
        .Json();
}

std::string Ask(const JsonValue &request)
{
    Program &app = App();
    if (StringOf(request, "op") == "askStart" || !app.questions) {
        app.questions.emplace();
        return Answer().Raw("question", QuestionJson(app.questions->Next())).Json();
    }
    Answer answer;
    if (const std::optional<std::string> message = app.questions->Answer(StringOf(request, "text")))
        answer.Text("message", *message);
    if (!app.questions->Done())
        return answer.Raw("question", QuestionJson(app.questions->Next())).Json();
    app.questions->ApplyTo(app.project.chart);
    app.questions.reset();
    return answer.Flag("done", true).Json();
}

std::string Compute()
{
    Program &app = App();
    const DesignRequest request = app.project.Request();
    const CalculationDisplay display = DisplayCalculation(app.scene, app.project.chart,
                                                          app.project.points, app.boxes, request,
                                                          app.parametersSet);
    DrawClimate();
    std::string moments = "[";
    for (std::size_t k = 0; k < display.moments.size(); ++k) {
        const DisplayMoment &moment = display.moments[k];
        std::vector<double> shown;
        for (const std::size_t extent : moment.shown)
            shown.push_back(extent == kWholeLayer ? -1.0 : static_cast<double>(extent));
        moments += (k ? "," : "")
            + Answer()
                  .Raw("shown", NumberArray(shown))
                  .Raw("boxes", BoxesJson(moment.boxes))
                  .Text("message", moment.message)
                  .Json();
    }
    moments += "]";
    app.boxes = display.moments.back().boxes;
    app.lastOutcome = display.outcome;
    if (display.texts) {
        app.results = std::make_shared<ResultSheet>(MakeResultSheet(app.project, *display.texts));
        app.sheet = std::make_shared<CalculationSheet>(
            MakeCalculationSheet(app.project, *display.outcome));
    }
    return Answer()
        .Raw("moments", moments)
        .Flag("openPrimary", display.openPrimaryReturnAir)
        .Flag("results", display.texts.has_value())
        .Json();
}

// ---- Dialogs -------------------------------------------------------------------------------

template <typename Record, std::size_t N>
std::array<std::string, N> ShownTexts(const std::array<ParameterRow<Record>, N> &table,
                                      const std::array<std::string, N> &projectTexts,
                                      bool fromProject)
{
    const bool confirmed = fromProject
        && std::any_of(projectTexts.begin(), projectTexts.end(),
                       [](const std::string &t) { return !t.empty(); });
    return confirmed ? projectTexts : StartTexts(table);
}

std::string DialogTexts(const JsonValue &request)
{
    Program &app = App();
    if (StringOf(request, "dialog") == "winter")
        return Answer()
            .Raw("texts", TextArray(ShownTexts(kWinterParameters, app.project.winterTexts,
                                               app.projectTexts)))
            .Json();
    return Answer()
        .Raw("texts",
             TextArray(ShownTexts(kSummerParameters, app.project.summerTexts, app.projectTexts)))
        .Json();
}

template <typename Record, std::size_t N>
std::string Store(const std::array<ParameterRow<Record>, N> &table,
                  const std::array<std::string, N> &texts, Record &record,
                  std::array<std::string, N> &projectTexts)
{
    // Entries that are not one number, or lie beyond what any room has, are
    // named first, as the desktop dialog names them.
    if (const std::optional<EntryRefusal> refusal = FirstFaultyEntry(table, texts))
        return Answer().Number("row", refusal->row).Text("message", refusal->message).Json();
    const EntriesReading<Record> reading = ReadEntries(table, texts);
    if (!reading.record)
        return Answer().Number("row", reading.refusedRow).Text("message", reading.message).Json();
    record = *reading.record;
    projectTexts = texts;
    return "{}";
}

std::string DialogOk(const JsonValue &request)
{
    Program &app = App();
    const std::string dialog = StringOf(request, "dialog");
    std::string answer;
    if (dialog == "winter") {
        answer = Store(kWinterParameters, TextsOf<kWinterParameterCount>(request, "texts"),
                       app.project.winter, app.project.winterTexts);
        if (answer == "{}")
            app.project.design = DesignKind::PrimaryWinter;
    } else {
        answer = Store(kSummerParameters, TextsOf<kSummerParameterCount>(request, "texts"),
                       app.project.summer, app.project.summerTexts);
        if (answer == "{}")
            app.project.design
                = dialog == "secondary" ? DesignKind::SecondarySummer : DesignKind::PrimarySummer;
    }
    return answer;
}

// Whether one entry of a dialog, as typed so far, would be refused: the
// message that would name it, or nothing.
std::string EntryFaultAnswer(const JsonValue &request)
{
    const auto row = static_cast<std::size_t>(NumberOf(request, "row", 0));
    const std::string text = StringOf(request, "text");
    std::optional<std::string> fault;
    if (StringOf(request, "dialog") == "winter") {
        if (row >= 1 && row <= kWinterParameters.size())
            fault = EntryFault(kWinterParameters[row - 1], text);
    } else if (row >= 1 && row <= kSummerParameters.size()) {
        fault = EntryFault(kSummerParameters[row - 1], text);
    }
    return fault ? Answer().Text("message", *fault).Json() : "{}";
}

std::string AddPoint(const JsonValue &request)
{
    Program &app = App();
    const std::array<std::string, 2> values = TextsOf<2>(request, "values");
    std::array<int, 2> choices {};
    if (const JsonValue *array = request.Find("choices"); array && array->Is(JsonValue::Type::Array))
        for (std::size_t k = 0; k < 2 && k < array->array.size(); ++k)
            choices[k] = static_cast<int>(array->array[k].number);
    const state_points::PointEntries entries = state_points::ReadPointEntries(choices, values);
    if (!entries.given)
        return Answer().Text("message", entries.message).Number("correct", entries.correct).Json();
    if (const auto failure = app.project.points.Add(app.project.chart.B, (*entries.given)[0],
                                                    (*entries.given)[1], StringOf(request, "name")))
        return Answer().Text("message", *failure).Number("correct", 0).Json();
    DrawPointsLayer(app.scene, app.project.points);
    return "{}";
}

std::string ClearPoints()
{
    Program &app = App();
    app.project.points.Clear();
    DrawPointsLayer(app.scene, app.project.points);
    return "{}";
}

// ---- Results, sheet and project -------------------------------------------------------------

std::string Results(bool csv)
{
    Program &app = App();
    const TableRows points = app.project.points.Empty()
        ? TableRows()
        : state_points::PointsTable(app.project.points);
    const std::string text
        = csv ? ExportedCsv(app.results.get(), points) : CopiedTsv(app.results.get(), points);
    return Answer()
        .Text("text", text)
        .Text("name", app.results ? std::string(DesignName(app.results->texts.design)) + "计算结果.csv"
                                  : std::string("状态点.csv"))
        .Json();
}

std::string SheetHtml(const JsonValue &request)
{
    Program &app = App();
    if (!app.sheet)
        return "{}";
    CalculationSheet sheet = *app.sheet;
    sheet.date = StringOf(request, "date");
    return Answer()
        .Text("html", CalculationSheetHtml(sheet, StringOf(request, "svg"),
                                           StringOf(request, "regionSvg")))
        .Json();
}

std::string OpenProject(const JsonValue &request)
{
    Program &app = App();
    const ProjectReading reading = ReadProjectJson(StringOf(request, "text"));
    if (!reading.project)
        return Answer().Text("error", reading.error).Json();
    app.project = *reading.project;
    app.parametersSet = reading.hasInputs;
    app.projectTexts = true;
    app.results.reset();
    app.sheet.reset();
    app.lastOutcome.reset();
    app.boxes = BoxTexts();
    app.scene.ClearAll();
    return DrawChartAnswer();
}

std::string NewProject()
{
    Program &app = App();
    app.project = Project();
    app.parametersSet = false;
    app.projectTexts = false;
    app.results.reset();
    app.sheet.reset();
    app.lastOutcome.reset();
    app.boxes = BoxTexts();
    SetChartTexts(app.project.chart, app.boxes);
    app.scene.ClearAll();
    return Answer().Raw("boxes", BoxesJson(app.boxes)).Json();
}

// ---- The weather overlay's menu --------------------------------------------------------------

// What the chart's menu shows of the overlay: whether weather is imported
// (and has months and hours), each zone with its caption and whether it is
// shown, and how the hours are drawn.
std::string ClimateState(Answer answer = Answer())
{
    const Program &app = App();
    std::string zones = "[";
    for (const comfort_zones::Zone zone : comfort_zones::kZones)
        zones += (zones.size() > 1 ? "," : "")
            + Answer()
                  .Text("caption", zone == comfort_zones::Zone::Pmv
                            ? std::string("PMV 舒适区")
                            : climate::ZoneCaption(zone, app.climate))
                  .Flag("shown", comfort_zones::Has(app.climate.zones, zone))
                  .Json();
    return answer.Flag("weather", app.weather.has_value())
        .Flag("timed", !app.weather || app.weather->timed)
        .Raw("zones", zones + "]")
        .Text("display", app.climate.display == climate::Display::Months ? "months" : "density")
        .Json();
}

// 导入气象数据…: the file's text read as the desktop reads the file; a file
// that cannot be read is named with what is wrong and what was shown stays.
std::string ImportWeather(const JsonValue &request)
{
    Program &app = App();
    const std::string name = StringOf(request, "name");
    weather::Reading reading
        = weather::ReadWeather(StringOf(request, "text"), name, app.project.chart.B);
    if (!reading.weather)
        return ClimateState(
            Answer().Text("message", "无法导入气象数据文件“" + name + "”：" + reading.error));
    app.weather = std::move(*reading.weather);
    // A table without months and hours is counted whole.
    if (!app.weather->timed)
        app.climate.filter = climate::HourFilter();
    DrawClimate();
    Answer answer;
    if (app.weather->skippedCount > 0)
        answer.Text("message", std::to_string(app.weather->skippedCount)
                                   + " 小时缺测或无法求状态，未画出也未计入：\n"
                                   + climate::SkippedText(*app.weather));
    return ClimateState(answer);
}

std::optional<climate::SettingsTopic> TopicOf(const std::string &name)
{
    if (name == "pmv")
        return climate::SettingsTopic::Pmv;
    if (name == "months")
        return climate::SettingsTopic::Months;
    if (name == "hours")
        return climate::SettingsTopic::Hours;
    if (name == "cell")
        return climate::SettingsTopic::Cell;
    return std::nullopt;
}

// PMV 条件…, 月份…, 时刻… and 格子大小…: a question at a time, the message of
// an answer refused, the settings drawn once all are accepted.
std::string AskClimate(const JsonValue &request)
{
    Program &app = App();
    if (StringOf(request, "op") == "climateAsk") {
        const std::optional<climate::SettingsTopic> topic = TopicOf(StringOf(request, "topic"));
        if (!topic)
            return Answer().Text("error", "unknown topic " + StringOf(request, "topic")).Json();
        app.climateQuestions.emplace(*topic, app.climate);
        return Answer().Raw("question", QuestionJson(app.climateQuestions->Next())).Json();
    }
    if (!app.climateQuestions)
        return Answer().Flag("done", true).Json();
    Answer answer;
    if (const std::optional<std::string> message
        = app.climateQuestions->Answer(StringOf(request, "text")))
        answer.Text("message", *message);
    if (!app.climateQuestions->Done())
        return answer.Raw("question", QuestionJson(app.climateQuestions->Next())).Json();
    if (app.climateQuestions->Accepted()) {
        app.climate = app.climateQuestions->Settings();
        DrawClimate();
    }
    app.climateQuestions.reset();
    return answer.Flag("done", true).Json();
}

std::string ClimateRequest(const JsonValue &request)
{
    Program &app = App();
    const std::string op = StringOf(request, "op");
    if (op == "climateImport")
        return ImportWeather(request);
    if (op == "climateAsk" || op == "climateAnswer")
        return AskClimate(request);
    if (op == "climateTable") {
        // 气象统计表…: the hours of the weather as last drawn.
        if (!app.weather)
            return "{}";
        const TableRows rows = climate::TallyRows(*app.weather, app.tally, app.climate);
        std::string json = "[";
        for (std::size_t k = 0; k < rows.size(); ++k)
            json += (k ? "," : "") + TextArray(rows[k]);
        return Answer().Raw("rows", json + "]").Text("tsv", TableTsv(rows)).Json();
    }
    if (op == "climateClear") {
        app.weather.reset();
    } else if (op == "climateZone") {
        const auto zone = static_cast<std::size_t>(NumberOf(request, "zone", -1));
        if (zone >= comfort_zones::kZoneCount)
            return Answer().Text("error", "unknown zone").Json();
        const JsonValue *shown = request.Find("shown");
        app.climate.zones[zone] = shown && shown->Is(JsonValue::Type::Boolean) && shown->boolean;
    } else if (op == "climateDisplay") {
        app.climate.display = StringOf(request, "display") == "months" ? climate::Display::Months
                                                                        : climate::Display::Density;
    } else if (op != "climateState") {
        return Answer().Text("error", "unknown request " + op).Json();
    }
    if (op != "climateState")
        DrawClimate();
    return ClimateState();
}

// The overlay's requests: nothing leaves them, a fault is said as the
// desktop's menu says it.
std::string ClimateAnswer(const JsonValue &request)
{
    try {
        return ClimateRequest(request);
    } catch (const std::exception &error) {
        return Answer().Text("message", std::string("显示气象数据时出现错误：") + error.what()).Json();
    }
}

std::string Dispatch(const JsonValue &request)
{
    Program &app = App();
    const std::string op = StringOf(request, "op");
    if (op == "faces")
        return Faces();
    if (op == "layout")
        return Layout(NumberOf(request, "width", 1366), NumberOf(request, "height", 768));
    if (op == "setPicture") {
        app.lineHeights.clear();
        if (const JsonValue *heights = request.Find("lineHeights");
            heights && heights->Is(JsonValue::Type::Array))
            for (const JsonValue &pair : heights->array)
                if (pair.Is(JsonValue::Type::Array) && pair.array.size() == 2)
                    app.lineHeights.emplace_back(static_cast<float>(pair.array[0].number),
                                                 pair.array[1].number);
        const bool first = !app.scene.HasUserScale();
        app.scene.Resize(NumberOf(request, "width", 1), NumberOf(request, "height", 1));
        if (first) {
            SetUpChart(app.scene);
        } else {
            RedrawShown();
        }
        return "{}";
    }
    if (op == "chartStyle") {
        // The styles with their captions and the one the chart is in; with
        // "style", the chart, with what it shows, drawn again in that one.
        if (const JsonValue *named = request.Find("style")) {
            const std::optional<ChartStyle> style
                = named->Is(JsonValue::Type::String) ? ChartStyleOfOption(named->string)
                                                     : std::nullopt;
            if (style && *style != app.project.chart.style) {
                app.project.chart.style = *style;
                RedrawShown();
            }
        }
        std::vector<std::string> options, captions;
        for (const ChartStyleName &name : kChartStyleNames) {
            options.emplace_back(name.option);
            captions.emplace_back(name.caption);
        }
        return Answer()
            .Text("style", ChartStyleOption(app.project.chart.style))
            .Raw("options", TextArray(options))
            .Raw("captions", TextArray(captions))
            .Json();
    }
    if (op == "askStart" || op == "askAnswer")
        return Ask(request);
    if (op == "drawChart")
        return DrawChartAnswer();
    if (op == "redraw") {
        app.project.chart.Precision = kCalculationPrecision;
        return DrawChartAnswer();
    }
    if (op == "openDialog") {
        // 一次回风, 二次回风 and 冬季工况 set ParametersSet, as their buttons do.
        app.parametersSet = true;
        return DialogTexts(request);
    }
    if (op == "dialogOk")
        return DialogOk(request);
    if (op == "entryFault")
        return EntryFaultAnswer(request);
    if (op == "compute")
        return Compute();
    if (op == "readout") {
        // The page sends the point of the chart's plane under the pointer;
        // the chart style's layout gives the state there.
        const double X = NumberOf(request, "x"), Y = NumberOf(request, "y");
        const std::shared_ptr<const PlaneTransform> &layout = app.scene.Transform();
        const PlanePoint at = layout ? layout->FromPlane(X, Y) : PlanePoint {X, Y};
        const ReadoutTexts cells = PointerReadout(app.project.chart, static_cast<float>(at.x),
                                                  static_cast<float>(at.y));
        return Answer().Raw("cells", TextArray(cells)).Json();
    }
    if (op == "planeOf") {
        // The point of the chart's plane where the chart's style draws the state (d, i).
        const double d = NumberOf(request, "d"), i = NumberOf(request, "i");
        const std::shared_ptr<const PlaneTransform> &layout = app.scene.Transform();
        const PlanePoint at = layout ? layout->ToPlane(d, i) : PlanePoint {d, i};
        return Answer().Raw("point", NumberArray({at.x, at.y})).Json();
    }
    if (op == "regionScene") {
        // On: the last calculation's region drawn for the sheet, and the
        // scene's ops are its own until it is turned off again.
        app.regionChosen = false;
        if (!BoolOf(request, "on") || !app.sheet || !app.sheet->outcome)
            return Answer().Raw("drawn", "false").Json();
        app.region.Resize(kSheetRegionWidth * kSheetPixelsPerMillimetre,
                          kSheetRegionHeight * kSheetPixelsPerMillimetre);
        app.region.ClearAll();
        const bool drawn = DrawProcessRegion(*app.sheet->outcome, app.sheet->B, app.region)
                               .has_value();
        app.regionChosen = drawn;
        return Answer().Raw("drawn", drawn ? "true" : "false").Json();
    }
    if (op == "sceneInfo") {
        const Scene &shown = app.Shown();
        const ScaleMap &map = shown.Map();
        return Answer()
            .Raw("scale", NumberArray({map.left(), map.top(), map.right(), map.bottom()}))
            .Raw("size", NumberArray({shown.Width(), shown.Height()}))
            .Json();
    }
    if (op == "sceneTexts") {
        std::vector<std::string> texts;
        for (std::size_t layer = 0; layer < kSceneLayerCount; ++layer)
            for (const Scene::Op &sceneOp : app.Shown().Ops(static_cast<SceneLayer>(layer)))
                if (sceneOp.kind == Scene::Kind::Text)
                    texts.push_back(sceneOp.text);
        return Answer().Raw("texts", TextArray(texts)).Json();
    }
    if (op == "addPoint")
        return AddPoint(request);
    if (op == "clearPoints")
        return ClearPoints();
    if (op == "resultsCsv" || op == "resultsTsv")
        return Results(op == "resultsCsv");
    if (op == "sheetHtml")
        return SheetHtml(request);
    if (op == "projectJson")
        return Answer()
            .Text("text", ProjectJson(app.project, std::string("idchart ") + kIdchartVersion))
            .Json();
    if (op == "openProject")
        return OpenProject(request);
    if (op == "newProject")
        return NewProject();
    if (op.rfind("climate", 0) == 0)
        return ClimateAnswer(request);
    return Answer().Text("error", "unknown request " + op).Json();
}

} // namespace

extern "C" {

// The answer to one request; the text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char *idchart_call(const char *requestText)
{
    static std::string answer;
    const JsonReading reading = ReadJson(requestText ? requestText : "");
    try {
        answer = reading.value ? Dispatch(*reading.value)
                               : Answer().Text("error", reading.error).Json();
    } catch (const std::exception &error) {
        answer = Answer().Text("error", error.what()).Json();
    }
    return answer.c_str();
}

// The drawn scene as numbers, kSceneNumbers a drawing operation, layer after
// layer in painting order: layer, kind, x1, y1, x2, y2 (user coordinates; a
// circle's radius in x2; a text's weight in x2, 1 for bold), colour r g b,
// fill r g b, line width, font size, and the point a text belongs to (NaN for
// none and for other operations). Texts come in the same order from
// {"op": "sceneTexts"}. Answers where the numbers start; idchart_scene_size
// tells how many operations there are.
constexpr std::size_t kSceneNumbers = 16;

EMSCRIPTEN_KEEPALIVE const float *idchart_scene()
{
    Program &app = App();
    std::vector<float> &numbers = app.sceneNumbers;
    numbers.clear();
    const float none = std::numeric_limits<float>::quiet_NaN();
    for (std::size_t layer = 0; layer < kSceneLayerCount; ++layer)
        for (const Scene::Op &op : app.Shown().Ops(static_cast<SceneLayer>(layer))) {
            const bool text = op.kind == Scene::Kind::Text;
            const float values[kSceneNumbers] = {float(layer),
                                                 float(op.kind),
                                                 float(op.x1),
                                                 float(op.y1),
                                                 text ? float(op.bold) : float(op.x2),
                                                 text ? 0.0f : float(op.y2),
                                                 float(op.colour.r),
                                                 float(op.colour.g),
                                                 float(op.colour.b),
                                                 float(op.fill.r),
                                                 float(op.fill.g),
                                                 float(op.fill.b),
                                                 float(op.width),
                                                 op.fontSize,
                                                 op.anchored ? float(op.x2) : none,
                                                 op.anchored ? float(op.y2) : none};
            numbers.insert(numbers.end(), std::begin(values), std::end(values));
        }
    return numbers.data();
}

EMSCRIPTEN_KEEPALIVE int idchart_scene_size()
{
    return static_cast<int>(App().sceneNumbers.size() / kSceneNumbers);
}

} // extern "C"
