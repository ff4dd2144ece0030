#include "layout/flat_scale_layout.h"

#include "layout/scale_arithmetic.h"
#include "model/number_rules.h"

namespace mensora {

void FlatScaleLayout::makeMoves(std::string_view depth, MoveSink& sink) const
{
    const StripeIndex stripes = graduation.count();
    for (StripeIndex i = 0; i < stripes; ++i) {
        const float length = stripeLengthFor(graduation.kind(i), lengths).value();
        const double x = stripeX(i);
        const StripeOffsets offsets = stripeOffsets(length, position);
        const float y1 = offsets.start + startY;
        const float y2 = startY + offsets.end;

        sink.move(Rapid { Coord::wide(x), Coord::single(y1) });
        sink.move(Plunge { depth });
        sink.move(Cut { Coord::wide(x), Coord::single(y2), CutAxes::Y });
        sink.move(Lift {});
    }

    if (baseline != Baseline::Single)
        return;
    // The baseline's end is computed in single precision.
    const float endX = singleOrInfinity(startX) + total;
    sink.section(MoveSection::Baseline);
    sink.move(Rapid { Coord::wide(startX), Coord::single(startY) });
    sink.move(Plunge { depth });
    sink.move(Cut { Coord::single(endX), Coord::single(startY), CutAxes::X });
    sink.move(Lift {});
}

} // namespace mensora
