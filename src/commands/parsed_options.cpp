#include "commands/parsed_options.h"

#include <algorithm>

namespace {

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// The text before the first "=", or all of it.
std::string_view BeforeEquals(std::string_view text)
{
    return text.substr(0, text.find('='));
}

// The option name in an argument "--tn", "-tn" or "--tn=5": every leading
// dash and any value after "=" taken off.
std::string_view NameIn(std::string_view argument)
{
    const std::size_t start = argument.find_first_not_of('-');
    return BeforeEquals(start == std::string_view::npos ? std::string_view()
                                                        : argument.substr(start));
}

} // namespace

std::optional<std::size_t> ParsedOptions::Find(std::string_view name) const
{
    for (std::size_t k = 0; k < options_.size(); ++k)
        if (std::find(options_[k].names.begin(), options_[k].names.end(), name)
            != options_[k].names.end())
            return k;
    return std::nullopt;
}

bool ParsedOptions::IsSet(std::string_view name) const
{
    const std::optional<std::size_t> k = Find(name);
    return k && set_[*k];
}

std::string ParsedOptions::Value(std::string_view name) const
{
    const std::vector<std::string> values = Values(name);
    return values.empty() ? std::string() : values.back();
}

std::vector<std::string> ParsedOptions::Values(std::string_view name) const
{
    const std::optional<std::size_t> k = Find(name);
    if (!k)
        return {};
    if (!given_[*k].empty())
        return given_[*k];
    if (options_[*k].defaultValue.empty())
        return {};
    return {options_[*k].defaultValue};
}

ArgumentReading ReadArguments(const std::vector<CommandOption> &options,
                              const std::vector<std::string> &arguments)
{
    ArgumentReading reading;
    ParsedOptions &parsed = reading.options;
    parsed.options_ = options;
    parsed.set_.assign(options.size(), false);
    parsed.given_.assign(options.size(), {});

    // The first unknown name, as it stands after its dashes, and the first
    // refusal: a value option at the end without its value, or a switch
    // given a value with "=". Reading goes on to the end, as an unknown
    // option anywhere counts before a refusal.
    std::optional<std::string> unknown;
    std::optional<std::string> refusal;
    bool optionsEnded = false; // after "--"
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string &argument = arguments[k];
        if (optionsEnded || !StartsWith(argument, "-") || argument == "-") {
            parsed.positional_.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name" and, with a single dash, "-name" alike.
        const std::size_t dashes = StartsWith(argument, "--") ? 2 : 1;
        const std::string name(BeforeEquals(std::string_view(argument).substr(dashes)));
        const std::optional<std::size_t> option = parsed.Find(name);
        if (!option) {
            if (!unknown)
                unknown = name;
            continue;
        }
        parsed.set_[*option] = true;
        const std::size_t equals = argument.find('=');
        if (options[*option].valueName.empty()) {
            if (equals != std::string::npos && !refusal)
                refusal = "选项 --" + name + " 不带值";
        } else if (equals != std::string::npos) {
            parsed.given_[*option].push_back(argument.substr(equals + 1));
        } else if (k + 1 < arguments.size()) {
            parsed.given_[*option].push_back(arguments[++k]); // whatever it is
        } else if (!refusal) {
            refusal = "选项 --" + name + " 缺少值";
        }
    }

    if (unknown) {
        // Named as it was typed, without a value after "=": the first
        // argument with that name, whatever its dashes.
        reading.error = "未知选项：" + *unknown;
        for (const std::string &argument : arguments) {
            if (StartsWith(argument, "-") && NameIn(argument) == *unknown) {
                reading.error = "未知选项：" + std::string(BeforeEquals(argument));
                break;
            }
        }
        return reading;
    }
    reading.error = refusal;
    return reading;
}
