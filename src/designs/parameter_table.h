#pragma once

#include "designs/design_parameters.h"
#include "psychro/arithmetic_fault.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// The plausible values of an input: from `lowest` (itself excluded where
// `lowestExcluded`) up to `highest`.
struct PlausibleRange {
    double lowest = -1e300;
    double highest = 1e300;
    bool lowestExcluded = false;
};
// Air temperatures, °C; relative humidities and shares, %; loads of a room,
// kW and g/s; the supply temperature difference, K.
inline constexpr PlausibleRange kTemperatureRange {-50.0, 100.0};
inline constexpr PlausibleRange kPercentRange {0.0, 100.0};
inline constexpr PlausibleRange kSupplyDifferenceRange {0.0, 30.0, true};
inline constexpr PlausibleRange kHeatRange {0.0, 10000.0};
inline constexpr PlausibleRange kHeatLossRange {-10000.0, 10000.0};
inline constexpr PlausibleRange kMoistureRange {0.0, 1000.0};

// One input of a design: everything the dialog, the command line, the
// calculation sheet, the reading rule and the fault messages need to know of
// it. Adding an input to a design is adding one row to its table (and using
// the field in its calculation).
template <typename Record> struct ParameterRow {
    const char *caption; // dialog label: name, full-width colon, the blanks the box covers, unit
    const char *startText; // what the box holds whenever the dialog is loaded
    const char *option; // command-line option name, without the leading --
    const char *unit; // as typed, for the command line's help and the tables ("kW")
    const char *symbol; // on the calculation sheet; an underscore starts a subscript ("t_n")
    const char *sheetName; // on the calculation sheet ("室内设计温度")
    // How many of the typed unit make one of the unit the calculation works
    // in: 100 for a percentage taken as a fraction, 1000 for g/s taken as kg/s.
    double perCalculationUnit = 1.0;
    // The field it fills: exactly one is set. A double field keeps the value
    // as read, a single field rounds it to single precision, a choice field
    // takes one of the two entries below.
    double Record::*asDouble = nullptr;
    float Record::*asSingle = nullptr;
    Humidifier Record::*asChoice = nullptr;
    // A choice row: the dialog's entries and the command line's words, in
    // the order of the Humidifier values.
    std::array<const char *, 2> choiceTexts {};
    std::array<const char *, 2> choiceWords {};
    // The values a room or its air can have, in the typed unit: an entry
    // beyond them is a slip of the hand, refused by the dialogs' OK.
    PlausibleRange range {};
};

inline constexpr std::size_t kSummerParameterCount = 9;
inline constexpr std::size_t kWinterParameterCount = 9;

using SummerRow = ParameterRow<DesignParameters>;
using WinterRow = ParameterRow<WinterParameters>;

// Typed units per unit of the calculation.
inline constexpr double kPercentPerFraction = 100.0;
inline constexpr double kGramsPerKilogramOfMoisture = 1000.0;

// The summer inputs of both return-air designs, in the dialog's row order.
inline constexpr std::array<SummerRow, kSummerParameterCount> kSummerParameters = {{
    {.caption = "室内设计温度tn  ：             ℃ ",
     .startText = "26",
     .option = "tn",
     .unit = "℃",
     .symbol = "t_n",
     .sheetName = "室内设计温度",
     .asDouble = &DesignParameters::tn,
     .range = kTemperatureRange},
    {.caption = "室内相对湿度φn ：              %",
     .startText = "60",
     .option = "phin",
     .unit = "%",
     .symbol = "φ_n",
     .sheetName = "室内相对湿度",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &DesignParameters::phiN,
     .range = kPercentRange},
    {.caption = "室外干球温度tw  ：             ℃",
     .startText = "35",
     .option = "tw",
     .unit = "℃",
     .symbol = "t_w",
     .sheetName = "室外干球温度",
     .asDouble = &DesignParameters::tw,
     .range = kTemperatureRange},
    {.caption = "室外湿球温度ts  ：             ℃",
     .startText = "26.5",
     .option = "ts",
     .unit = "℃",
     .symbol = "t_s",
     .sheetName = "室外湿球温度",
     .asDouble = &DesignParameters::ts,
     .range = kTemperatureRange},
    {.caption = "送风温差△t     ：             ℃",
     .startText = "6",
     .option = "dt",
     .unit = "℃",
     .symbol = "Δt",
     .sheetName = "送风温差",
     .asDouble = &DesignParameters::deltaT,
     .range = kSupplyDifferenceRange},
    {.caption = "新风百分比s     ：             %",
     .startText = "30",
     .option = "s",
     .unit = "%",
     .symbol = "s",
     .sheetName = "新风百分比",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &DesignParameters::s,
     .range = kPercentRange},
    {.caption = "机器露点的φL   ：             %",
     .startText = "95",
     .option = "phil",
     .unit = "%",
     .symbol = "φ_L",
     .sheetName = "机器露点的相对湿度",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &DesignParameters::phiL,
     .range = kPercentRange},
    {.caption = "室内余热量Q ：             kw",
     .startText = "12",
     .option = "q",
     .unit = "kW",
     .symbol = "Q",
     .sheetName = "室内余热量",
     .asDouble = &DesignParameters::Q,
     .range = kHeatRange},
    {.caption = "室内余湿量W ：             g/s",
     .startText = "0.01",
     .option = "w",
     .unit = "g/s",
     .symbol = "W",
     .sheetName = "室内余湿量",
     .perCalculationUnit = kGramsPerKilogramOfMoisture,
     .asSingle = &DesignParameters::W,
     .range = kMoistureRange},
}};

