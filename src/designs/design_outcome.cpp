#include "designs/design_outcome.h"

#include "designs/input_checks.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/secondary_summer/secondary_presentation.h"

namespace {
template <typename... F> struct Overloaded : F... {
    using F::operator()...;
};
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
    case DesignKind::PrimarySummer:
    case DesignKind::PrimaryWinter:
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
    case DesignKind::PrimarySummer:
    case DesignKind::PrimaryWinter:
        break;
    }
    return ComputePrimarySummer(request.summer, B);
}

void PlotDesign(const DesignOutcome &outcome, Surface &picture)
{
    std::visit(Overloaded {[&](const PrimaryOutcome &o) { PlotPrimarySummer(o, picture); },
                           [&](const SecondaryOutcome &o) { PlotSecondarySummer(o, picture); }},
               outcome);
}

DesignTexts DesignTextsOf(const DesignOutcome &outcome)
{
    return std::visit(
        Overloaded {[](const PrimaryOutcome &o) { return PrimarySummerTexts(o); },
                    [](const SecondaryOutcome &o) { return SecondarySummerTexts(o); }},
        outcome);
}
