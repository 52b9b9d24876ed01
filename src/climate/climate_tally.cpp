#include "climate/climate_tally.h"

#include "chart/chart_drawing.h"
#include "psychro/state_solver.h"
#include "text/blanks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace climate {

namespace {

    // A whole number of one or two ASCII digits at the start of the text, taken off it.
    std::optional<int> TakeNumber(std::string_view &text)
    {
        std::size_t n = 0;
        int value = 0;
        while (n < text.size() && n < 3 && text[n] >= '0' && text[n] <= '9')
            value = value * 10 + (text[n++] - '0');
        if (n == 0 || n > 2)
            return std::nullopt;
        text.remove_prefix(n);
        return value;
    }

    // A range mark at the start of the text, taken off it: "-", "–" or "~".
    bool TakeDash(std::string_view &text)
    {
        for (const std::string_view dash : {"-", "\xE2\x80\x93", "~"})
            if (text.substr(0, dash.size()) == dash) {
                text.remove_prefix(dash.size());
                return true;
            }
        return false;
    }

    template <std::size_t N>
    std::optional<std::array<bool, N>> ReadRangesFrom(std::string_view text, int first)
    {
        std::array<bool, N> chosen {};
        const int last = first + static_cast<int>(N) - 1;
        text = Trimmed(text);
        if (text.empty())
            return std::nullopt;
        // Each part between commas is one number or a range of two.
        for (std::size_t guard = 0; guard <= N * 4; ++guard) {
            const std::size_t comma = text.find(',');
            std::string_view part = Trimmed(text.substr(0, comma));
            const std::optional<int> from = TakeNumber(part);
            part = Trimmed(part);
            std::optional<int> to = from;
            if (TakeDash(part)) {
                part = Trimmed(part);
                to = TakeNumber(part);
            }
            if (!from || !to || !part.empty() || *from < first || *from > last || *to < first
                || *to > last)
                return std::nullopt;
            // From `from` onward, round past the last value to `to`.
            for (int k = *from, steps = 0; steps < static_cast<int>(N); ++steps) {
                chosen[static_cast<std::size_t>(k - first)] = true;
                if (k == *to)
                    break;
                k = k == last ? first : k + 1;
            }
            if (comma == std::string_view::npos)
                return chosen;
            text.remove_prefix(comma + 1);
        }
        return std::nullopt;
    }

} // namespace

bool HourFilter::All() const
{
    return std::all_of(months.begin(), months.end(), [](bool m) { return m; })
        && std::all_of(hours.begin(), hours.end(), [](bool h) { return h; });
}

std::optional<std::array<bool, 12>> ReadMonths(std::string_view text)
{
    return ReadRangesFrom<12>(text, 1);
}

std::optional<std::array<bool, 24>> ReadHours(std::string_view text)
{
    return ReadRangesFrom<24>(text, 0);
}

std::string RangesText(const bool *chosen, std::size_t count, int first)
{
    if (std::all_of(chosen, chosen + count, [](bool c) { return c; }))
        return {};
    std::string text;
    for (std::size_t k = 0; k < count;) {
        if (!chosen[k]) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end + 1 < count && chosen[end + 1])
            ++end;
        text += (text.empty() ? "" : ",") + std::to_string(first + static_cast<int>(k));
        if (end > k)
            text += "-" + std::to_string(first + static_cast<int>(end));
        k = end + 1;
    }
    return text;
}

bool Takes(const HourFilter &filter, const weather::Hour &hour)
{
    if (!hour.timed)
        return filter.All();
    return hour.month >= 1 && hour.month <= 12 && hour.hour < 24
        && filter.months[static_cast<std::size_t>(hour.month - 1)]
        && filter.hours[static_cast<std::size_t>(hour.hour)];
}

int CellIndex(float value, float step)
{
    return static_cast<int>(std::floor(value / step));
}

bool InShownField(const PlaneTransform *layout, double d, double i)
{
    return layout ? layout->InField(d, i)
                  : InChartField(static_cast<float>(d), static_cast<float>(i));
}

Tally TallyHours(const weather::Weather &weather, double B, const ClimateSettings &settings,
                 const std::optional<DesignTemperatures> &design, const PlaneTransform *layout)
{
    using namespace comfort_zones;
    Tally tally;
    tally.B = B;
    tally.design = design;
    // The zones shown and how each one is tested.
    std::vector<const TableZone *> tables;
    std::optional<PmvTest> pmv;
    for (const Zone zone : kZones) {
        if (!Has(settings.zones, zone))
            continue;
        tally.zones.push_back({zone, 0});
        if (zone == Zone::Pmv)
            pmv.emplace(settings.pmv, B);
        tables.push_back(TableRow(zone));
    }
    const float cellT = settings.cellT > 0.0f ? settings.cellT : 1.0f;
    const float cellD = settings.cellD > 0.0f ? settings.cellD : 1.0f;

    // The cells, as keys sorted and counted once every hour is in.
    std::vector<std::uint64_t> keys;
    keys.reserve(weather.hours.size());
    constexpr std::int64_t kOffset = std::int64_t {1} << 31;
    for (const weather::Hour &hour : weather.hours) {
        if (!Takes(settings.filter, hour)) {
            ++tally.filteredOut;
            continue;
        }
        ++tally.counted;
        if (design) {
            if (hour.t > design->dryBulb)
                ++tally.aboveDryBulb;
            // The wet bulb never exceeds the dry bulb: only a warmer hour is sought.
            if (hour.t > design->wetBulb) {
                const std::optional<float> ts = WetBulbTemperature(hour.B, hour.d, hour.i);
                if (ts && *ts > design->wetBulb)
                    ++tally.aboveWetBulb;
            }
        }
        if (!InShownField(layout, hour.d, hour.i)) {
            ++tally.offChart;
            continue;
        }
        for (std::size_t k = 0; k < tables.size(); ++k) {
            const bool inside = tables[k] ? InTableZone(*tables[k], B, hour.t, hour.d)
                                          : pmv->Contains(hour.t, hour.d);
            tally.zones[k].hours += inside ? 1 : 0;
        }
        const std::int64_t t = CellIndex(hour.t, cellT) + kOffset;
        const std::int64_t d = CellIndex(hour.d, cellD) + kOffset;
        keys.push_back(static_cast<std::uint64_t>(t) << 32 | static_cast<std::uint64_t>(d));
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t k = 0; k < keys.size();) {
        std::size_t end = k;
        while (end < keys.size() && keys[end] == keys[k])
            ++end;
        Cell cell;
        cell.tIndex = static_cast<int>(static_cast<std::int64_t>(keys[k] >> 32) - kOffset);
        cell.dIndex = static_cast<int>(static_cast<std::int64_t>(keys[k] & 0xFFFFFFFFu) - kOffset);
        cell.hours = static_cast<int>(end - k);
        tally.mostInCell = std::max(tally.mostInCell, cell.hours);
        tally.cells.push_back(cell);
        k = end;
    }
    return tally;
}

} // namespace climate
