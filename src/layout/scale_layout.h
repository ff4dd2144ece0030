#pragma once

#include <variant>

#include "layout/drum_scale_layout.h"
#include "layout/flat_scale_layout.h"
#include "layout/round_scale_layout.h"
#include "model/scale_values.h"

namespace mensora {

// The layout a scale's shape and surface choose.
using ScaleLayout = std::variant<FlatScaleLayout, RoundScaleLayout, DrumScaleLayout>;

// What the file being made asks of a layout, whatever file it is.
struct LayoutOptions
{
    bool baseCircle = true; // a dial's base circle goes in (a file without arcs leaves it out)
    PointRounding rounding = PointRounding::Thousandths; // of the points it computes, numbers too
};

// The layout of a scale from its values in the unit they were typed in. The stripes stand
// where the graduation puts them in double precision; the single only counts them.
ScaleLayout scaleLayoutOf(const ScaleParameters& parameters, const ScaleValues& values,
    const LayoutOptions& options = {});

// The graduation a layout places.
const Graduation& graduationOf(const ScaleLayout& layout);

} // namespace mensora
