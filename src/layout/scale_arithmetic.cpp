#include "layout/scale_arithmetic.h"

#include <cmath>

#include "model/number_rules.h"

namespace mensora {

double round3(double value)
{
    return roundHalfEven(value * 1000) / 1000;
}

double roundedPoint(double value, PointRounding rounding)
{
    return rounding == PointRounding::Exact ? value : round3(value);
}

double roundedOuterY(double value, PointRounding rounding)
{
    return rounding == PointRounding::Exact ? value : singleOrInfinity(round3(value));
}

StripeOffsets stripeOffsets(float length, StripePosition position)
{
    switch (position) {
    case StripePosition::Midway: {
        const float half = length / 2;
        return { -half, length - half };
    }
    case StripePosition::Under:
        return { -length, length - length };
    case StripePosition::Above:
        break;
    }
    return { 0, length };
}

RoundStripeEnds roundStripeEnds(double centreX, float centreY, double radius, double angle,
    StripeOffsets offsets, PointRounding rounding)
{
    const double radians = angle * radiansPerDegree;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    const double inner = radius + static_cast<double>(offsets.start);
    const double outer = static_cast<double>(offsets.end) + radius;
    return { roundedPoint(centreX + inner * cosine, rounding),
        roundedPoint(centreY + inner * sine, rounding),
        roundedPoint(centreX + outer * cosine, rounding),
        roundedOuterY(centreY + outer * sine, rounding) };
}

} // namespace mensora
