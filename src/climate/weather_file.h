#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A year (or years) of hourly weather, read from an EPW file or a CSV
// table, each hour's state computed at that hour's own barometric pressure.
//
// EPW (EnergyPlus weather, the format of CSWD, 中国标准气象数据, and of most
// building-simulation weather): eight header records, the first of them
// LOCATION (city, state, country, source, station number, latitude,
// longitude, time zone, elevation), the last DATA PERIODS; then one record
// per hour: year, month, day, hour (1…24), minute, source flags, dry bulb
// (°C), dew point, relative humidity (%), station pressure (Pa), … The dry
// bulb, relative humidity and station pressure give the hour's state. The
// format's codes for a missing value (dry bulb 99.9, relative humidity 999,
// station pressure 999999) mark an hour that is passed over and counted.
//
// CSV: a header naming two of the properties t, ts, td, phi (φ), d, i, Pq as
// `idchart state --input` reads them, optionally a pressure column (B,
// pressure or 大气压力, Pa; without one every hour is at the pressure
// given), a month column (month or 月, 1…12) and an hour column (hour or
// 时, 0…24). A row whose values give no state is passed over and counted.
namespace weather {

// One hour: its state at its own pressure and where it lies on the chart.
struct Hour {
    float t = 0.0f; // dry bulb, °C
    float d = 0.0f; // moisture content at the hour's pressure, g/kg
    float i = 0.0f; // enthalpy, kJ/kg
    float B = 0.0f; // the hour's barometric pressure, Pa
    std::uint8_t month = 0; // 1…12; 0 unknown
    std::uint8_t hour = 0; // hour of the day, 0…23 (the hour ending at EPW's hour 1 is 0)
    bool timed = false; // month and hour are known
    int line = 0; // the line of the file it came from
};

// An hour of the file passed over, and why.
struct Skipped {
    int line = 0;
    std::string reason; // Chinese
};

struct Weather {
    std::string fileName; // without the folder
    std::string location; // from an EPW header: "城市, 国家 (纬度, 经度, 海拔 m)"
    bool epw = false;
    std::vector<Hour> hours;
    // Hours passed over: a missing value or a row without a state. Every
    // one is counted; the first kMostListed are kept with their line.
    int skippedCount = 0;
    std::vector<Skipped> skipped;
    // Whether every hour has a month and an hour of the day.
    bool timed = false;
};
inline constexpr std::size_t kMostListed = 20;

// The weather, or why the file cannot be read as a whole (a header that is
// not one, a missing column, a record cut short): a Chinese message naming
// the line.
struct Reading {
    std::optional<Weather> weather;
    std::string error;
};

// Reads the bytes of a file: EPW when its first record begins with
// LOCATION, otherwise a CSV table. `pressure` (Pa) is the pressure of a CSV
// table without a pressure column. `fileName` names the file in the result.
Reading ReadWeather(std::string_view bytes, std::string_view fileName, double pressure);

// The barometric pressures an hour may have, Pa: EPW's range for station
// pressure.
inline constexpr double kLowestPressure = 31000.0;
inline constexpr double kHighestPressure = 120000.0;

} // namespace weather
