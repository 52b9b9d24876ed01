#include "cli/character_encoding.h"

#include <clocale>
#include <langinfo.h>
#include <string>
#include <strings.h>

namespace {

bool EncodingIsUtf8()
{
    const char *codeset = nl_langinfo(CODESET);
    return codeset != nullptr
        && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
}

// "zh_CN.GB2312@variant" -> "zh_CN"; "C" and "POSIX" have no language.
std::string Language(const char *locale)
{
    std::string name = locale != nullptr ? locale : "";
    name = name.substr(0, name.find_first_of(".@"));
    return name == "C" || name == "POSIX" ? std::string() : name;
}

} // namespace

void UseUtf8CharacterEncoding()
{
    if (EncodingIsUtf8())
        return;
    const std::string language = Language(std::setlocale(LC_CTYPE, nullptr));
    for (const std::string &candidate : {language.empty() ? std::string() : language + ".UTF-8",
                                         std::string("C.UTF-8"), std::string("C.utf8")}) {
        if (!candidate.empty() && std::setlocale(LC_CTYPE, candidate.c_str()) != nullptr
            && EncodingIsUtf8())
            return;
    }
}
