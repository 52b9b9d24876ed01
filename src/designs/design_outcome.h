#pragma once

#include "designs/design_parameters.h"
#include "designs/design_texts.h"
#include "designs/primary_summer/primary_summer.h"
#include "designs/primary_winter/primary_winter.h"
#include "designs/secondary_summer/secondary_summer.h"

#include <functional>
#include <optional>
#include <string>
#include <variant>

class Surface;

// The outcome of any design calculation, and the three things done with it:
// computing, plotting and turning it into texts.
using DesignOutcome = std::variant<PrimaryOutcome, SecondaryOutcome, WinterOutcome>;

// The inputs of a calculation: which design, the summer record (every design
// reads it; the winter design takes its supply flow from it) and the winter
// record.
struct DesignRequest {
    DesignKind design = DesignKind::PrimarySummer;
    const DesignParameters &summer;
    const WinterParameters &winter;
};

// Runs the design's calculation at the barometric pressure B (Pa). Never throws.
DesignOutcome ComputeDesign(const DesignRequest &request, double B);

// Draws the outcome on the chart: the dots as found, then, for a completed
// process, its lines and the second pass. afterDot, when given, is called
// after each dot of the first pass with the state's name.
void PlotDesign(const DesignOutcome &outcome, Surface &picture,
                const std::function<void(StateName)> &afterDot = {});

// A message a calculation gives without stopping: shown once the state it
// follows is drawn, with the boxes as they stood then.
struct DesignAdvisory {
    std::string message;
    StateName after;
    DesignOutcome then; // the outcome up to that state
};
std::optional<DesignAdvisory> AdvisoryOf(const DesignOutcome &outcome);

// The box and table texts of the outcome.
DesignTexts DesignTextsOf(const DesignOutcome &outcome);
