#pragma once

#include <string_view>

#include "layout/scale_arithmetic.h"
#include "model/graduation.h"
#include "model/scale_parameters.h"
#include "model/stripe_pattern.h"
#include "toolpath/tool_move.h"

namespace mensora {

// Where a drum's moves are: x along the drum's axis, y the angle of the rotary axis in degrees.
// The unrolled surface measures the angle as the distance around the drum, s = A · π r / 180,
// and reads as a flat design with X across and s upward: wrapped with A = s / r · 180 / π, as a
// flat design is wrapped around a rotary axis.
struct DrumSurface
{
    double radius; // of the drum, above 0
    double centreY; // where the tool works over the axis, and where an unrolled drawing starts
    RotaryAxis axis = RotaryAxis::A;

    // The distance around the drum that an angle covers, in the scale's unit.
    double distanceOf(double angle) const { return angle * radiansPerDegree * radius; }
    // The angle that turns the drum by that distance.
    double angleOf(double distance) const { return distance / (radiansPerDegree * radius); }
};

// A drum: a dial's graduation around a cylinder. Each stripe is a cut along the axis at the
// angle the dial would give it (start angle plus where the graduation puts it), from the ring
// toward +X ("Above"), across it ("Midway") or toward -X ("Under"); the ring is a turn of the
// rotary axis alone at X = centre X, over the total angle and never more than a whole turn.
// The tool never travels far at rapid: the stripes advance from the start angle, the ring is
// cut backward from where they ended (from the end angle; a whole turn from the equivalent of
// it nearest the last stripe), and the numbers follow from the end of the scale nearer the
// tool.
// Its points are exact, in double precision: a profile's writer rounds them to its decimals,
// an unrolled drawing once it has unrolled them.
struct DrumScaleLayout
{
    Graduation graduation; // the stripes' kinds and angles from the first, in double precision
    float totalAngle;
    double startAngle;
    double centreX;
    DrumSurface surface;
    StripePosition position;
    Baseline baseline;
    StripeLengths lengths;
    PointRounding rounding = PointRounding::Thousandths; // of an unrolled drawing's points

    // The angle of stripe i, in degrees.
    double stripeAngle(StripeIndex i) const { return startAngle + graduation.position(i); }
    // The angle the scale ends on, where its last stripe stands with a whole package.
    double endAngle() const { return startAngle + static_cast<double>(totalAngle); }

    // Hands every stripe's four moves, then the ring's (its section marked), to the sink.
    void makeMoves(std::string_view depth, MoveSink& sink) const;

    // The angle the tool stands at once the stripes and the ring are cut.
    double angleAfterScale() const;

private:
    double lastStripeAngle() const;
    double ringStart() const;
};

} // namespace mensora
