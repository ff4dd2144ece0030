#pragma once

#include <string_view>

#include "layout/scale_arithmetic.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"
#include "toolpath/tool_move.h"

namespace mensora {

// A ruler: stripes parallel to Y, spaced along X, then an optional baseline along X.
// Numbers are used in the unit they were typed in.
struct FlatScaleLayout
{
    float total;
    double distance; // double for the stripe positions
    double startX;
    float startY;
    StripePosition position;
    Baseline baseline;
    StripeLengths lengths;
    PointRounding rounding = PointRounding::Thousandths; // of its numbers: its own points are sums

    // Hands every stripe's four moves, then the baseline's (its section marked), to the sink.
    // The sequence holds only the kinds "1" to "6".
    void makeMoves(std::string_view sequence, std::string_view depth, MoveSink& sink) const;
};

} // namespace mensora
