#include "climate/synthetic_weather.h"
#include "climate/weather_file.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

// The moisture content of (t, φ %) at pressure B, g/kg: 622 Pq / (B − Pq).
double MoistureAt(double t, double phi, double B)
{
    const double Pq = phi / 100.0 * moist_air::SaturationPressure(static_cast<float>(t));
    return 622.0 * Pq / (B - Pq);
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

// Every hour of the synthetic year is read with its own station pressure,
// 80 000 Pa: its moisture content is the one at that pressure, not at the
// standard atmosphere's. The hours with EPW's missing-value codes are passed
// over, counted and named by their lines.
TEST(WeatherFile, EpwHoursAreAtTheirOwnPressureAndMissingValuesAreCounted)
{
    const weather::Reading reading = weather::ReadWeather(synthetic::Epw(), "/data/plateau.epw", 0);
    ASSERT_TRUE(reading.weather) << reading.error;
    const weather::Weather &w = *reading.weather;
    EXPECT_TRUE(w.epw);
    EXPECT_TRUE(w.timed);
    EXPECT_EQ(w.fileName, "plateau.epw");
    EXPECT_TRUE(Contains(w.location, "Synthetic Plateau")) << w.location;
    EXPECT_TRUE(Contains(w.location, "海拔 1950 m")) << w.location;

    const int missing = static_cast<int>(synthetic::kMissing.size());
    EXPECT_EQ(w.skippedCount, missing);
    ASSERT_EQ(w.skipped.size(), synthetic::kMissing.size());
    for (std::size_t k = 0; k < synthetic::kMissing.size(); ++k)
        EXPECT_EQ(w.skipped[k].line, synthetic::LineOf(synthetic::kMissing[k].hour));
    EXPECT_TRUE(Contains(w.skipped[0].reason, "干球温度缺测")) << w.skipped[0].reason;
    EXPECT_TRUE(Contains(w.skipped[2].reason, "大气压力缺测")) << w.skipped[2].reason;
    EXPECT_TRUE(Contains(w.skipped[3].reason, "干球温度、相对湿度缺测")) << w.skipped[3].reason;

    ASSERT_EQ(static_cast<int>(w.hours.size()), synthetic::kYearHours - missing);
    std::size_t next = 0;
    for (int h = 0; h < synthetic::kYearHours; ++h) {
        if (synthetic::MissingAt(h))
            continue;
        const synthetic::KnownHour known = synthetic::HourOf(h);
        const weather::Hour &hour = w.hours[next++];
        ASSERT_EQ(hour.line, synthetic::LineOf(h));
        EXPECT_EQ(hour.B, 80000.0f);
        EXPECT_EQ(hour.month, known.month);
        EXPECT_EQ(hour.hour, known.hourOfDay);
        EXPECT_NEAR(hour.t, known.t, 1e-6);
        EXPECT_NEAR(hour.d, MoistureAt(known.t, known.phi, 80000.0), 1e-3) << "line " << hour.line;
        if (known.t > 10.0 && known.phi > 50.0) { // far from the value at 101325 Pa
            EXPECT_GT(hour.d - MoistureAt(known.t, known.phi, 101325.0), 0.5);
        }
    }
}

// A file that cannot be read as a whole is refused with the line and the
// reason; a table row without a state is passed over and named.
TEST(WeatherFile, BadFilesAreRefusedNamingTheLine)
{
    const std::string year = synthetic::Epw();
    // Cut in the middle of the record of hour 5000.
    const std::size_t record = [&] {
        std::size_t at = 0;
        for (int line = 1; line < synthetic::LineOf(5000); ++line)
            at = year.find('\n', at) + 1;
        return at;
    }();
    const struct {
        std::string text;
        const char *name;
        std::string expected; // in the message
    } cases[] = {
        {year.substr(0, record + 40), "cut.epw",
         "第 " + std::to_string(synthetic::LineOf(5000)) + " 行只有"},
        {year.substr(0, record), "short.epw", "只有 5000 小时的记录"},
        {year.substr(0, year.find("DATA PERIODS")), "header.epw", "8 行表头"},
        {"month,hour,t\n1,0,20\n", "one.csv", "第 1 行（表头）中应恰好有两列"},
        {"t,d,phi\n20,5,50\n", "three.csv", "现有 3 列"},
        {"td,d\n10,7\n", "same.csv", "第 1 行（表头）中的"},
        {"", "empty.csv", "表格是空的"},
    };
    for (const auto &c : cases) {
        const weather::Reading reading = weather::ReadWeather(c.text, c.name, 101325.0);
        EXPECT_FALSE(reading.weather) << c.name;
        EXPECT_TRUE(Contains(reading.error, c.expected)) << c.name << ": " << reading.error;
    }
}

// A CSV table: two properties, an optional pressure column and month and
// hour columns; every pair the state calculator takes, each row at its own
// pressure; rows without a state counted and named.
TEST(WeatherFile, CsvTablesAreReadAsTheStateCalculatorReadsThem)
{
    const std::string csv = "month,hour,B,t,td,note\n"
                            "7,14,80000,30,20,a\n"
                            "7,15,101325,30,20,b\n"
                            "\n"
                            "7,16,101325,30,,c\n"
                            "7,17,101325,15,20,dew point above the dry bulb\n"
                            "7,18,2000,30,20,e\n"
                            "13,1,101325,30,20,f\n";
    const weather::Reading reading = weather::ReadWeather(csv, "site.csv", 95000.0);
    ASSERT_TRUE(reading.weather) << reading.error;
    const weather::Weather &w = *reading.weather;
    EXPECT_FALSE(w.epw);
    EXPECT_TRUE(w.timed);
    ASSERT_EQ(w.hours.size(), 2u);
    for (const weather::Hour &hour : w.hours) {
        const StateSolution solved = SolveState(hour.B, {state_solver::Property::t, 30.0},
                                                {state_solver::Property::td, 20.0});
        ASSERT_TRUE(solved.state);
        EXPECT_EQ(hour.d, solved.state->d);
        EXPECT_EQ(hour.i, solved.state->i);
    }
    EXPECT_EQ(w.hours[0].B, 80000.0f);
    EXPECT_EQ(w.hours[0].month, 7);
    EXPECT_EQ(w.hours[0].hour, 14);
    EXPECT_EQ(w.skippedCount, 4);
    ASSERT_EQ(w.skipped.size(), 4u);
    const int lines[] = {5, 6, 7, 8};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(w.skipped[k].line, lines[k]) << w.skipped[k].reason;
    EXPECT_TRUE(Contains(w.skipped[0].reason, "缺少 td 的值")) << w.skipped[0].reason;
    EXPECT_TRUE(Contains(w.skipped[2].reason, "大气压力 2000 Pa")) << w.skipped[2].reason;

    // Without a pressure column every row is at the pressure given, and
    // without month and hour the rows are not timed.
    const weather::Reading plain = weather::ReadWeather("phi,t\n50,25\n", "plain.csv", 95000.0);
    ASSERT_TRUE(plain.weather);
    ASSERT_EQ(plain.weather->hours.size(), 1u);
    EXPECT_EQ(plain.weather->hours[0].B, 95000.0f);
    EXPECT_FALSE(plain.weather->timed);
    EXPECT_NEAR(plain.weather->hours[0].d, MoistureAt(25.0, 50.0, 95000.0), 1e-3);
}
