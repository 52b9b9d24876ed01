#include "cli/no_display.h"

#include "cli/command.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// How to work without a display: the command words with their summaries.
std::string WithoutWindow()
{
    std::string text = "不用窗口时，可在终端上使用以下命令：\n";
    for (const Command *command : {&ComputeCommand(), &ChartCommand(), &StateCommand()}) {
        std::string word = command->word;
        word.resize(10, ' ');
        text += "  idchart " + word + command->summary + "\n";
    }
    return text + "“idchart 命令 --help”显示命令的选项。\n";
}

bool IsSet(const char *variable)
{
    return !qgetenv(variable).isEmpty();
}

// A held message of Qt: its category and text.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

void StopWithoutDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        held.append({type, QByteArray(context.category), text});
        return;
    }
    // Qt's reason: the first message it gave about its platform, else the fatal text.
    QString detail = text.section(QLatin1Char('\n'), 0, 0);
    for (const HeldMessage &message : std::as_const(held))
        if (message.category.startsWith("qt.qpa")) {
            detail = message.text;
            break;
        }
    // Appended piece by piece: GCC 12 at -O3 takes " " + std::string for an
    // overlapping copy (-Wrestrict).
    const QByteArray display = qgetenv("DISPLAY");
    std::string message = "idchart: 无法连接图形显示";
    if (!display.isEmpty())
        message.append(" ").append(display.toStdString());
    message.append("，窗口无法打开。\n详情（Qt）：")
        .append(detail.toStdString())
        .append("\n")
        .append(WithoutWindow());
    std::fputs(message.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(kNoDisplayStatus);
}

} // namespace

std::optional<std::string> MissingDisplayMessage(int argc, char **argv)
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    bool displayArgument = false;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "-platform") == 0 && k + 1 < argc)
            platform = argv[k + 1];
        if (std::strcmp(argv[k], "-display") == 0)
            displayArgument = true;
    }
    // "xcb:option=…" names the platform before its options.
    platform = platform.left(platform.indexOf(':') < 0 ? platform.size() : platform.indexOf(':'));
    const bool hasDisplay = IsSet("DISPLAY") || displayArgument;
    const char *reason = nullptr;
    if (platform.isEmpty() && !hasDisplay && !IsSet("WAYLAND_DISPLAY"))
        reason = "DISPLAY 与 WAYLAND_DISPLAY 均未设置";
    else if (platform == "xcb" && !hasDisplay)
        reason = "要求 X11（xcb），但 DISPLAY 未设置";
    if (reason == nullptr)
        return std::nullopt;
    return std::string("idchart: 找不到图形显示（") + reason + "），窗口无法打开。\n"
        + WithoutWindow();
}

DisplayFailureGuard::DisplayFailureGuard()
{
    held.clear();
    previousHandler = qInstallMessageHandler(StopWithoutDisplay);
}

DisplayFailureGuard::~DisplayFailureGuard()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        previousHandler(message.type, context, message.text);
    }
    held.clear();
}
