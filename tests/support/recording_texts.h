#pragma once

#include "text/main_window_texts.h"

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
    void SetResultBox(ResultBox box, const std::string &text) override
    {
        const int number = Index(box) + 1;
        result.at(number) = text;
        order.emplace_back("result", number);
    }
    void SetStateBox(StateBox box, const std::string &text) override
    {
        state.at(Index(box)) = text;
        order.emplace_back("state", Index(box));
    }

    std::array<std::string, kReadoutCellCount> readout {};
    // Kept as the window numbers its boxes: result[n] is Text n (n = 1..7),
    // state[k] is Texta(k).
    std::array<std::string, kResultBoxCount + 1> result {};
    std::array<std::string, kStateBoxCount> state {};
    std::vector<std::pair<std::string, int>> order;
};
