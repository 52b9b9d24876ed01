#pragma once

#include "chart/chart_settings.h"
#include "qt/prompts.h"

#include <deque>
#include <string>
#include <vector>

// Prompts answered from a script. Each InputBox takes the next answer; when
// the script is exhausted it confirms the default. Everything shown is kept.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        std::string prompt;
        std::string title;
        std::string defaultText;
    };

    ScriptedPrompts() = default;
    explicit ScriptedPrompts(std::vector<std::string> answers)
        : answers_(answers.begin(), answers.end())
    {
    }

    void Answer(const std::string &answer) { answers_.push_back(answer); }

    std::string InputBox(const std::string &prompt, const std::string &title,
                         const std::string &defaultText) override
    {
        inputs.push_back({prompt, title, defaultText});
        sequence.push_back(prompt);
        if (answers_.empty())
            return defaultText;
        std::string answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    void MsgBox(const std::string &text) override
    {
        messages.push_back(text);
        sequence.push_back(text);
    }

    // Answers a question with the next scripted choice, or with the last
    // button (the one that changes nothing) when there is none.
    void Choose(int button) { choices_.push_back(button); }
    int Ask(const std::string &text, const std::vector<std::string> &buttons) override
    {
        questions.push_back(text);
        sequence.push_back(text);
        if (choices_.empty())
            return static_cast<int>(buttons.size()) - 1;
        const int choice = choices_.front();
        choices_.pop_front();
        return choice;
    }

    std::vector<Shown> inputs;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    // Prompt texts and messages in the order they were shown.
    std::vector<std::string> sequence;

private:
    std::deque<std::string> answers_;
    std::deque<int> choices_;
};

// The chart settings asked through scripted prompts, as the window asks them;
// the answers go into the state.
inline void AskChartSettings(ChartState &state, ScriptedPrompts &prompts)
{
    ChartSettingsQuestions questions;
    AskChartSettings(questions, prompts);
    questions.ApplyTo(state);
}
