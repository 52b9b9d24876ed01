#include "cli/command_line.h"

#include "window_program_path.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Exit status when the window program is missing, as a shell says of a
// command it cannot find: an installation fault, not the user's.
constexpr int kWindowProgramMissing = 127;

// Qt's own window options: with one of them first, the windows start and Qt reads them.
constexpr std::array kWindowOptions
    = {"-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
       "-display",         "-geometry",           "-style",         "-stylesheet",
       "-qwindowgeometry", "-qwindowtitle",       "-qwindowicon",   "-reverse",
       "-session"};

void Say(const std::string &message)
{
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
}

} // namespace

bool IsProjectFileName(const QString &argument)
{
    return IsProjectFileName(std::string_view(argument.toStdString()));
}

std::optional<int> RunCommandLine(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    for (const char *option : kWindowOptions)
        if (std::strcmp(argv[1], option) == 0)
            return std::nullopt;

    // The arguments in the system's encoding, as UTF-8: bytes that are not
    // UTF-8 become U+FFFD, as Qt reads them for the windows.
    std::vector<std::string> arguments;
    for (int k = 1; k < argc; ++k)
        arguments.push_back(QString::fromLocal8Bit(argv[k]).toStdString());
    const CommandOutput output = RunCommand(arguments);
    if (output.handOn)
        return std::nullopt;
    return WriteCommandOutput(output);
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
            const int failure = errno;
            Say("idchart: 无法启动窗口程序 " + candidate.string() + "：" + std::strerror(failure)
                + "\n");
            return kWindowProgramMissing;
        }
    }
    Say("idchart: 找不到窗口程序 " + (folder / kWindowProgramFromBinDir).string() + "\n");
    return kWindowProgramMissing;
}
