#pragma once

#include "designs/design_parameters.h"
#include "designs/outcome.h"

#include <optional>

struct DesignRequest;

// The inputs no air can have, refused before a calculation starts: a wet bulb
// above the dry bulb, a relative humidity above 100 % and a fresh-air
// percentage outside 0–100 %. Each refusal is a stop whose message names the
// input as its dialog label does, with its value and the reason. Every other
// value is left to the design's own handling (Δt = 0, Q = 0, φL = 0, W = 0 and
// an empty record keep their designed messages and results).

// The first impossible input of the summer record, in the dialog's row order
// (ts against tw first), or none.
std::optional<Stop> ImpossibleInput(const DesignParameters &parameters);

// The first impossible input of the winter record, in its dialog's row order, or none.
std::optional<Stop> ImpossibleInput(const WinterParameters &parameters);

// The first impossible input among those the requested design reads: the
// summer record for the summer designs; for the winter design its own record,
// then the summer φn, as the winter supply flow comes from the summer room state.
std::optional<Stop> ImpossibleInput(const DesignRequest &request);
