#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/result.h"

namespace mensora {

struct ScaleParameters;
enum class Shape;

// Stripe counts and indexes are 16-bit: a scale has at most 32767 stripes.
using StripeCount = std::int16_t;
using StripeIndex = std::int16_t;
inline constexpr int maxStripes = 32767;

// The lengths of stripe kinds 1 .. 6 for one run (index 0 is kind 1).
using StripeLengths = std::array<float, 6>;

// The number of steps of `step` in `total`: the quotient in double precision, rounded half to
// even. Refused for a step of 0, opposite signs, or more than 16 bits.
Result<StripeCount> stripeCountFor(float total, float step);

// One kind digit per stripe of the whole scale. L and the tail count the package as typed,
// spaces included; the repeated packages and the result lose their leading and trailing
// spaces. Refused for an empty package, a sequence of more than 32767 stripes, or a stripe
// kind other than the digits 1 to 6.
Result<std::string> expandStripePattern(std::string_view pattern, StripeCount count);

// N + 1 stripes whatever the package's length, so that the last lies at the total: stripe i
// gets kind i modulo the package, which loses its leading and trailing spaces. Refused as
// expandStripePattern refuses.
Result<std::string> expandStripePatternToTotal(std::string_view pattern, StripeCount count);

// stripeCountFor and expandStripePattern (or, ending on the total,
// expandStripePatternToTotal) in one.
Result<std::string> stripeSequenceFor(
    float total, float step, std::string_view pattern, bool endOnTotal = false);

// Angles closer than this, in degrees, are one: far below what a 3-decimal point can tell
// apart at any radius a dial has.
inline constexpr double sameAngleTolerance = 1e-6;

// How many of a dial's stripes, at i × step degrees from the first, come before the first
// that falls back onto the first stripe's angle, a whole turn on. None of those share an
// angle; from there on every stripe falls on the one a turn's worth of stripes earlier.
// All of them when no stripe comes back.
std::size_t stripesBeforeFullTurn(double step, std::size_t stripes);

// The kind character of stripe i (counted from 0).
char stripeKindAt(std::string_view sequence, StripeIndex i);

// The length of a kind "1" to "6"; no match for any other character.
std::optional<float> stripeLengthFor(char kind, const StripeLengths& lengths);

// The lengths of kinds 1 .. 6 from their boxes' numbers, times `factor` (25.4 turns inches
// into millimetres), each narrowed to single. Only the kinds that occur in the sequence must
// fit; the others read as 0.
Result<StripeLengths> stripeLengthsOf(const std::array<double, 6>& numbers,
    std::string_view sequence, Shape shape, double factor = 1.0);

// The six length boxes read by the numeric-prefix rule, times `factor` (25.4 turns inches
// into millimetres), each narrowed to single. Only the kinds that occur in the sequence must
// fit; the others read as 0.
Result<StripeLengths> readStripeLengths(
    const ScaleParameters& parameters, std::string_view sequence, double factor = 1.0);

} // namespace mensora
