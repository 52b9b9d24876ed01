#include "commands/whole_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace whole_file {

namespace {

    namespace fs = std::filesystem;

    constexpr std::array<Cause, 9> kCauses = {{
        {ENOSPC, "No space left on device", "磁盘空间不足"},
        {EDQUOT, "Disk quota exceeded", "超出磁盘配额"},
        {EROFS, "Read-only file system", "文件系统只读，不能写入"},
        {ENOENT, "No such file or directory", "文件夹不存在"},
        {EACCES, "Permission denied", "没有写入权限"},
        {EPERM, "Operation not permitted", "没有写入权限"},
        {EISDIR, "Is a directory", "这是一个文件夹"},
        {ENAMETOOLONG, "File name too long", "文件名太长"},
        {EIO, "Input/output error", "读写设备出错"},
    }};

    // The code points of UTF-8 text; a byte that starts no character counts
    // as U+FFFD.
    std::vector<char32_t> CodePoints(std::string_view text)
    {
        std::vector<char32_t> points;
        points.reserve(text.size());
        for (std::size_t k = 0; k < text.size();) {
            const auto byte = static_cast<unsigned char>(text[k]);
            const std::size_t length = byte < 0x80 ? 1
                : (byte & 0xE0) == 0xC0            ? 2
                : (byte & 0xF0) == 0xE0            ? 3
                : (byte & 0xF8) == 0xF0            ? 4
                                                   : 0;
            bool whole = length > 0 && k + length <= text.size();
            char32_t point = length == 1 ? byte : byte & (0x7F >> length);
            for (std::size_t n = 1; whole && n < length; ++n) {
                const auto next = static_cast<unsigned char>(text[k + n]);
                whole = (next & 0xC0) == 0x80;
                point = point << 6 | (next & 0x3F);
            }
            points.push_back(whole ? point : U'\uFFFD');
            k += whole ? length : 1;
        }
        return points;
    }

    // Simple case folding where it reaches ASCII letters: A–Z, the long s
    // and the Kelvin sign; the causes' English texts are ASCII.
    char32_t Folded(char32_t c)
    {
        if (c >= U'A' && c <= U'Z')
            return c - U'A' + U'a';
        if (c == U'\u017F')
            return U's';
        if (c == U'\u212A')
            return U'k';
        return c;
    }

    bool ContainsIgnoringCase(std::string_view text, std::string_view part)
    {
        const std::vector<char32_t> haystack = CodePoints(text);
        const std::vector<char32_t> needle = CodePoints(part);
        if (needle.size() > haystack.size())
            return false;
        for (std::size_t at = 0; at + needle.size() <= haystack.size(); ++at) {
            std::size_t n = 0;
            while (n < needle.size() && Folded(haystack[at + n]) == Folded(needle[n]))
                ++n;
            if (n == needle.size())
                return true;
        }
        return false;
    }

    bool IsChinese(std::string_view text)
    {
        for (const char32_t c : CodePoints(text))
            if (c >= 0x4E00 && c <= 0x9FFF)
                return true;
        return false;
    }

    // The Chinese name of the cause a system's text names, or nothing.
    const char *ChineseCause(const std::string &reason, Translation translation)
    {
        for (const Cause &cause : kCauses) {
            const std::string texts[] = {cause.english, std::strerror(cause.code),
                                         translation ? translation(cause.english) : ""};
            for (const std::string &text : texts)
                if (!text.empty() && ContainsIgnoringCase(reason, text))
                    return cause.chinese;
        }
        return nullptr;
    }

    // The last path component taken off: the folder of an absolute path.
    std::string FolderOf(const std::string &absolutePath)
    {
        const std::size_t slash = absolutePath.rfind('/');
        return slash == 0 || slash == std::string::npos ? "/" : absolutePath.substr(0, slash);
    }

    // The file a symbolic link names, as an absolute path; the link itself
    // when it cannot be read.
    std::string LinkTarget(const std::string &link)
    {
        std::error_code error;
        const fs::path target = fs::read_symlink(link, error);
        if (error)
            return link;
        const std::string text = target.string();
        if (!text.empty() && text.front() == '/')
            return AbsolutePath(text);
        return AbsolutePath(FolderOf(AbsolutePath(link)) + "/" + text);
    }

    // The permissions of an old file for the file that replaces it, its
    // owner's taken as this user can use the file.
    fs::perms KeptPermissions(const std::string &path, fs::perms old)
    {
        fs::perms kept = old & fs::perms::all;
        if (::access(path.c_str(), R_OK) == 0)
            kept |= fs::perms::owner_read;
        if (::access(path.c_str(), W_OK) == 0)
            kept |= fs::perms::owner_write;
        if (::access(path.c_str(), X_OK) == 0)
            kept |= fs::perms::owner_exec;
        return kept;
    }

    // A new file beside `target` that no other file has: opened for writing,
    // its name in `name`; nothing, with errno set, when none can be made.
    std::FILE *OpenFileBeside(const std::string &target, std::string &name)
    {
        static constexpr char kLetters[]
            = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        auto seed = static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        seed ^= reinterpret_cast<std::uintptr_t>(&name);
        constexpr int kTries = 100;
        for (int attempt = 0; attempt < kTries; ++attempt) {
            name = target + '.';
            for (int k = 0; k < 6; ++k) {
                seed = seed * 6364136223846793005u + 1442695040888963407u;
                name += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
            }
            errno = 0;
            if (std::FILE *file = std::fopen(name.c_str(), "wbx"))
                return file;
            if (errno != EEXIST)
                return nullptr;
        }
        return nullptr;
    }

} // namespace

