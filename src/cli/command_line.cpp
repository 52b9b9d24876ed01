#include "cli/command_line.h"

#include "cli/command.h"
#include "idchart_version.h"
#include "project/project_file.h"
#include "window_program_path.h"

#include <QCommandLineParser>
#include <QStringView>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr const char *kProgram = "idchart";

// Exit status when the window program is missing, as a shell says of a
// command it cannot find: an installation fault, not the user's.
constexpr int kWindowProgramMissing = 127;

// Qt's own window options: with one of them first, the windows start and Qt reads them.
constexpr std::array kWindowOptions
    = {"-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
       "-display",         "-geometry",           "-style",         "-stylesheet",
       "-qwindowgeometry", "-qwindowtitle",       "-qwindowicon",   "-reverse",
       "-session"};

const std::array<const Command *, 4> &Commands()
{
    static const std::array<const Command *, 4> commands
        = {&ComputeCommand(), &ChartCommand(), &StateCommand(), &ReportCommand()};
    return commands;
}

const Command *FindCommand(const QString &word)
{
    for (const Command *command : Commands())
        if (word == QLatin1String(command->word))
            return command;
    return nullptr;
}

QCommandLineOption HelpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              Utf8("显示本帮助并退出"));
}

QCommandLineOption VersionOption()
{
    return QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                              Utf8("显示版本并退出"));
}

// "-h, --help" or "--tn <t>", as the option is written.
QString OptionSyntax(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name == QStringLiteral("h") || name == QStringLiteral("v") ? QStringLiteral("-")
                                                                             : QStringLiteral("--"))
                + name;
    QString syntax = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        syntax += QStringLiteral(" <") + option.valueName() + QStringLiteral(">");
    return syntax;
}

QString OptionList(const QList<QCommandLineOption> &options)
{
    qsizetype width = 0;
    for (const QCommandLineOption &option : options)
        width = std::max(width, OptionSyntax(option).size());
    QString text;
    for (const QCommandLineOption &option : options) {
        text += QStringLiteral("  ") + OptionSyntax(option).leftJustified(width + 2)
            + option.description();
        if (!option.defaultValues().isEmpty())
            text += Utf8("（默认 ") + option.defaultValues().constFirst() + Utf8("）");
        text += QLatin1Char('\n');
    }
    return text;
}

constexpr const char *kExitStatuses
    = "退出状态：\n"
      "  0  成功\n"
      "  1  计算中止（原因与窗口中的提示相同），或文件、标准输出无法写完；"
      "原因写在标准错误输出上\n"
      "  2  用法错误：未知选项、缺少的值、不可接受的值或文件名\n";

QString ProgramHelp()
{
    QString text = Utf8("用法：idchart [命令 [选项…]]\n"
                        "\n"
                        "焓湿图（i-d图）与一次回风空调系统的夏季设计计算。"
                        "不带参数时打开程序窗口；带命令时不开窗口，在终端上工作。\n"
                        "\n"
                        "命令：\n");
    for (const Command *command : Commands())
        text += QStringLiteral("  ") + Utf8(command->word).leftJustified(10)
            + Utf8(command->summary) + QLatin1Char('\n');
    text += Utf8("\n选项：\n") + OptionList({HelpOption(), VersionOption()});
    text += Utf8("\n“idchart 命令 --help”显示该命令的选项。\n\n") + Utf8(kExitStatuses);
    return text;
}

QString CommandHelp(const Command &command)
{
    QList<QCommandLineOption> options = command.options();
    options << HelpOption();
    return Utf8("用法：idchart ") + Utf8(command.word) + QLatin1Char(' ') + Utf8(command.synopsis)
        + QStringLiteral("\n\n") + Utf8(command.description) + Utf8("\n\n选项：\n")
        + OptionList(options) + QLatin1Char('\n') + Utf8(kExitStatuses);
}

CommandOutput Printed(const QString &text)
{
    return {exit_status::kSuccess, text.toStdString(), {}};
}

bool IsValueOption(const QList<QCommandLineOption> &options, const QString &name)
{
    for (const QCommandLineOption &option : options)
        if (option.names().contains(name))
            return !option.valueName().isEmpty();
    return false;
}

