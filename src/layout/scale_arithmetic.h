#pragma once

#include "model/scale_parameters.h"

namespace mensora {

// Degrees to radians: the 15-digit constant divided by 180 first, then times the angle.
inline constexpr double radiansPerDegree = 3.14159265358979 / 180;

// Rounds to 3 decimals: the nearest whole number to v × 1000 (halves to even), over 1000.
double round3(double value);

// A stripe's two ends relative to the baseline (flat) or the radius (round), single precision:
// the start offset and the remaining length.
struct StripeOffsets
{
    float start; // y0 or r0
    float end; // L' or r1
};

// Above: 0 to L; Midway: centred, h = L / 2; Under: -L to 0.
StripeOffsets stripeOffsets(float length, StripePosition position);

// The two ends of a dial's stripe, each coordinate rounded to 3 decimals; the outer Y is then
// held in single precision (an infinity when it does not fit).
struct RoundStripeEnds
{
    double innerX;
    double innerY;
    double outerX;
    float outerY;
};

// The stripe at `angle` degrees around the centre, from radius + offsets.start out to
// offsets.end + radius. Sums and products in double precision.
RoundStripeEnds roundStripeEnds(
    double centreX, float centreY, double radius, double angle, StripeOffsets offsets);

} // namespace mensora
