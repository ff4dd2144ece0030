#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "model/graduation.h"
#include "model/result.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"

namespace mensora {

// Every number box of a scale as the numeric-prefix rule reads it, in double precision. A
// command reads its boxes once and derives all its values from these.
struct BoxNumbers
{
    double length = 0;
    double distance = 0;
    std::array<double, 6> stripeLengths {}; // kinds 1 .. 6
    double startX = 0;
    double startY = 0;
    double radius = 0;
    double startAngle = 0;
};

// Reads every number box of the parameters.
BoxNumbers readBoxNumbers(const ScaleParameters& parameters);

// How many times readBoxNumbers ran since the program started: tests and the bench watch
// with it that a command reads its boxes once.
std::size_t boxReadings();

// A scale's numbers, from its box numbers, each in the precision its command keeps it in,
// and checked.
struct ScaleValues
{
    float total = 0; // length, or total angle in degrees
    // The stripes: their kinds and where they stand, i × the distance (or angle) between them,
    // which counts them in single precision and places a file's in double.
    Graduation graduation;
    StripeLengths lengths {}; // kinds 1 .. 6; only the kinds in the sequence are read
    double startX = 0; // or centre X
    float startY = 0; // or centre Y
    double radius = 0; // round only
    double startAngle = 0; // round only, degrees

    const std::string& sequence() const { return graduation.sequence(); }
};

// Checks a scale's numbers in one order: total and step, the stripe sequence built from
// them, the stripe lengths, start X and Y, then radius and start angle of a round scale.
// Every length is multiplied by `unitFactor` (the preview draws inches as millimetres):
// start, radius and stripe lengths always, total and step only for a flat scale, whose total
// and step are lengths; angles never. Each product is rounded back to its value's precision.
// The marks settings shape the sequence here, so that the preview shows the stripes the file
// cuts: "End on the total" expands the package to N + 1 stripes, and "No double mark on a
// full turn" ends a dial of whole turns before its first stripe that falls back onto the
// first. Refused, naming the box, for anything the stripe pattern refuses and for numbers
// beyond their precision.
Result<ScaleValues> scaleValuesOf(
    const ScaleParameters& parameters, const BoxNumbers& boxes, double unitFactor = 1.0);

// The same, reading the boxes first.
inline Result<ScaleValues> readScaleValues(
    const ScaleParameters& parameters, double unitFactor = 1.0)
{
    return scaleValuesOf(parameters, readBoxNumbers(parameters), unitFactor);
}

} // namespace mensora
