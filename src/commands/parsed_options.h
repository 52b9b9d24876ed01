#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The options of a command and the arguments read against them: long names
// (--tn 26, --tn=26, and with a single dash -tn 26), one-letter names (-h),
// switches that take no value, "--" before arguments that are no options,
// and the arguments that are no options kept in their order.

// An option a command takes: its names (without dashes), what it is for, the
// name of its value (empty for a switch) and the value it has when it is not
// given (empty for none).
struct CommandOption {
    std::vector<std::string> names;
    std::string description;
    std::string valueName;
    std::string defaultValue;
};

struct ArgumentReading;
ArgumentReading ReadArguments(const std::vector<CommandOption> &options,
                              const std::vector<std::string> &arguments);

// The arguments of a command as read against its options.
class ParsedOptions {
public:
    // Whether the option was given, under any of its names.
    bool IsSet(std::string_view name) const;
    // The value given last, or the option's default when it was not given;
    // empty for a switch.
    std::string Value(std::string_view name) const;
    // Every value given, in order; the default alone when none was given.
    std::vector<std::string> Values(std::string_view name) const;
    // The arguments that are no options, in order.
    const std::vector<std::string> &Positional() const { return positional_; }

private:
    friend ArgumentReading ReadArguments(const std::vector<CommandOption> &options,
                                         const std::vector<std::string> &arguments);
    std::optional<std::size_t> Find(std::string_view name) const;

    std::vector<CommandOption> options_;
    std::vector<bool> set_; // per option
    std::vector<std::vector<std::string>> given_; // per option, the values in order
    std::vector<std::string> positional_;
};

// The options read, or why the arguments cannot be read: the first unknown
// option as it was typed (without a value after "="), else the first value
// option at the end without its value, or a switch given a value with "=".
// The message is in Chinese and names the option.
struct ArgumentReading {
    ParsedOptions options;
    std::optional<std::string> error;
};
