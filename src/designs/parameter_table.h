#pragma once

#include "designs/design_parameters.h"
#include "psychro/arithmetic_fault.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

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
    {"室内设计温度tn  ：             ℃ ", "26", "tn", "℃", "t_n", "室内设计温度", 1.0,
     &DesignParameters::tn},
    {"室内相对湿度φn ：              %", "60", "phin", "%", "φ_n", "室内相对湿度",
     kPercentPerFraction, &DesignParameters::phiN},
    {"室外干球温度tw  ：             ℃", "35", "tw", "℃", "t_w", "室外干球温度", 1.0,
     &DesignParameters::tw},
    {"室外湿球温度ts  ：             ℃", "26.5", "ts", "℃", "t_s", "室外湿球温度", 1.0,
     &DesignParameters::ts},
    {"送风温差△t     ：             ℃", "6", "dt", "℃", "Δt", "送风温差", 1.0,
     &DesignParameters::deltaT},
    {"新风百分比s     ：             %", "30", "s", "%", "s", "新风百分比", kPercentPerFraction,
     &DesignParameters::s},
    {"机器露点的φL   ：             %", "95", "phil", "%", "φ_L", "机器露点的相对湿度",
     kPercentPerFraction, &DesignParameters::phiL},
    {"室内余热量Q ：             kw", "12", "q", "kW", "Q", "室内余热量", 1.0,
     &DesignParameters::Q},
    {"室内余湿量W ：             g/s", "0.01", "w", "g/s", "W", "室内余湿量",
     kGramsPerKilogramOfMoisture, nullptr, &DesignParameters::W},
}};

// The inputs of the winter design, in its dialog's row order; the last row is
// the humidifier choice.
inline constexpr std::array<WinterRow, kWinterParameterCount> kWinterParameters = {{
    {"冬季室内温度tn'  ：           ℃", "20", "winter-tn", "℃", "t_n'", "冬季室内温度", 1.0,
     &WinterParameters::tnW},
    {"冬季室内相对湿度φn'：          %", "50", "winter-phin", "%", "φ_n'", "冬季室内相对湿度",
     kPercentPerFraction, &WinterParameters::phiNW},
    {"冬季室外温度tw'  ：           ℃", "-12", "winter-tw", "℃", "t_w'", "冬季室外温度", 1.0,
     &WinterParameters::twW},
    {"冬季室外相对湿度φw'：          %", "45", "winter-phiw", "%", "φ_w'", "冬季室外相对湿度",
     kPercentPerFraction, &WinterParameters::phiWW},
    {"冬季室内热负荷Qh ：           kw", "10", "winter-q", "kW", "Q_h", "冬季室内热负荷", 1.0,
     &WinterParameters::Qh},
    {"冬季室内余湿量W' ：           g/s", "0.01", "winter-w", "g/s", "W'", "冬季室内余湿量",
     kGramsPerKilogramOfMoisture, nullptr, &WinterParameters::WW},
    {"冬季新风百分比s' ：           %", "30", "winter-s", "%", "s'", "冬季新风百分比",
     kPercentPerFraction, &WinterParameters::sW},
    {"冬季机器露点φL'  ：           %", "95", "winter-phil", "%", "φ_L'", "冬季机器露点的相对湿度",
     kPercentPerFraction, &WinterParameters::phiLW},
    {"加湿方式        ：",
     "喷循环水",
     "humidifier",
     "",
     "",
     "加湿方式",
     1.0,
     nullptr,
     nullptr,
     &WinterParameters::Mode,
     {"喷循环水", "喷蒸汽"},
     {"spray", "steam"}},
}};
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
