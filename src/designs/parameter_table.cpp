#include "designs/parameter_table.h"

#include "psychro/arithmetic_fault.h"
#include "text/leading_number.h"
#include "text/number_text.h"
#include "text/strict_number.h"

#include <cstring>

namespace {

constexpr const char *kFullWidthColon = "\xEF\xBC\x9A"; // ：

template <typename Record, std::size_t N, typename Field>
const ParameterRow<Record> *RowOf(const std::array<ParameterRow<Record>, N> &table, Field field)
{
    for (const ParameterRow<Record> &row : table) {
        if constexpr (std::is_same_v<Field, double Record::*>) {
            if (row.asDouble == field)
                return &row;
        } else {
            if (row.asSingle == field)
                return &row;
        }
    }
    return nullptr;
}

template <typename Record, std::size_t N, typename Field>
std::string NameOf(const std::array<ParameterRow<Record>, N> &table, Field field)
{
    const ParameterRow<Record> *row = RowOf(table, field);
    return row ? ParameterName(row->caption) : std::string();
}

template <typename Record, std::size_t N, typename Field>
double ScaleOf(const std::array<ParameterRow<Record>, N> &table, Field field)
{
    const ParameterRow<Record> *row = RowOf(table, field);
    return row ? row->perCalculationUnit : 1.0;
}

} // namespace

std::string ParameterName(const char *caption)
{
    const std::string text = caption;
    std::string name = text.substr(0, text.find(kFullWidthColon));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

template <typename Record>
void StoreEntry(const ParameterRow<Record> &row, const std::string &text, Record &record)
{
    if (row.asChoice) {
        record.*row.asChoice = Humidifier::Spray;
        for (std::size_t k = 0; k < row.choiceTexts.size(); ++k)
            if (text == row.choiceTexts[k] || text == row.choiceWords[k])
                record.*row.asChoice = static_cast<Humidifier>(k);
        return;
    }
    const double value = LeadingNumberValue(text);
    if (row.asSingle)
        // A value beyond single range is as unusable as one beyond double's.
        record.*row.asSingle = CheckedSingle(value, FaultCause::TypedNumber);
    else
        record.*row.asDouble = value;
}

template <typename Record>
std::optional<std::string> EntryFault(const ParameterRow<Record> &row, const std::string &text)
{
    if (row.asChoice)
        return std::nullopt;
    const std::string name = ParameterName(row.caption);
    const std::optional<double> value = StrictNumber(text);
    if (!value)
        return name + " 的值“" + text + "”不是数值，请重新输入!";
    const PlausibleRange &range = row.range;
    const bool below = range.lowestExcluded ? *value <= range.lowest : *value < range.lowest;
    if (!below && *value <= range.highest)
        return std::nullopt;
    const std::string unit = *row.unit ? std::string(" ") + row.unit : std::string();
    const std::string lowest = DoubleText(range.lowest) + unit;
    const std::string highest = DoubleText(range.highest) + unit;
    const std::string span = range.lowestExcluded ? "应大于 " + lowest + " 且不大于 " + highest
                                                  : "应在 " + lowest + " 至 " + highest + " 之间";
    return name + " 的值“" + text + "”超出合理范围（" + span + "），请重新输入!";
}

template std::optional<std::string> EntryFault(const SummerRow &, const std::string &);
template std::optional<std::string> EntryFault(const WinterRow &, const std::string &);

template void StoreEntry(const SummerRow &, const std::string &, DesignParameters &);
template void StoreEntry(const WinterRow &, const std::string &, WinterParameters &);

std::string ParameterNameOf(double DesignParameters::*field)
{
    return NameOf(kSummerParameters, field);
}
std::string ParameterNameOf(float DesignParameters::*field)
{
    return NameOf(kSummerParameters, field);
}
std::string ParameterNameOf(double WinterParameters::*field)
{
    return NameOf(kWinterParameters, field);
}
std::string ParameterNameOf(float WinterParameters::*field)
{
    return NameOf(kWinterParameters, field);
}
double PerCalculationUnit(double DesignParameters::*field)
{
    return ScaleOf(kSummerParameters, field);
}
double PerCalculationUnit(float DesignParameters::*field)
{
    return ScaleOf(kSummerParameters, field);
}
double PerCalculationUnit(double WinterParameters::*field)
{
    return ScaleOf(kWinterParameters, field);
}
double PerCalculationUnit(float WinterParameters::*field)
{
    return ScaleOf(kWinterParameters, field);
}
