#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/graduation.h"
#include "model/result.h"
#include "model/scale_parameters.h"

namespace mensora {

// The segments a scale of values is stepped by, lowest first: those given, or when none is
// given one over the whole range, stepped by the Distance box with the package.
struct SteppedSegment
{
    ValueSegment segment;
    std::optional<std::size_t> given; // its place among the segments given, from 0; none: the range
};
std::vector<SteppedSegment> steppedSegments(const ScaleParameters& parameters, double distance);

// How a refusal names a segment: "Segment 2 (2 to 5 every 0.02)", or for the range stepped by
// the Distance box "The values 1 to 10 every 0.5".
std::string segmentLabel(const SteppedSegment& segment);

// The stripes of a scale of values: each segment's values in whole steps of its own (see
// DecimalSteps), from its start to its end, its package restarting at its start. Where two
// segments meet one stripe stands, of the kind whose stripe is longer (`stripeLengths`, kinds
// 1 to 6; the lower segment's when they are as long).
struct SegmentedValues
{
    std::vector<double> values; // rising
    std::string kinds;
};

// Refused, naming the segment (the Distance box or the package for the range's own), for a
// step that is not above 0 or not finite, a segment that does not rise, lies outside the
// value range or overlaps another, a value with more than maxValueDecimals decimals, a
// segment that is no whole number of its steps, a package that is empty or holds anything
// but the digits 1 to 6, and more than 32767 stripes in all.
Result<SegmentedValues> segmentedValues(
    const ScaleParameters& parameters, double distance, const std::array<double, 6>& stripeLengths);

// Two neighbouring stripes closer than the gap: the segment they belong to and the sentence
// that refuses it.
struct GapFault
{
    std::optional<std::size_t> segment; // as given, from 0; none: the range's own
    Refusal refusal;
};

// The gap a scale keeps between neighbouring stripes, in its own unit: the setting, or 0.2 mm
// (0.008 in).
double minGapOf(const SpacingSettings& settings, Unit unit);

// The closest neighbouring stripes of the first segment that has any closer than the gap,
// measured along the stripes' feet in the scale's own unit: along a ruler, as the chord on a
// dial's radius, around a drum. Lengths along a ruler are the graduation's over
// `alongFactor`. Nothing when every stripe keeps the gap.
std::optional<GapFault> gapFault(const Graduation& graduation, const ScaleParameters& parameters,
    double radius, double alongFactor = 1);

// The same for a scale as the user set it: its first segment whose stripes stand closer than
// its gap, if its stripes can be made at all.
std::optional<GapFault> segmentTooClose(const ScaleParameters& parameters);

} // namespace mensora
