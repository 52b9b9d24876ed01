#pragma once

#include "ui/main_window_texts.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// The main window's text cells without a window: keeps the current text of
// every cell and the order in which cells were written.
class RecordingTexts : public MainWindowTexts {
public:
    void SetReadoutCell(int index, const std::string &text) override
    {
        readout.at(index) = text;
        order.emplace_back("readout", index);
    }
    void SetResultBox(int number, const std::string &text) override
    {
        result.at(number) = text;
        order.emplace_back("result", number);
    }
    void SetStateBox(int index, const std::string &text) override
    {
        state.at(index) = text;
        order.emplace_back("state", index);
    }

    std::array<std::string, 7> readout {};
    std::array<std::string, 8> result {}; // index 1..7
    std::array<std::string, 12> state {};
    std::vector<std::pair<std::string, int>> order;
};
