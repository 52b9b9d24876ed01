#pragma once

#include "designs/outcome.h"
#include "text/box_texts.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The designs the program computes.
enum class DesignKind {
    PrimarySummer, // 一次回风 summer design
    SecondarySummer, // 二次回风 summer design
    PrimaryWinter, // 一次回风 winter design
};

// A design's name in its tables ("一次回风夏季设计") and the word of the
// command line's --design option ("primary").
const char *DesignName(DesignKind kind);
const char *DesignWord(DesignKind kind);

// The state boxes Texta(0) … Texta(9) that a design fills: d and i of five states.
inline constexpr int kDesignStateBoxCount = 10;

// One quantity of the full result table.
struct QuantityText {
    // Where it is listed: in every output; in the terminal table and JSON but
    // not in the rows of CSV and the clipboard; in JSON alone.
    enum class Where { Everywhere, NotInRows, JsonOnly };
    std::string name; // as the result panel heads it
    std::string value; // the text its box shows or would show; empty when not computed
    std::string unit;
    std::string key; // JSON key
    Where where = Where::Everywhere;
    bool boolean = false; // a JSON true/false ("true" or "false" in value) instead of a number
    bool textual = false; // a JSON string (a word, not a number); null when empty
};

// One state of the full result table.
struct StateText {
    std::string name; // "室内状态点 N"
    std::string key; // JSON key, its letter
    std::string t, d, i; // empty when not found
};

// Every text one calculation shows: the seven result boxes, the ten state
// boxes, the full table and the message of a stop. One routine per design
// turns its outcome into these; the boxes, the clipboard, the files and the
// command line all take their texts from here, so a number has one text.
struct DesignTexts {
    DesignKind design = DesignKind::PrimarySummer;
    std::array<std::string, kResultBoxCount> results {};
    std::array<std::string, kDesignStateBoxCount> states {};
    std::vector<StateText> stateRows;
    std::vector<QuantityText> quantities;
    // The full table lists the quantities first and then the states.
    bool statesAfterQuantities = false;
    std::optional<Stop> stop;
};

// A state of a design's full table: its name there ("室内状态点 N").
struct TableState {
    StateName name;
    const char *title;
};

// The ten state boxes (d and i of the five states in boxOrder) and the state
// rows of the table (in tableOrder) from the states found; a state not found
// leaves its boxes and cells empty.
void FillStateTexts(DesignTexts &texts, const std::vector<FoundState> &states,
                    const std::array<StateName, 5> &boxOrder,
                    const std::vector<TableState> &tableOrder);

// The seven result boxes and the ten state boxes of d and i take the texts'
// values; B0 and the precision stay as they are.
void WriteBoxes(const DesignTexts &texts, BoxTexts &boxes);

// The temperature text of a found state: the temperature the calculation
// worked with, or the chart's temperature at its (d, i); empty when that
// cannot be formed.
std::string TemperatureText(const FoundState &state);
