#pragma once

#include <string_view>

#include "layout/scale_arithmetic.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"
#include "toolpath/tool_move.h"

namespace mensora {

// A dial: radial stripes at start angle + i × step around a centre, then an optional base
// circle. Angles in degrees from +X towards +Y, not reduced; every computed
// point is rounded as `rounding` says (the numbers on the dial too).
struct RoundScaleLayout
{
    float totalAngle;
    double step; // double for the stripe angles; its sign turns the base circle
    double startAngle;
    double radius;
    double centreX;
    float centreY;
    StripePosition position;
    Baseline baseline;
    StripeLengths lengths;
    PointRounding rounding = PointRounding::Thousandths;

    // Hands every stripe's four moves, then the base circle's (its section marked), to the
    // sink. The sequence holds only the kinds "1" to "6".
    void makeMoves(std::string_view sequence, std::string_view depth, MoveSink& sink) const;

private:
    void makeBaseCircle(std::string_view depth, MoveSink& sink) const;
};

} // namespace mensora
