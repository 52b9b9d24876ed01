#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Files read with a bound and written whole, for the command line: a project
// file read by --project and written by --save-project. The messages are the
// windows' (io/whole_file.h), which share the causes below.
namespace whole_file {

// A system's reason for a failed write, in English as the C library and Qt
// word it, and in Chinese.
struct Cause {
    int code; // errno
    const char *english;
    const char *chinese;
};
std::span<const Cause> Causes();

// The reason a system call failed with `error` (errno), in the words Qt's
// file classes use: the English text of a cause above (the C library's), or
// the C library's own text.
std::string SystemReason(int error);

// A text the reason may be translated into for a cause (Qt's translation of
// the English text); empty for none.
using Translation = std::string (*)(const char *english);

// The message for a file that could not be written: its full name and the
// reason. A reason that names a cause (its English text, the C library's
// text for its code or the translation, in any case) is named in Chinese,
// the reason following as a detail; a Chinese reason stands as it is.
std::string SaveFailureMessage(const std::string &absolutePath, const std::string &reason,
                               Translation translation = nullptr);

// The path made absolute against the working folder, "." and ".." resolved
// and doubled slashes taken off ("" stays ""), as the messages name files.
std::string AbsolutePath(const std::string &path);

// Writes bytes to `path` through a file beside it that replaces the old file
// only when every byte arrived: on any failure the old file (or none) stays
// and nothing else is left. A symbolic link is followed to the file it names,
// and an old file's permissions are kept. Returns an empty string on success,
// otherwise the SaveFailureMessage naming the file and the reason.
std::string Write(const std::string &path, std::string_view bytes);

// The whole content of a file of at most `largest` bytes, or the reason it
// cannot be had, in Chinese (the file is missing, unreadable, or larger).
struct Content {
    std::optional<std::string> bytes;
    std::string failure;
};
Content Read(const std::string &path, std::uintmax_t largest);

} // namespace whole_file
