#include "cli/character_encoding.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <string>

namespace {

// Started with no locale (or an explicit 7-bit one), the program still hands
// Chinese captions to the window system as UTF-8; a UTF-8 locale is left as
// the user chose it, and the number format is never touched.
TEST(CharacterEncoding, BecomesUtf8WhateverTheStartingLocale)
{
    const std::string savedType = std::setlocale(LC_CTYPE, nullptr);
    const std::string savedNumeric = std::setlocale(LC_NUMERIC, nullptr);
    const struct {
        const char *start;
        const char *kept; // the locale name expected afterwards, or null: any UTF-8 one
    } cases[] = {{"C", nullptr}, {"POSIX", nullptr}, {"C.UTF-8", "C.UTF-8"}};
    for (const auto &c : cases) {
        ASSERT_NE(std::setlocale(LC_CTYPE, c.start), nullptr) << c.start;
        UseUtf8CharacterEncoding();
        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8") << c.start;
        if (c.kept != nullptr) {
            EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), c.kept);
        }
        EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), savedNumeric) << c.start;
    }
    std::setlocale(LC_CTYPE, savedType.c_str());
}

} // namespace