// The option name in an argument "--tn", "-tn" or "--tn=5".
QString NameIn(const QString &argument)
{
    QString name = argument;
    while (name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    return equals < 0 ? name : name.left(equals);
}

// Why the parser refused the arguments, in the program's language and naming the option.
QString ParseError(const QCommandLineParser &parser, const QStringList &arguments,
                   const QList<QCommandLineOption> &options)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        // Named as it was typed, without a value after "=".
        const QString name = parser.unknownOptionNames().constFirst();
        for (const QString &argument : arguments)
            if (argument.startsWith(QLatin1Char('-')) && NameIn(argument) == name)
                return Utf8("未知选项：") + argument.left(argument.indexOf(QLatin1Char('=')));
        return Utf8("未知选项：") + name;
    }
    // The parser's other refusals: a value option at the end without its
    // value, or a switch given a value with "=".
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString &argument = arguments[k];
        if (argument == QStringLiteral("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')))
            continue;
        const QString name = NameIn(argument);
        const bool valueOption = IsValueOption(options, name);
        if (valueOption && !argument.contains(QLatin1Char('=')) && k + 1 == arguments.size())
            return Utf8("选项 --") + name + Utf8(" 缺少值");
        if (!valueOption && argument.contains(QLatin1Char('=')))
            return Utf8("选项 --") + name + Utf8(" 不带值");
        if (valueOption && !argument.contains(QLatin1Char('=')))
            ++k; // its value
    }
    return parser.errorText();
}

CommandOutput RunWord(const Command &command, const QStringList &rest)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> options = command.options();
    options << HelpOption();
    parser.addOptions(options);

    const QStringList arguments = QStringList {Utf8(kProgram)} + rest;
    if (!parser.parse(arguments))
        return UsageError(ParseError(parser, arguments, options));
    if (parser.isSet(QStringLiteral("help")))
        return Printed(CommandHelp(command));
    return command.run(parser);
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

CommandOutput UsageError(const QString &message)
{
    return {exit_status::kUsage,
            {},
            (QStringLiteral("idchart: ") + message + Utf8("\n用“idchart --help”查看用法。\n"))
                .toStdString()};
}

CommandOutput HandedOn()
{
    return {exit_status::kSuccess, {}, {}, true};
}

CommandOutput WriteFailure(const QString &message)
{
    return {exit_status::kWriteFailed,
            {},
            (QStringLiteral("idchart: ") + message + '\n').toStdString()};
}

CommandOutput RunCommand(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return Printed(ProgramHelp());
    const QString &first = arguments.constFirst();
    if (first == QStringLiteral("-h") || first == QStringLiteral("--help"))
        return Printed(ProgramHelp());
    if (first == QStringLiteral("-v") || first == QStringLiteral("--version"))
        return Printed(QStringLiteral("idchart ") + Utf8(kIdchartVersion) + QLatin1Char('\n'));
    if (const Command *command = FindCommand(first))
        return RunWord(*command, arguments.mid(1));
    // idchart room1.idchart: the windows open with the project.
    if (arguments.size() == 1 && IsProjectFileName(first))
        return HandedOn();
    if (first.startsWith(QLatin1Char('-')))
        return UsageError(Utf8("未知选项：") + first);
    return UsageError(Utf8("未知命令：") + first);
}

bool IsProjectFileName(const QString &argument)
{
    return !argument.startsWith(QLatin1Char('-'))
        && argument.endsWith(QStringLiteral(".") + Utf8(kProjectSuffix), Qt::CaseInsensitive);
}

std::optional<int> RunCommandLine(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    for (const char *option : kWindowOptions)
        if (QByteArray(argv[1]) == option)
            return std::nullopt;

    QStringList arguments;
    for (int k = 1; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    const CommandOutput output = RunCommand(arguments);
    if (output.handOn)
        return std::nullopt;
    // The status is chosen once the output is known to have arrived: a result
    // cut short by a full disk must not count as success.
    const int outError = Write(stdout, output.out);
    Write(stderr, output.err);
    if (outError != 0) {
        Write(stderr, "idchart: 无法写出标准输出：" + WriteErrorText(outError) + "\n");
        return exit_status::kWriteFailed;
    }
    return output.status;
}

int ExecWindowProgram(char **argv)
{
    // Beside this program in the build tree, in the libexec folder once installed.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = self.parent_path();
    for (const std::filesystem::path &candidate :
         {folder / kWindowProgramName, folder / kWindowProgramFromBinDir}) {
        if (::access(candidate.c_str(), X_OK) == 0) {
            ::execv(candidate.c_str(), argv);
            const std::string message = "idchart: 无法启动窗口程序 " + candidate.string() + "："
                + std::strerror(errno) + "\n";
            Write(stderr, message);
            return kWindowProgramMissing;
        }
    }
    Write(stderr, "idchart: 找不到窗口程序 " + (folder / kWindowProgramFromBinDir).string() + "\n");
    return kWindowProgramMissing;
}
