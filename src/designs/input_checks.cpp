#include "designs/input_checks.h"

#include "designs/design_outcome.h"
#include "designs/parameter_table.h"
#include "text/number_text.h"

#include <string>

namespace {

constexpr const char *kCheckTail = "，请检查参数设定!";

// "室内相对湿度φn（120）": the input as its label names it, with the value it holds.
template <typename Record> std::string Named(double Record::*field, double value)
{
    return ParameterNameOf(field) + "（" + DoubleText(value) + "）";
}

Stop Refused(const std::string &message)
{
    return {StopCause::ImpossibleInput, message + kCheckTail};
}

// A relative humidity above saturation.
template <typename Record>
std::optional<Stop> AboveSaturation(const Record &record, double Record::*field)
{
    if (record.*field > 100.0)
        return Refused(Named(field, record.*field) + "高于100%，空气的相对湿度不能超过100%");
    return std::nullopt;
}

// A share of fresh air that is not a part of the air it is a share of.
template <typename Record>
std::optional<Stop> NotAShare(const Record &record, double Record::*field)
{
    const double value = record.*field;
    if (value < 0.0 || value > 100.0)
        return Refused(Named(field, value) + "不在0至100%之间");
    return std::nullopt;
}

} // namespace

std::optional<Stop> ImpossibleInput(const DesignParameters &p)
{
    using D = DesignParameters;
    if (p.ts > p.tw)
        return Refused(Named(&D::ts, p.ts) + "高于" + Named(&D::tw, p.tw));
    if (auto refused = AboveSaturation(p, &D::phiN))
        return refused;
    if (auto refused = NotAShare(p, &D::s))
        return refused;
    return AboveSaturation(p, &D::phiL);
}

std::optional<Stop> ImpossibleInput(const WinterParameters &p)
{
    using W = WinterParameters;
    if (auto refused = AboveSaturation(p, &W::phiNW))
        return refused;
    if (auto refused = AboveSaturation(p, &W::phiWW))
        return refused;
    if (auto refused = NotAShare(p, &W::sW))
        return refused;
    return AboveSaturation(p, &W::phiLW);
}

std::optional<Stop> ImpossibleInput(const DesignRequest &request)
{
    switch (request.design) {
    case DesignKind::PrimarySummer:
    case DesignKind::SecondarySummer:
        break;
    case DesignKind::PrimaryWinter:
        if (auto refused = ImpossibleInput(request.winter))
            return refused;
        return AboveSaturation(request.summer, &DesignParameters::phiN);
    }
    return ImpossibleInput(request.summer);
}
