#include "commands/command_line.h"

#include "commands/command.h"
#include "idchart_version.h"
#include "project/project_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace {

const std::array<const Command *, 5> &Commands()
{
    static const std::array<const Command *, 5> commands = {
        &ComputeCommand(), &ChartCommand(), &StateCommand(), &ReportCommand(), &ClimateCommand()};
    return commands;
}

const Command *FindCommand(const std::string &word)
{
    for (const Command *command : Commands())
        if (word == command->word)
            return command;
    return nullptr;
}

CommandOption HelpOption()
{
    return {{"h", "help"}, "显示本帮助并退出", {}, {}};
}

CommandOption VersionOption()
{
    return {{"v", "version"}, "显示版本并退出", {}, {}};
}

// The characters of UTF-8 text, as a terminal lines them up: every one of the
// help texts lies in the Basic Multilingual Plane.
std::size_t Characters(const std::string &text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

// The text followed by blanks up to `width` characters.
std::string Padded(const std::string &text, std::size_t width)
{
    const std::size_t characters = Characters(text);
    return characters >= width ? text : text + std::string(width - characters, ' ');
}

// "-h, --help" or "--tn <t>", as the option is written.
std::string OptionSyntax(const CommandOption &option)
{
    std::string syntax;
    for (const std::string &name : option.names)
        syntax += (syntax.empty() ? "" : ", ")
            + std::string(name == "h" || name == "v" ? "-" : "--") + name;
    if (!option.valueName.empty())
        syntax += " <" + option.valueName + ">";
    return syntax;
}

std::string OptionList(const std::vector<CommandOption> &options)
{
    std::size_t width = 0;
    for (const CommandOption &option : options)
        width = std::max(width, Characters(OptionSyntax(option)));
    std::string text;
    for (const CommandOption &option : options) {
        text += "  " + Padded(OptionSyntax(option), width + 2) + option.description;
        if (!option.defaultValue.empty())
            text += "（默认 " + option.defaultValue + "）";
        text += '\n';
    }
    return text;
}

constexpr const char *kExitStatuses
    = "退出状态：\n"
      "  0  成功\n"
      "  1  计算中止（原因与窗口中的提示相同），或文件、标准输出无法写完；"
      "原因写在标准错误输出上\n"
      "  2  用法错误：未知选项、缺少的值、不可接受的值或文件名\n";

std::string ProgramHelpText()
{
    std::string text = "用法：idchart [命令 [选项…]]\n"
                       "\n"
                       "焓湿图（i-d图）与一次回风空调系统的夏季设计计算。"
                       "不带参数时打开程序窗口；带命令时不开窗口，在终端上工作。\n"
                       "\n"
                       "命令：\n";
    for (const Command *command : Commands())
        text += "  " + Padded(command->word, 10) + command->summary + '\n';
    text += "\n选项：\n" + OptionList({HelpOption(), VersionOption()});
    text += std::string("\n“idchart 命令 --help”显示该命令的选项。\n\n") + kExitStatuses;
    return text;
}

std::string CommandHelp(const Command &command)
{
    std::vector<CommandOption> options = command.options();
    options.push_back(HelpOption());
    return std::string("用法：idchart ") + command.word + ' ' + command.synopsis + "\n\n"
        + command.description + "\n\n选项：\n" + OptionList(options) + '\n' + kExitStatuses;
}

CommandOutput Printed(const std::string &text)
{
    return {exit_status::kSuccess, text, {}};
}

CommandOutput RunWord(const Command &command, const std::vector<std::string> &rest)
{
    std::vector<CommandOption> options = command.options();
    options.push_back(HelpOption());
    const ArgumentReading reading = ReadArguments(options, rest);
    if (reading.error)
        return UsageError(*reading.error);
    if (reading.options.IsSet("help"))
        return Printed(CommandHelp(command));
    return command.run(reading.options);
}

CommandOutput Dispatch(const std::vector<std::string> &arguments)
{
    if (arguments.empty())
        return Printed(ProgramHelpText());
    const std::string &first = arguments.front();
    if (first == "-h" || first == "--help")
        return Printed(ProgramHelpText());
    if (first == "-v" || first == "--version")
        return Printed(std::string("idchart ") + kIdchartVersion + '\n');
    if (const Command *command = FindCommand(first))
        return RunWord(*command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    // idchart room1.idchart: the windows open with the project.
    if (arguments.size() == 1 && IsProjectFileName(first))
        return HandedOn();
    if (first.starts_with('-'))
        return UsageError("未知选项：" + first);
    return UsageError("未知命令：" + first);
}

// Writes the whole text and flushes the stream: answers 0 when every byte
// was handed to the system, otherwise the error number of the failure.
int Write(std::FILE *stream, const std::string &text)
{
    errno = 0;
    const bool written
        = text.empty() || std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    if (std::fflush(stream) == 0 && written && !std::ferror(stream))
        return 0;
    return errno != 0 ? errno : EIO;
}

// A write failure's common causes in Chinese; the system's own text follows as a detail.
std::string WriteErrorText(int error)
{
    const char *reason = "写入失败";
    switch (error) {
    case ENOSPC:
        reason = "磁盘已满";
        break;
    case EDQUOT:
        reason = "超出磁盘配额";
        break;
    case EROFS:
        reason = "文件系统只读";
        break;
    case EBADF:
        reason = "标准输出已关闭";
        break;
    case EPIPE:
        reason = "读取输出的程序已退出";
        break;
    case EFBIG:
        reason = "文件超过允许的大小";
        break;
    case EIO:
        reason = "设备输入输出错误";
        break;
    default:
        break;
    }
    return std::string(reason) + "（" + std::strerror(error) + "）";
}

} // namespace

CommandOutput UsageError(const std::string &message)
{
    return {exit_status::kUsage, {}, "idchart: " + message + "\n用“idchart --help”查看用法。\n"};
}

CommandOutput HandedOn()
{
    return {exit_status::kSuccess, {}, {}, true};
}

CommandOutput RunCommand(const std::vector<std::string> &arguments)
{
    try {
        return Dispatch(arguments);
    } catch (const std::bad_alloc &) {
        throw;
    } catch (const std::exception &failure) {
        // A fault of the program, not of the arguments: said, never hidden.
        return {
            exit_status::kStopped, {}, std::string("idchart: 内部错误：") + failure.what() + '\n'};
    }
}

bool IsProjectFileName(std::string_view argument)
{
    const std::string suffix = std::string(".") + kProjectSuffix;
    if (argument.starts_with('-') || argument.size() < suffix.size())
        return false;
    const std::string_view end = argument.substr(argument.size() - suffix.size());
    for (std::size_t k = 0; k < suffix.size(); ++k) {
        const char c = end[k];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != suffix[k])
            return false;
    }
    return true;
}

int WriteCommandOutput(const CommandOutput &output)
{
    const int outError = Write(stdout, output.out);
    Write(stderr, output.err);
    if (outError != 0) {
        Write(stderr, "idchart: 无法写出标准输出：" + WriteErrorText(outError) + "\n");
        return exit_status::kWriteFailed;
    }
    return output.status;
}

std::string ProgramHelp()
{
    std::string text = ProgramHelpText();
    for (const Command *command : Commands())
        text += "\n" + RunWord(*command, {"--help"}).out;
    return text;
}
