#include "designs/parameter_table.h"

#include "psychro/arithmetic_fault.h"
#include "text/leading_number.h"

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
