#pragma once

#include <array>

#include "layout/number_layout.h"
#include "layout/scale_layout.h"

namespace mensora {

// The two ends of stripe i, unrounded, in the coordinates of the numbers' boxes: a drum's on
// its unrolled surface.
std::array<PlacedPoint, 2> stripeEnds(const ScaleLayout& layout, StripeIndex i);

// How far along the scale stripe i stands from the first, in those coordinates' terms: the
// graduation's position (a length, or degrees on a dial), as the distance around a drum.
double alongScale(const ScaleLayout& layout, StripeIndex i);

} // namespace mensora
