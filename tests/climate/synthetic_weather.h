#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A year of weather the tests make themselves, in the EPW format: 8760
// hours whose dry bulb and relative humidity follow a known pattern (every
// dry bulb from -24.75 to 35.25 °C in steps of 1 K, each with ten relative
// humidities from 7 to 94.3 %), at a station pressure of 80 000 Pa (the
// LOCATION record gives the elevation of such a station, 1950 m), and a few
// hours with EPW's codes for a missing value.
namespace synthetic {

inline constexpr double kStationPressure = 80000.0;
inline constexpr int kYearHours = 8760;
inline constexpr int kHeaderLines = 8;

struct KnownHour {
    int month = 1; // 1…12
    int day = 1;
    int hourOfDay = 0; // 0…23 (EPW's hour is one more)
    double t = 0.0; // °C
    double phi = 0.0; // %
};

inline constexpr std::array<int, 12> kDaysInMonth
    = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The state of hour h of the year (0…8759).
inline KnownHour HourOf(int h)
{
    KnownHour hour;
    hour.t = -24.75 + (h % 61);
    hour.phi = 7.0 + 9.7 * ((h / 61) % 10);
    int day = h / 24;
    hour.hourOfDay = h % 24;
    hour.month = 1;
    while (day >= kDaysInMonth[static_cast<std::size_t>(hour.month - 1)]) {
        day -= kDaysInMonth[static_cast<std::size_t>(hour.month - 1)];
        ++hour.month;
    }
    hour.day = day + 1;
    return hour;
}

// What is missing in an hour: EPW's codes in its fields.
struct MissingValue {
    int hour; // of the year
    const char *dryBulb; // the field's text, or nullptr for the known value
    const char *humidity;
    const char *pressure;
};
inline constexpr std::array<MissingValue, 4> kMissing = {{
    {100, "99.9", nullptr, nullptr},
    {2000, nullptr, "999", nullptr},
    {5000, nullptr, nullptr, "999999"},
    {7000, "99.9", "999", nullptr},
}};

inline const MissingValue *MissingAt(int h)
{
    for (const MissingValue &m : kMissing)
        if (m.hour == h)
            return &m;
    return nullptr;
}

// The line of the file on which hour h stands.
inline int LineOf(int h)
{
    return kHeaderLines + 1 + h;
}

inline std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// An EPW header: LOCATION with the place, DATA PERIODS for one year.
inline std::string Header(const std::string &location)
{
    return "LOCATION," + location + "\n"
        + "DESIGN CONDITIONS,0\n"
          "TYPICAL/EXTREME PERIODS,0\n"
          "GROUND TEMPERATURES,0\n"
          "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\n"
          "COMMENTS 1,made by the test suite\n"
          "COMMENTS 2,\n"
          "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
}

// One hourly record of 35 fields with the dry bulb, relative humidity and
// station pressure given as texts.
inline std::string Record(const KnownHour &k, const std::string &t, const std::string &phi,
                          const std::string &pressure)
{
    return "1999," + std::to_string(k.month) + ',' + std::to_string(k.day) + ','
        + std::to_string(k.hourOfDay + 1) + ",60,?9?9?9?9E0?9?9?9?9?9?9?9?9?9?9?9?9?9*9?9?9?9," + t
        + ",99.9," + phi + ',' + pressure
        + ",9999,9999,9999,9999,9999,9999,9999,9999,9999,9999,999,999,99,99,9999,99999,9,"
          "999999999,999,0.999,999,99,999,999,99\n";
}

// The file's text: the header, then `hours` hourly records of 35 fields;
// with `complete`, no value is missing.
inline std::string Epw(int hours = kYearHours, bool complete = false)
{
    std::string epw = Header("Synthetic Plateau,Yunnan,CHN,CSWD,999999,25.00,102.65,8.0,1950.0");
    for (int h = 0; h < hours; ++h) {
        const KnownHour k = HourOf(h);
        const MissingValue *missing = complete ? nullptr : MissingAt(h);
        const auto field = [&](const char *code, double value) {
            return code ? std::string(code) : Number(value);
        };
        epw += Record(k, field(missing ? missing->dryBulb : nullptr, k.t),
                      field(missing ? missing->humidity : nullptr, k.phi),
                      field(missing ? missing->pressure : nullptr, kStationPressure));
    }
    return epw;
}

// A year that looks like weather, for pictures and timings: a city with hot
// humid summers and cool winters near sea level. The daily mean follows the
// season, each day swings with the sun, and weather systems (a slowly
// wandering random departure, the same every run) make it warmer or cooler,
// wetter or drier; the station pressure is a little lower in summer.
inline std::string TypicalYear()
{
    std::uint64_t seed = 20261208;
    const auto uniform = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    const auto normal = [&] {
        double sum = 0.0;
        for (int k = 0; k < 12; ++k)
            sum += uniform();
        return sum - 6.0;
    };
    // Saturation pressure over water (Magnus), Pa, for the dew point's humidity.
    const auto saturation = [](double t) { return 610.94 * std::exp(17.625 * t / (t + 243.04)); };
    const double pi = 3.14159265358979;
    std::string epw = Header("Synthetic River City,Hubei,CHN,CSWD,999999,30.60,114.05,8.0,23.0");
    double warm = 0.0, wet = 0.0;
    for (int h = 0; h < kYearHours; ++h) {
        const KnownHour k = HourOf(h);
        const double day = h / 24.0;
        const double season = -std::cos(2.0 * pi * (day - 18.0) / 365.0); // -1 in January
        warm = 0.985 * warm + 0.35 * normal();
        wet = 0.99 * wet + 0.25 * normal();
        const double sun = std::sin(2.0 * pi * (k.hourOfDay - 9.0) / 24.0);
        const double t = 17.0 + 12.5 * season + (3.5 + 0.8 * season) * sun + warm;
        // The dew point keeps to the day, a few kelvin below its mean in
        // summer, further in winter.
        const double mean = 17.0 + 12.5 * season + warm;
        const double td = std::min(t, mean - (6.0 - 1.5 * season) + 1.5 * wet);
        const double phi = std::clamp(100.0 * saturation(td) / saturation(t), 8.0, 100.0);
        const double pressure = 101700.0 - 900.0 * season + 250.0 * normal();
        char tText[16], phiText[16], pText[16];
        std::snprintf(tText, sizeof tText, "%.1f", t);
        std::snprintf(phiText, sizeof phiText, "%.0f", phi);
        std::snprintf(pText, sizeof pText, "%.0f", pressure);
        epw += Record(k, tText, phiText, pText);
    }
    return epw;
}

} // namespace synthetic