// The inputs of the winter design, in its dialog's row order; the last row is
// the humidifier choice.
inline constexpr std::array<WinterRow, kWinterParameterCount> kWinterParameters = {{
    {.caption = "冬季室内温度tn'  ：           ℃",
     .startText = "20",
     .option = "winter-tn",
     .unit = "℃",
     .symbol = "t_n'",
     .sheetName = "冬季室内温度",
     .asDouble = &WinterParameters::tnW,
     .range = kTemperatureRange},
    {.caption = "冬季室内相对湿度φn'：          %",
     .startText = "50",
     .option = "winter-phin",
     .unit = "%",
     .symbol = "φ_n'",
     .sheetName = "冬季室内相对湿度",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &WinterParameters::phiNW,
     .range = kPercentRange},
    {.caption = "冬季室外温度tw'  ：           ℃",
     .startText = "-12",
     .option = "winter-tw",
     .unit = "℃",
     .symbol = "t_w'",
     .sheetName = "冬季室外温度",
     .asDouble = &WinterParameters::twW,
     .range = kTemperatureRange},
    {.caption = "冬季室外相对湿度φw'：          %",
     .startText = "45",
     .option = "winter-phiw",
     .unit = "%",
     .symbol = "φ_w'",
     .sheetName = "冬季室外相对湿度",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &WinterParameters::phiWW,
     .range = kPercentRange},
    {.caption = "冬季室内热负荷Qh ：           kw",
     .startText = "10",
     .option = "winter-q",
     .unit = "kW",
     .symbol = "Q_h",
     .sheetName = "冬季室内热负荷",
     .asDouble = &WinterParameters::Qh,
     .range = kHeatLossRange},
    {.caption = "冬季室内余湿量W' ：           g/s",
     .startText = "0.01",
     .option = "winter-w",
     .unit = "g/s",
     .symbol = "W'",
     .sheetName = "冬季室内余湿量",
     .perCalculationUnit = kGramsPerKilogramOfMoisture,
     .asSingle = &WinterParameters::WW,
     .range = kMoistureRange},
    {.caption = "冬季新风百分比s' ：           %",
     .startText = "30",
     .option = "winter-s",
     .unit = "%",
     .symbol = "s'",
     .sheetName = "冬季新风百分比",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &WinterParameters::sW,
     .range = kPercentRange},
    {.caption = "冬季机器露点φL'  ：           %",
     .startText = "95",
     .option = "winter-phil",
     .unit = "%",
     .symbol = "φ_L'",
     .sheetName = "冬季机器露点的相对湿度",
     .perCalculationUnit = kPercentPerFraction,
     .asDouble = &WinterParameters::phiLW,
     .range = kPercentRange},
    {.caption = "加湿方式        ：",
     .startText = "喷循环水",
     .option = "humidifier",
     .unit = "",
     .symbol = "",
     .sheetName = "加湿方式",
     .asChoice = &WinterParameters::Mode,
     .choiceTexts = {"喷循环水", "喷蒸汽"},
     .choiceWords = {"spray", "steam"}},
}};

// The table of a record's inputs.
constexpr const std::array<SummerRow, kSummerParameterCount> &TableOf(const DesignParameters &)
{
    return kSummerParameters;
}
constexpr const std::array<WinterRow, kWinterParameterCount> &TableOf(const WinterParameters &)
{
    return kWinterParameters;
}

