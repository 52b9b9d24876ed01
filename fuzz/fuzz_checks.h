#pragma once

#include <string>

// True when a display text spells a not-a-number or an infinity in any case
// ("nan", "inf", "Infinity"): no result the program shows may do so.
inline bool MentionsNanOrInfinity(const std::string &text)
{
    std::string lower = text;
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}
