#include "layout/scale_arithmetic.h"

#include <cmath>
#include <limits>

#include "model/number_rules.h"

namespace mensora {

double round3(double value)
{
    return roundHalfEven(value * 1000) / 1000;
}

float toSingle(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (const auto single = narrowToSingle(value))
        return *single;
    return value < 0 ? -std::numeric_limits<float>::infinity()
                     : std::numeric_limits<float>::infinity();
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

} // namespace mensora
