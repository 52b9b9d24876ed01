#include "commands/parsed_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Arguments read against a value option with a default, a switch and the
// help option: the forms an option may take, what its value is, and the
// message of each kind of refusal.
TEST(ReadArguments, FormsValuesAndRefusals)
{
    const std::vector<CommandOption> options
        = {{{"tn"}, "", "x", "26"}, {{"process"}, "", {}, {}}, {{"h", "help"}, "", {}, {}}};
    struct Row {
        std::vector<std::string> arguments;
        std::string error; // "" when accepted
        std::string tn = "26";
        bool process = false;
        bool help = false;
        std::vector<std::string> positional = {};
    };
    const Row rows[] = {
        {{"--tn", "24"}, "", "24"},
        {{"--tn=24"}, "", "24"},
        {{"-tn", "24"}, "", "24"},
        {{"-tn=24", "--process"}, "", "24", true},
        {{"--tn", "1", "--tn=2", "-tn", "3"}, "", "3"},
        {{"--tn", "--process"}, "", "--process"},
        {{"--tn="}, "", ""},
        {{"out.png", "-", "--", "--tn", "5"},
         "",
         "26",
         false,
         false,
         {"out.png", "-", "--tn", "5"}},
        {{"-h"}, "", "26", false, true},
        {{"x", "--help"}, "", "26", false, true, {"x"}},
        {{"--process=1"}, "选项 --process 不带值"},
        {{"-process=1"}, "选项 --process 不带值"},
        {{"--process", "--tn"}, "选项 --tn 缺少值"},
        {{"--tn", "1", "--process=yes", "--tn"}, "选项 --process 不带值"},
        {{"--bogus=3", "1"}, "未知选项：--bogus"},
        {{"--tn", "--process=1", "-v"}, "未知选项：-v"},
        {{"--process=1", "--Tn", "5"}, "未知选项：--Tn"},
    };
    for (const Row &row : rows) {
        std::string arguments;
        for (const std::string &argument : row.arguments)
            arguments += " " + argument;
        SCOPED_TRACE(arguments);
        const ArgumentReading reading = ReadArguments(options, row.arguments);
        EXPECT_EQ(reading.error.value_or(""), row.error);
        if (reading.error)
            continue;
        EXPECT_EQ(reading.options.Value("tn"), row.tn);
        EXPECT_EQ(reading.options.IsSet("tn"), row.tn != "26");
        EXPECT_EQ(reading.options.IsSet("process"), row.process);
        EXPECT_EQ(reading.options.IsSet("help"), row.help);
        EXPECT_EQ(reading.options.IsSet("h"), row.help);
        EXPECT_EQ(reading.options.Positional(), row.positional);
    }
}
