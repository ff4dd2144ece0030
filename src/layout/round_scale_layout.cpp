#include "layout/round_scale_layout.h"

#include <cmath>

#include "layout/scale_arithmetic.h"
#include "model/number_rules.h"

namespace mensora {

namespace {

// An outer Y in the precision the rounding held it in.
Coord outerYCoord(double y, PointRounding rounding)
{
    if (rounding == PointRounding::Exact)
        return Coord::wide(y);
    return Coord::single(static_cast<float>(y));
}

} // namespace

void RoundScaleLayout::makeMoves(std::string_view depth, MoveSink& sink) const
{
    const StripeIndex stripes = graduation.count();
    for (StripeIndex i = 0; i < stripes; ++i) {
        const float length = stripeLengthFor(graduation.kind(i), lengths).value();
        const RoundStripeEnds ends = roundStripeEnds(
            centreX, centreY, radius, stripeAngle(i), stripeOffsets(length, position), rounding);

        sink.move(Rapid { Coord::wide(ends.innerX), Coord::wide(ends.innerY) });
        sink.move(Plunge { depth });
        sink.move(
            Cut { Coord::wide(ends.outerX), outerYCoord(ends.outerY, rounding), CutAxes::XY });
        sink.move(Lift {});
    }

    if (baseline == Baseline::Single)
        makeBaseCircle(depth, sink);
}

// One arc of the radius from the start angle over the total angle, around the centre as read
// (absolute, unrounded). It turns the way the stripes advance.
void RoundScaleLayout::makeBaseCircle(std::string_view depth, MoveSink& sink) const
{
    const double startRadians = startAngle * radiansPerDegree;
    const double endRadians = (startAngle + totalAngle) * radiansPerDegree;

    const double xs = roundedPoint(centreX + std::cos(startRadians) * radius, rounding);
    const double ys = roundedPoint(centreY + std::sin(startRadians) * radius, rounding);
    const double xe = roundedPoint(centreX + std::cos(endRadians) * radius, rounding);
    const double ye = roundedOuterY(centreY + std::sin(endRadians) * radius, rounding);
    sink.section(MoveSection::Baseline);
    sink.move(Rapid { Coord::wide(xs), Coord::wide(ys) });
    sink.move(Plunge { depth });
    sink.move(Arc { Coord::wide(xe), outerYCoord(ye, rounding), Coord::wide(centreX),
        Coord::single(centreY), turn, radius, startAngle, totalAngle });
    sink.move(Lift {});
}

} // namespace mensora
