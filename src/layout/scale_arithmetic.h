#pragma once

#include "model/scale_parameters.h"

namespace mensora {

// Degrees to radians: the 15-digit constant divided by 180 first, then times the angle.
inline constexpr double radiansPerDegree = 3.14159265358979 / 180;

// Rounds to 3 decimals: the nearest whole number to v × 1000 (halves to even), over 1000.
double round3(double value);

// Narrows to single, rounding to nearest; beyond single range it gives an infinity of the
// same sign (which the engraving refuses) instead of undefined behaviour.
float toSingle(double value);

// A stripe's two ends relative to the baseline (flat) or the radius (round), single precision:
// the start offset and the remaining length.
struct StripeOffsets
{
    float start; // y0 or r0
    float end; // L' or r1
};

// Above: 0 to L; Midway: centred, h = L / 2; Under: -L to 0.
StripeOffsets stripeOffsets(float length, StripePosition position);

} // namespace mensora
