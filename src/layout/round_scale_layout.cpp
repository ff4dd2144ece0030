#include "layout/round_scale_layout.h"

#include <cmath>

#include "layout/scale_arithmetic.h"
#include "model/number_rules.h"

namespace mensora {

void RoundScaleLayout::makeMoves(std::string_view depth, MoveSink& sink) const
{
    const StripeIndex stripes = graduation.count();
    for (StripeIndex i = 0; i < stripes; ++i) {
        const float length = stripeLengthFor(graduation.kind(i), lengths).value();
        const RoundStripeEnds ends = roundStripeEnds(
            centreX, centreY, radius, stripeAngle(i), stripeOffsets(length, position));

        sink.move(Rapid { Coord::wide(ends.innerX), Coord::wide(ends.innerY) });
        sink.move(Plunge { depth });
        sink.move(Cut { Coord::wide(ends.outerX), Coord::single(ends.outerY), CutAxes::XY });
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

    const double xs = round3(centreX + std::cos(startRadians) * radius);
    const double ys = round3(centreY + std::sin(startRadians) * radius);
    const double xe = round3(centreX + std::cos(endRadians) * radius);
    const float ye = singleOrInfinity(round3(centreY + std::sin(endRadians) * radius));
    sink.section(MoveSection::Baseline);
    sink.move(Rapid { Coord::wide(xs), Coord::wide(ys) });
    sink.move(Plunge { depth });
    sink.move(Arc { Coord::wide(xe), Coord::single(ye), Coord::wide(centreX),
        Coord::single(centreY), turn, radius, startAngle, totalAngle });
    sink.move(Lift {});
}

} // namespace mensora
