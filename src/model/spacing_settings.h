#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mensora {

// The law a scale's stripes are spaced by. Even is a ruler's or a dial's: stripes a distance
// apart along the length, counted by the package. Every other law makes a scale of values:
// value v stands at length × (f(v) − f(from)) / (f(to) − f(from)) of the value range.
enum class SpacingLaw {
    Even = 0,
    Logarithmic = 1, // f(v) = log10 v, values above 0
    Power = 2, // f(v) = v^p, square-law and root-law meters
    Reciprocal = 3, // f(v) = 1 / v, values above 0
    Decibel = 4, // f(v) = 10^(v / 20): decibels of an amplitude
    DecibelPower = 5, // f(v) = 10^(v / 10): decibels of a power
    Points = 6, // a monotone cubic through measured value → position pairs
    Expression = 7, // a formula of v
};

// A stretch of a scale's values with a step and a package of its own: stripes at from,
// from + step, … to, the package restarting at from.
struct ValueSegment
{
    double from = 0;
    double to = 0;
    double step = 0;
    std::string package;

    friend bool operator==(const ValueSegment&, const ValueSegment&) = default;
};

// A value and where a measured movement puts it, in any unit: the scale maps the positions of
// its range onto its length.
struct MeasuredPoint
{
    double value = 0;
    double position = 0;

    friend bool operator==(const MeasuredPoint&, const MeasuredPoint&) = default;
};

// How a scale is spaced. The defaults are an evenly divided scale; the rest is read only by
// the laws that take it (see spacing_table.h).
struct SpacingSettings
{
    SpacingLaw law = SpacingLaw::Even;
    double exponent = 2; // Power's p
    std::string formula; // Expression's f(v), in the variable v
    std::vector<MeasuredPoint> points; // Points' table, in the order given
    double from = 1; // the value range, from the scale's start to its end
    double to = 10;
    // Empty: one segment over the range, stepped by the Distance box, with the package.
    std::vector<ValueSegment> segments;
    std::optional<double> minGap; // between neighbouring stripes; unset: 0.2 mm or 0.008 in

    friend bool operator==(const SpacingSettings&, const SpacingSettings&) = default;
};

// The settings of the spacing, as a refusal names them.
enum class SpacingSetting { Law, Exponent, Formula, Points, Values, Segments, MinGap };

// The unset gap, in millimetres and in inches: what a 0.2 mm engraving cutter leaves standing.
inline constexpr double defaultMinGapMm = 0.2;
inline constexpr double defaultMinGapInch = 0.008;

// A scale holds at most this many segments, measured points and labels: far more than any
// instrument's face has.
inline constexpr std::size_t maxSpacingEntries = 1000;

} // namespace mensora