// What is said when an entry lies beyond the range of its field, after its name.
inline constexpr const char *kOutOfRangeTail = " 的值超出数值范围，请重新输入!";

// The input's name as its label shows it: the caption before the colon,
// trailing blanks dropped ("室内设计温度tn").
std::string ParameterName(const char *caption);

// A design input as the calculation takes it over: in the calculation's
// unit (a percentage as a fraction, g/s as kg/s, by its row), in double or
// single precision. A value beyond the range is a fault that names the input
// as its dialog label does.
template <typename Record, typename Value>
double TakenOver(const Record &record, Value Record::*field)
{
    return CheckedDouble(static_cast<double>(record.*field) / PerCalculationUnit(field),
                         FaultCause::DesignParameter, ParameterNameOf(field));
}
template <typename Record, typename Value>
float TakenOverSingle(const Record &record, Value Record::*field)
{
    return CheckedSingle(static_cast<double>(record.*field) / PerCalculationUnit(field),
                         FaultCause::DesignParameter, ParameterNameOf(field));
}
// A value already taken over, checked once more in single precision as the
// input it came from.
template <typename Field> float CheckedSingleInput(double value, Field field)
{
    return CheckedSingle(value, FaultCause::DesignParameter, ParameterNameOf(field));
}

// An entry as the dialogs check it, before anything is stored and as it is
// typed: one decimal number as a whole (the command line's rule, StrictNumber:
// full-width digits and blanks around it allowed), within the row's plausible
// range. A choice entry is always good. Otherwise the message that names the
// input, the text typed and what is wrong, ending "请重新输入!".
template <typename Record>
std::optional<std::string> EntryFault(const ParameterRow<Record> &row, const std::string &text);

// The first entry of a dialog's texts that EntryFault refuses: its row
// (1-based) and the message; none when every entry is good.
struct EntryRefusal {
    int row = 0;
    std::string message;
};
template <typename Record, std::size_t N>
std::optional<EntryRefusal> FirstFaultyEntry(const std::array<ParameterRow<Record>, N> &table,
                                             const std::array<std::string, N> &texts)
{
    for (std::size_t k = 0; k < N; ++k)
        if (std::optional<std::string> fault = EntryFault(table[k], texts[k]))
            return EntryRefusal {static_cast<int>(k + 1), std::move(*fault)};
    return std::nullopt;
}

// The start texts of a table, as a freshly loaded dialog shows them.
template <typename Record, std::size_t N>
std::array<std::string, N> StartTexts(const std::array<ParameterRow<Record>, N> &table)
{
    std::array<std::string, N> texts;
    for (std::size_t k = 0; k < N; ++k)
        texts[k] = table[k].startText;
    return texts;
}

// The outcome of reading a dialog's entries: the record, or the first row
// (1-based) whose value lies beyond its range, with the message that names it.
template <typename Record> struct EntriesReading {
    std::optional<Record> record;
    int refusedRow = 0;
    std::string message;
};

// Reads one entry by the dialog's rule (LeadingNumberValue: no text is
// rejected, a text without a leading number reads 0); a single field is
// rounded to single precision. Throws ArithmeticFault when the value lies
// beyond the range of its field. A choice entry is its dialog text or its
// command-line word; anything else takes the first entry.
template <typename Record>
void StoreEntry(const ParameterRow<Record> &row, const std::string &text, Record &record);

// Reads every entry before any is stored, so an entry beyond the number range
// gives no record at all.
template <typename Record, std::size_t N>
EntriesReading<Record> ReadEntries(const std::array<ParameterRow<Record>, N> &table,
                                   const std::array<std::string, N> &texts)
{
    Record record;
    for (std::size_t k = 0; k < N; ++k) {
        try {
            StoreEntry(table[k], texts[k], record);
        } catch (const std::exception &) {
            return {std::nullopt, static_cast<int>(k + 1),
                    ParameterName(table[k].caption) + kOutOfRangeTail};
        }
    }
    return {record, 0, {}};
}

// The name of the input a record field belongs to, for fault messages
// (empty when the field is in no row), and how many typed units make one of
// the calculation's (1 when the field is in no row).
std::string ParameterNameOf(double DesignParameters::*field);
std::string ParameterNameOf(float DesignParameters::*field);
std::string ParameterNameOf(double WinterParameters::*field);
std::string ParameterNameOf(float WinterParameters::*field);
double PerCalculationUnit(double DesignParameters::*field);
double PerCalculationUnit(float DesignParameters::*field);
double PerCalculationUnit(double WinterParameters::*field);
double PerCalculationUnit(float WinterParameters::*field);
