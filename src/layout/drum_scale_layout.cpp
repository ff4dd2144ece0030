#include "layout/drum_scale_layout.h"

#include <cmath>

#include "model/number_rules.h"

namespace mensora {

namespace {

// The ring's sweep: the total angle, a whole turn at most.
double ringSweep(float totalAngle)
{
    const double total = totalAngle;
    return std::fabs(total) > 360 ? std::copysign(360.0, total) : total;
}

} // namespace

void DrumScaleLayout::makeMoves(std::string_view depth, MoveSink& sink) const
{
    const StripeIndex stripes = graduation.count();
    for (StripeIndex i = 0; i < stripes; ++i) {
        const float length = stripeLengthFor(graduation.kind(i), lengths).value();
        const StripeOffsets offsets = stripeOffsets(length, position);
        const Coord angle = Coord::wide(stripeAngle(i));
        sink.move(Rapid { Coord::wide(centreX + offsets.start), angle });
        sink.move(Plunge { depth });
        sink.move(Cut { Coord::wide(centreX + offsets.end), angle, CutAxes::X });
        sink.move(Lift {});
    }

    if (baseline != Baseline::Single || ringSweep(totalAngle) == 0)
        return;
    sink.section(MoveSection::Baseline);
    const double end = ringStart();
    sink.move(Rapid { Coord::wide(centreX), Coord::wide(end) });
    sink.move(Plunge { depth });
    sink.move(Cut { Coord::wide(centreX), Coord::wide(end - ringSweep(totalAngle)), CutAxes::Y });
    sink.move(Lift {});
}

double DrumScaleLayout::lastStripeAngle() const
{
    const StripeIndex stripes = graduation.count();
    return stripes > 0 ? stripeAngle(stripes - 1) : startAngle;
}

// A ring of part of a turn runs back from the end angle. A whole turn is the same circle from
// any of the end angle's equivalents: it starts at the one nearest the last stripe, so that the
// tool travels less than half a turn to it, and the ring of exactly a turn runs from the end to
// the start.
double DrumScaleLayout::ringStart() const
{
    const double end = endAngle();
    if (std::fabs(static_cast<double>(totalAngle)) < 360)
        return end;
    return end - 360 * std::round((end - lastStripeAngle()) / 360);
}

double DrumScaleLayout::angleAfterScale() const
{
    if (baseline == Baseline::Single && ringSweep(totalAngle) != 0)
        return ringStart() - ringSweep(totalAngle);
    return lastStripeAngle();
}

} // namespace mensora
