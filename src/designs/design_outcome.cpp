#include "designs/design_outcome.h"

#include "designs/primary_summer/primary_presentation.h"
#include "designs/secondary_summer/secondary_presentation.h"

namespace {
template <typename... F> struct Overloaded : F... {
    using F::operator()...;
};
} // namespace

DesignOutcome ComputeDesign(const DesignRequest &request, double B)
{
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
