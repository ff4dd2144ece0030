#pragma once

#include "model/scale_parameters.h"

namespace mensora {

// Degrees to radians: the 15-digit constant divided by 180 first, then times the angle.
inline constexpr double radiansPerDegree = 3.14159265358979 / 180;

// Rounds to 3 decimals: the nearest whole number to v × 1000 (halves to even), over 1000.
double round3(double value);

// How a layout rounds the points it computes (a dial's stripes and base circle, the numbers);
// the engraving chooses it for the file.
enum class PointRounding {
    Thousandths, // round3, a dial's outer Y then held in single precision: the plain files
    Exact, // not at all, in double precision: a machine profile's writer rounds to its decimals
};

// A computed coordinate as the rounding keeps it.
double roundedPoint(double value, PointRounding rounding);
// A dial's outer Y as the rounding keeps it: under Thousandths a single's value (an infinity
// when it does not fit).
double roundedOuterY(double value, PointRounding rounding);

// A stripe's two ends relative to the baseline (flat) or the radius (round), single precision:
// the start offset and the remaining length.
struct StripeOffsets
{
    float start; // y0 or r0
    float end; // L' or r1
};

// Above: 0 to L; Midway: centred, h = L / 2; Under: -L to 0.
StripeOffsets stripeOffsets(float length, StripePosition position);

// The two ends of a dial's stripe, each coordinate rounded as roundedPoint and roundedOuterY
// say: by default to 3 decimals, the outer Y then held in single precision.
struct RoundStripeEnds
{
    double innerX;
    double innerY;
    double outerX;
    double outerY;
};

// The stripe at `angle` degrees around the centre, from radius + offsets.start out to
// offsets.end + radius. Sums and products in double precision.
RoundStripeEnds roundStripeEnds(double centreX, float centreY, double radius, double angle,
    StripeOffsets offsets, PointRounding rounding = PointRounding::Thousandths);

} // namespace mensora
