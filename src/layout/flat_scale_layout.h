#pragma once

#include <string_view>

#include "layout/scale_arithmetic.h"
#include "model/graduation.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"
#include "toolpath/tool_move.h"

namespace mensora {

// A ruler: stripes parallel to Y, standing along X where the graduation puts them, then an
// optional baseline along X. Numbers are used in the unit they were typed in.
struct FlatScaleLayout
{
    Graduation graduation; // the stripes' kinds and positions, in double precision
    float total;
    double startX;
    float startY;
    StripePosition position;
    Baseline baseline;
    StripeLengths lengths;
    PointRounding rounding = PointRounding::Thousandths; // of its numbers: its own points are sums

    // The X of stripe i.
    double stripeX(StripeIndex i) const { return startX + graduation.position(i); }

    // Hands every stripe's four moves, then the baseline's (its section marked), to the sink.
    void makeMoves(std::string_view depth, MoveSink& sink) const;
};

} // namespace mensora
