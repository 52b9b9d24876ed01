#include "process/design_entries.h"

#include "psychro/arithmetic_fault.h"
#include "ui/leading_number.h"

namespace {

constexpr const char *kFullWidthColon = "\xEF\xBC\x9A"; // ：

} // namespace

std::string DesignEntryName(int row)
{
    const std::string caption = design_entries::kRows[row - 1].caption;
    std::string name = caption.substr(0, caption.find(kFullWidthColon));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

DesignEntriesReading ReadDesignEntries(const std::array<std::string, design_entries::kCount> &texts)
{
    double values[design_entries::kCount] = {};
    for (int row = 1; row <= design_entries::kCount; ++row) {
        try {
            double value = LeadingNumberValue(texts[row - 1]);
            // W is kept in single precision: a value beyond its range is as
            // unusable as one beyond double's.
            if (row == 9)
                value = CheckedSingle(value, FaultCause::W);
            values[row - 1] = value;
        } catch (const ArithmeticFault &) {
            return {std::nullopt, row, DesignEntryName(row) + design_entries::kOutOfRangeTail};
        }
    }

    DesignParameters record;
    record.tn = values[0];
    record.phiN = values[1];
    record.tw = values[2];
    record.ts = values[3];
    record.deltaT = values[4];
    record.s = values[5];
    record.phiL = values[6];
    record.Q = values[7];
    record.W = static_cast<float>(values[8]);
    return {record, 0, {}};
}
