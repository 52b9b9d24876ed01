#include "designs/design_outcome.h"

#include "designs/input_checks.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_winter/winter_presentation.h"
#include "designs/secondary_summer/secondary_presentation.h"

namespace {
template <typename... F> struct Overloaded : F... {
    using F::operator()...;
};
// Spelled out for compilers without deduction from aggregate initialisation.
template <typename... F> Overloaded(F...) -> Overloaded<F...>;
// The outcome of a design that did not start: no state, only the stop.
// DesignTextsOf gives it the design's own table with every value empty.
DesignOutcome NotStarted(DesignKind design, Stop stop)
{
    switch (design) {
    case DesignKind::SecondarySummer: {
        SecondaryOutcome outcome;
        outcome.stop = std::move(stop);
        return outcome;
    }
    case DesignKind::PrimaryWinter: {
        WinterOutcome outcome;
        outcome.stop = std::move(stop);
        return outcome;
    }
    case DesignKind::PrimarySummer:
        break;
    }
    PrimaryOutcome outcome;
    outcome.stop = std::move(stop);
    return outcome;
}

} // namespace

DesignOutcome ComputeDesign(const DesignRequest &request, double B)
{
    if (std::optional<Stop> impossible = ImpossibleInput(request))
        return NotStarted(request.design, std::move(*impossible));
    switch (request.design) {
    case DesignKind::SecondarySummer:
        return ComputeSecondarySummer(request.summer, B);
    case DesignKind::PrimaryWinter:
        return ComputePrimaryWinter(request.summer, request.winter, B);
    case DesignKind::PrimarySummer:
        break;
    }
    return ComputePrimarySummer(request.summer, B);
}

void PlotDesign(const DesignOutcome &outcome, Surface &picture,
                const std::function<void(StateName)> &afterDot)
{
    std::visit(
        Overloaded {[&](const PrimaryOutcome &o) { PlotPrimarySummer(o, picture); },
                    [&](const SecondaryOutcome &o) { PlotSecondarySummer(o, picture); },
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
                                  [](const SecondaryOutcome &o) { return SecondarySummerTexts(o); },
                                  [](const WinterOutcome &o) { return WinterTexts(o); }},
                      outcome);
}
