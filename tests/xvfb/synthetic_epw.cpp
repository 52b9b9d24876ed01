// Writes a year of weather the test suite makes itself, in the EPW format, on
// standard output: the synthetic year of known states of the climate tests
// (with its missing values, or `complete` without them), or with `typical` a
// year that looks like weather, for pictures.
// Usage: synthetic_epw [complete|typical]

#include "climate/synthetic_weather.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char **argv)
{
    const char *kind = argc > 1 ? argv[1] : "";
    const std::string text = std::strcmp(kind, "typical") == 0
        ? synthetic::TypicalYear()
        : synthetic::Epw(synthetic::kYearHours, std::strcmp(kind, "complete") == 0);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
