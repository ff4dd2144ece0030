#include "layout/scale_layout.h"

namespace mensora {

ScaleLayout scaleLayoutOf(
    const ScaleParameters& p, const ScaleValues& v, const LayoutOptions& options)
{
    if (p.onDrum()) {
        const DrumSurface surface { v.radius, v.startY, p.rotaryAxis };
        return DrumScaleLayout { v.graduation, v.total, v.startAngle, v.startX, surface,
            p.stripePosition, p.baseline, v.lengths, options.rounding };
    }
    if (p.shape == Shape::Round) {
        const Baseline baseCircle = options.baseCircle ? p.baseline : Baseline::None;
        const ArcDirection turn = v.graduation.advancesPositively() ? ArcDirection::CounterClockwise
                                                                    : ArcDirection::Clockwise;
        return RoundScaleLayout { v.graduation, v.total, turn, v.startAngle, v.radius, v.startX,
            v.startY, p.stripePosition, baseCircle, v.lengths, options.rounding };
    }
    return FlatScaleLayout { v.graduation, v.total, v.startX, v.startY, p.stripePosition,
        p.baseline, v.lengths, options.rounding };
}

const Graduation& graduationOf(const ScaleLayout& layout)
{
    return std::visit([](const auto& l) -> const Graduation& { return l.graduation; }, layout);
}

} // namespace mensora