std::span<const Cause> Causes()
{
    return kCauses;
}

std::string SystemReason(int error)
{
    if (error == 0)
        return {};
    for (const Cause &cause : kCauses)
        if (cause.code == error)
            return cause.english;
    if (error == EMFILE)
        return "Too many open files";
    std::string text = std::strerror(error);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n'))
        text.pop_back();
    return text;
}

std::string SaveFailureMessage(const std::string &absolutePath, const std::string &reason,
                               Translation translation)
{
    std::string why;
    if (const char *cause = ChineseCause(reason, translation))
        why = std::string(cause) + "（系统信息：" + reason + "）";
    else if (IsChinese(reason))
        why = reason;
    else if (reason.empty())
        why = "未知错误";
    else if (reason.find("Unknown error") != std::string::npos)
        why = "未知错误（系统信息：" + reason + "）";
    else
        why = "写入失败（系统信息：" + reason + "）";
    return "无法保存文件“" + absolutePath + "”：" + why;
}

std::string AbsolutePath(const std::string &path)
{
    if (path.empty())
        return path;
    std::string full = path;
    if (path.front() != '/') {
        std::error_code error;
        const std::string folder = fs::current_path(error).string();
        if (error || folder.empty())
            return path;
        full = folder + "/" + path;
    }
    // "." and empty components dropped, ".." taking off the one before it;
    // a ".." above the root stays.
    std::vector<std::string_view> kept;
    std::string_view rest(full);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == ".." && !kept.empty() && kept.back() != "..")
            kept.pop_back();
        else
            kept.push_back(part);
    }
    std::string cleaned;
    for (const std::string_view part : kept)
        cleaned += "/" + std::string(part);
    if (cleaned.empty())
        cleaned = "/";
    // A trailing slash, which says a folder is meant, stays, the root's too
    // ("/a/../" is "//"); the root alone is itself.
    if (full.back() == '/' && full != "/")
        cleaned += '/';
    return cleaned;
}

std::string Write(const std::string &path, std::string_view bytes)
{
    const auto failed = [&path](const std::string &reason) {
        return SaveFailureMessage(AbsolutePath(path), reason);
    };
    std::error_code error;
    const fs::file_status old = fs::status(path, error); // through links
    const bool exists = fs::exists(old);
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return failed("Existing file " + path + " is not writable");
    if (fs::is_directory(old))
        return failed("Filename refers to a directory");

    // A link is replaced by nothing: the file it names is written.
    std::string target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        std::string named = path;
        int depth = 128;
        while (--depth > 0 && fs::is_symlink(fs::symlink_status(named, error)))
            named = LinkTarget(named);
        if (depth > 0)
            target = named;
    }

    std::string temporary;
    std::FILE *file = OpenFileBeside(target, temporary);
    if (!file)
        return failed(SystemReason(errno));
    if (exists)
        fs::permissions(temporary, KeptPermissions(target, old.permissions()), error);
    errno = 0;
    const bool written
        = (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size())
        && std::fflush(file) == 0;
    const int writeError = errno;
    if (written)
        (void)::fsync(fileno(file)); // as far as the system can; a failure shows below or never
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int cause = !written ? writeError : errno;
        fs::remove(temporary, error);
        return failed(SystemReason(cause != 0 ? cause : EIO));
    }
    fs::rename(temporary, target, error);
    if (error) {
        const int cause = error.value();
        fs::remove(temporary, error);
        return failed(SystemReason(cause));
    }
    return {};
}

Content Read(const std::string &path, std::uintmax_t largest)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error); // through links
    if (!fs::exists(status))
        return {std::nullopt, "文件不存在"};
    if (fs::is_directory(status))
        return {std::nullopt, "这是一个文件夹"};
    // Devices and pipes tell no size; what they give is counted below.
    const std::uintmax_t size = fs::is_regular_file(status) ? fs::file_size(path, error) : 0;
    if (!error && size > largest)
        return {std::nullopt,
                "文件太大（" + std::to_string(size) + " 字节），不是本程序能打开的文件"};
    errno = 0;
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {std::nullopt, "无法读取（系统信息：" + SystemReason(errno) + "）"};
    std::string bytes;
    char buffer[65536];
    bool failed = false;
    // At most one byte more than the bound: enough to know the file is larger.
    while (bytes.size() <= largest) {
        const std::size_t wanted = static_cast<std::size_t>(
            std::min<std::uintmax_t>(sizeof buffer, largest + 1 - bytes.size()));
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, wanted, file);
        bytes.append(buffer, got);
        if (got < wanted) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    const int readError = errno;
    std::fclose(file);
    if (failed)
        return {std::nullopt, "无法读取（系统信息：" + SystemReason(readError) + "）"};
    if (bytes.size() > largest)
        return {std::nullopt, "文件太大，不是本程序能打开的文件"};
    return {std::move(bytes), {}};
}

} // namespace whole_file
