#include "portable/std_shims.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

// The stand-in for the floating-point to_chars writes what the library writes,
// for the single (7 digits) and double (15 digits) texts of the program:
// values of the chart and the designs, tiny and huge ones, ties of rounding.
TEST(StdShims, PrintfWritesWhatToCharsWrites)
{
    std::vector<double> values = {1.0,
                                  0.1,
                                  0.05,
                                  1.005,
                                  2.5,
                                  1e-5,
                                  12.63878,
                                  58.3316,
                                  1200000.03031455,
                                  8.56348914106744E+30,
                                  1.401298E-30,
                                  DBL_MIN,
                                  DBL_TRUE_MIN,
                                  1e300,
                                  -3.402823E+38,
                                  0.5,
                                  1.5,
                                  2.5e-7,
                                  123456789012345678.0,
                                  9.9999995,
                                  9.99999949999,
                                  0.00012345675};
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (int k = 0; k < 20000; ++k)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (const double value : values) {
        for (const int digits : {7, 15}) {
            const std::string printed = portable::PrintfGeneral(value, digits);
            EXPECT_EQ(printed, portable::GeneralDigits(value, digits)) << value << " " << digits;
            // Single values as the program writes them: rounded to float first.
            const double single = static_cast<double>(static_cast<float>(value));
            if (std::isfinite(single)) {
                EXPECT_EQ(portable::PrintfGeneral(single, digits),
                          portable::GeneralDigits(single, digits));
            }
        }
    }
}

// The stand-in for from_chars reads what from_chars reads, and refuses what
// it refuses: values beyond the range of a double either way.
TEST(StdShims, StrtodReadsWhatFromCharsReads)
{
    for (const char *text : {"0", "26.5", "-12", "1e-5", "1.005", "101325", "3.4028235e38", "1e308",
                             "1e309", "1e-300", "1e-320", "4.9e-324", "2e-324", "1e-400",
                             "0.000000000000000000000000000001", "123456789012345678901234567890",
                             "-0", "1.7976931348623157e308", "1.7976931348623159e308"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(portable::StrtodNumber(text), portable::DecimalNumber(text));
    }
}

TEST(StdShims, BitCastGivesTheBitsOfTheValue)
{
    EXPECT_EQ(portable::BitCast<float>(std::uint32_t {0x0DE35FA4u}), 1.401298E-30f);
    EXPECT_EQ(portable::BitCast<std::uint32_t>(1.0f), 0x3F800000u);
    EXPECT_EQ(portable::BitCast<std::uint64_t>(-2.0), 0xC000000000000000u);
}
