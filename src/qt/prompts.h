#pragma once

#include "chart/chart_settings.h"

#include <optional>
#include <string>
#include <vector>

// Modal input prompts and message boxes.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows a prompt with a one-line field holding defaultText and the buttons
    // OK and Cancel; answers the field's text, or "" for Cancel.
    virtual std::string InputBox(const std::string &prompt, const std::string &title,
                                 const std::string &defaultText)
        = 0;

    // Shows a message with an OK button only, titled with the application's name.
    virtual void MsgBox(const std::string &text) = 0;

    // Asks a question with the given buttons, titled with the application's
    // name, and answers the index of the button chosen; closing the box
    // chooses the last one. The last button is the one that changes nothing
    // ("取消", "否"), which is also what a prompt without a user answers.
    virtual int Ask(const std::string & /* text */, const std::vector<std::string> &buttons)
    {
        return static_cast<int>(buttons.size()) - 1;
    }
};

// Asks the chart settings' questions until they are answered, showing each
// message they give before the next question.
inline void AskChartSettings(ChartSettingsQuestions &questions, Prompts &prompts)
{
    while (!questions.Done()) {
        const Question &next = questions.Next();
        if (const std::optional<std::string> message
            = questions.Answer(prompts.InputBox(next.prompt, next.title, next.defaultText)))
            prompts.MsgBox(*message);
    }
}
