#pragma once

#include "process/design_parameters.h"

#include <array>
#include <optional>
#include <string>

// The nine entries of the primary-return-air parameter dialog, rows 1..9:
// tn, φn, tw, ts, △t, s, φL, Q and W. The dialog and the command line read
// them by the one rule here.
namespace design_entries {
inline constexpr int kCount = 9;

struct Row {
    const char *caption; // label: name, full-width colon, the blanks the box covers, unit
    const char *startText; // what the box holds whenever the dialog is loaded
};
inline constexpr Row kRows[kCount] = {
    {"室内设计温度tn  ：             ℃ ", "26"}, {"室内相对湿度φn ：              %", "60"},
    {"室外干球温度tw  ：             ℃", "35"},  {"室外湿球温度ts  ：             ℃", "26.5"},
    {"送风温差△t     ：             ℃", "6"},    {"新风百分比s     ：             %", "30"},
    {"机器露点的φL   ：             %", "95"},   {"室内余热量Q ：             kw", "12"},
    {"室内余湿量W ：             g/s", "0.01"},
};

// What is said when an entry lies beyond the range of its field, after its name.
inline constexpr const char *kOutOfRangeTail = " 的值超出数值范围，请重新输入!";
} // namespace design_entries

// The parameter's name as its label shows it: the caption before the colon
// ("室内设计温度tn"). row is 1..9.
std::string DesignEntryName(int row);

// The outcome of reading the nine entries: the record, or the first row
// whose value lies beyond its range with the message that names it.
struct DesignEntriesReading {
    std::optional<DesignParameters> parameters;
    int refusedRow = 0; // 1..9 when parameters is empty
    std::string message;
};

// Reads the nine texts (rows 1..9 at index 0..8) as the dialog's OK does:
// each by LeadingNumberValue, W kept in single precision. Every entry is read
// before any is stored, so an entry beyond the number range gives no record.
DesignEntriesReading
ReadDesignEntries(const std::array<std::string, design_entries::kCount> &texts);
