#pragma once

#include <variant>

#include "layout/flat_scale_layout.h"
#include "layout/round_scale_layout.h"
#include "model/scale_values.h"

namespace mensora {

// The layout a scale's shape chooses.
using ScaleLayout = std::variant<FlatScaleLayout, RoundScaleLayout>;

// The layout of a scale from its values in the unit they were typed in. The stripes take the
// step in double precision; the single only counts them. A plain plot file has no arcs, so a
// dial's base circle stays out of it, unless `baseCircleInPlot` (a cutter draws it in chords).
// The layout rounds the points it computes, its numbers' too, as `rounding` says.
ScaleLayout scaleLayoutOf(const ScaleParameters& parameters, const ScaleValues& values,
    bool baseCircleInPlot = false, PointRounding rounding = PointRounding::Thousandths);

} // namespace mensora
