#include "layout/scale_layout.h"

namespace mensora {

ScaleLayout scaleLayoutOf(
    const ScaleParameters& p, const ScaleValues& v, bool baseCircleInPlot, PointRounding rounding)
{
    if (p.shape == Shape::Round) {
        const bool arcless = p.format == OutputFormat::Plot && !baseCircleInPlot;
        const Baseline baseCircle = arcless ? Baseline::None : p.baseline;
        return RoundScaleLayout { v.total, v.wideStep, v.startAngle, v.radius, v.startX, v.startY,
            p.stripePosition, baseCircle, v.lengths, rounding };
    }
    return FlatScaleLayout { v.total, v.wideStep, v.startX, v.startY, p.stripePosition, p.baseline,
        v.lengths, rounding };
}

} // namespace mensora
