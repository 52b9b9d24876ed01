#include "designs/design_outcome.h"

#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_winter/winter_presentation.h"

namespace {
template <typename... F> struct Overloaded : F... {
    using F::operator()...;
};
} // namespace

DesignOutcome ComputeDesign(const DesignRequest &request, double B)
{
    switch (request.design) {
    case DesignKind::PrimaryWinter:
        return ComputePrimaryWinter(request.summer, request.winter, B);
    case DesignKind::PrimarySummer:
    case DesignKind::SecondarySummer:
        break;
    }
    return ComputePrimarySummer(request.summer, B);
}

void PlotDesign(const DesignOutcome &outcome, Surface &picture,
                const std::function<void(StateName)> &afterDot)
{
    std::visit(
        Overloaded {[&](const PrimaryOutcome &o) { PlotPrimarySummer(o, picture); },
                    [&](const WinterOutcome &o) { PlotPrimaryWinter(o, picture, afterDot); }},
        outcome);
}

std::optional<DesignAdvisory> AdvisoryOf(const DesignOutcome &outcome)
{
    if (const auto *winter = std::get_if<WinterOutcome>(&outcome); winter && winter->advisory)
        return DesignAdvisory {*winter->advisory, StateName::Cw, WinterOutcomeAtAdvisory(*winter)};
    return std::nullopt;
}

DesignTexts DesignTextsOf(const DesignOutcome &outcome)
{
    return std::visit(Overloaded {[](const PrimaryOutcome &o) { return PrimarySummerTexts(o); },
                                  [](const WinterOutcome &o) { return WinterTexts(o); }},
                      outcome);
}
