#pragma once

// A moist-air state as a point of the chart: d in g/kg, i in kJ/kg, both
// single precision like every state of a calculation.
struct StatePoint {
    float d = 0.0f;
    float i = 0.0f;
};
