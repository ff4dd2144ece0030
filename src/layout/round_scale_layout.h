#pragma once

#include <string_view>

#include "layout/scale_arithmetic.h"
#include "model/graduation.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"
#include "toolpath/tool_move.h"

namespace mensora {

// A dial: radial stripes around a centre at the start angle plus where the graduation puts
// them, then an optional base circle. Angles in degrees from +X towards +Y, not reduced;
// every computed point is rounded as `rounding` says (the numbers on the dial too).
struct RoundScaleLayout
{
    Graduation graduation; // the stripes' kinds and angles from the first, in double precision
    float totalAngle;
    ArcDirection turn; // the way the stripes advance, and the base circle runs
    double startAngle;
    double radius;
    double centreX;
    float centreY;
    StripePosition position;
    Baseline baseline;
    StripeLengths lengths;
    PointRounding rounding = PointRounding::Thousandths;

    // The angle of stripe i, in degrees.
    double stripeAngle(StripeIndex i) const { return startAngle + graduation.position(i); }

    // Hands every stripe's four moves, then the base circle's (its section marked), to the
    // sink.
    void makeMoves(std::string_view depth, MoveSink& sink) const;

private:
    void makeBaseCircle(std::string_view depth, MoveSink& sink) const;
};

} // namespace mensora
