#pragma once

#include "model/scale_parameters.h"

namespace mensora::testing {

// A handwheel collar: 100 divisions around a drum of radius 20 mm, numbered every 10, without
// its ring.
inline ScaleParameters collarOnDrum()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.surface = Surface::Drum;
    p.radius = "20";
    p.length = "360";
    p.distance = "3.6";
    p.marks.noDoubleMark = true;
    p.numbers.kind = 1;
    p.numbers.step = 10;
    return p;
}

} // namespace mensora::testing
