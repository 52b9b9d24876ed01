#pragma once

#include <string>

// The text cells of the main window that the computing code writes.
class MainWindowTexts {
public:
    virtual ~MainWindowTexts() = default;

    // Readout value cell Label2(index), index 0..6.
    virtual void SetReadoutCell(int index, const std::string &text) = 0;
    // Result box Text<number>, number 1..7.
    virtual void SetResultBox(int number, const std::string &text) = 0;
    // State box Texta(index), index 0..11.
    virtual void SetStateBox(int index, const std::string &text) = 0;
};
