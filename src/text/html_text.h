#pragma once

#include <string>

// A text as HTML writes it: &, <, > and " escaped, everything else as it is.
std::string HtmlEscaped(const std::string &text);
