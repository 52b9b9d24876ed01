#pragma once

#include "designs/parameter_table.h"
#include "qt/form_window.h"

#include <array>
#include <optional>
#include <string>

class AppShell;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// A parameter dialog: nine rows, each an entry laid over its label (name,
// colon, unit), and the OK button, arranged in proportion to the screen.
// An entry is a text box prefilled with its start text, or, for a choice
// row, a two-entry choice. OK reads the nine entries, stores them (by the
// dialog's own Store) and returns to the main window; the dialog stays
// loaded, so the entries keep what was typed. The close box returns to the
// main window too and discards the dialog with its texts; the record keeps
// the last OK's values.
//
// Text[n] and Label[n] are the box and label of row n (n = 1..9; index 0 is
// unused); a choice row has Choice[n] instead of Text[n]. Rows 1..7 lie on
// the left, rows 8 and 9 at the upper right.
class ParameterForm : public FormWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 9;

    // What a row shows: its label, its start text, and for a choice row its
    // two entries (the start text among them).
    struct RowFace {
        const char *caption = nullptr;
        const char *startText = nullptr;
        std::array<const char *, 2> choices {};
        // What is wrong with a text typed into the row, or nothing.
        std::optional<std::string> (*fault)(std::size_t row, const std::string &text) = nullptr;
    };
    template <typename Record>
    static std::array<RowFace, kRows> FacesOf(const std::array<ParameterRow<Record>, kRows> &table)
    {
        std::array<RowFace, kRows> faces;
        for (int k = 0; k < kRows; ++k) {
            const ParameterRow<Record> &row = table[static_cast<std::size_t>(k)];
            faces[static_cast<std::size_t>(k)]
                = {row.caption, row.startText,
                   row.asChoice ? row.choiceTexts : std::array<const char *, 2> {},
                   [](std::size_t index, const std::string &text) {
                       return EntryFault(TableOf(Record {})[index], text);
                   }};
        }
        return faces;
    }

    ParameterForm(AppShell &shell, const QString &name, const char *caption,
                  const std::array<RowFace, kRows> &rows, QWidget *parent = nullptr);

    // Arranges the dialog and its controls in proportion to the screen.
    void Form_Load() override;
    // The close box: back to the main window, every dialog hidden.
    void Form_QueryUnload() override;

    // OK: checks the nine entries, stores them and returns to the main
    // window. The first entry that is not a number as a whole or lies beyond
    // its plausible range (EntryFault) is named in a message; then nothing is
    // stored, and the dialog stays open with its texts, that entry selected.
    void Command1_Click();
    // Whether an entry is marked as not good, as it is typed.
    bool Marked(int n) const;

    // The text of row n as OK reads it: the box's text or the chosen entry.
    std::string EntryText(int n) const;
    // Puts texts into the entries, in row order; nine empty texts (inputs
    // never confirmed) put back the start texts.
    void ShowTexts(const std::array<std::string, kRows> &texts);

    QLineEdit *Text[kRows + 1] = {};
    QComboBox *Choice[kRows + 1] = {};
    QLabel *Label[kRows + 1] = {};
    QPushButton *Command1 = nullptr;

protected:
    // A refused entry: its row (1-based) and the message that names it.
    struct Refusal {
        int row = 0;
        std::string message;
    };
    // Reads the nine texts into the dialog's record; nothing is stored when an
    // entry is refused.
    virtual std::optional<Refusal> Store(const std::array<std::string, kRows> &texts) = 0;

    // Reads the texts by a parameter table into a record, or names the refused entry.
    template <typename Record>
    static std::optional<Refusal> Read(const std::array<ParameterRow<Record>, kRows> &table,
                                       const std::array<std::string, kRows> &texts, Record &record)
    {
        const EntriesReading<Record> reading = ReadEntries(table, texts);
        if (!reading.record)
            return Refusal {reading.refusedRow, reading.message};
        record = *reading.record;
        return std::nullopt;
    }

    AppShell &shell_;

private:
    QWidget *Entry(int n) const;
    // The labels' font, as large as lets every label show whole left of its entry.
    void FitLabelFont();
    // Marks the entry of row n when its text is not good, with the reason as its tool tip.
    void Mark(int n);

    std::array<RowFace, kRows> rows_ {};

    std::array<const char *, kRows> startTexts_ {};
};
