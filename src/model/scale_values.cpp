#include "model/scale_values.h"

#include <atomic>
#include <cmath>
#include <memory>

#include "model/label_list.h"
#include "model/number_rules.h"
#include "model/scale_input.h"
#include "model/spacing_table.h"
#include "model/value_segments.h"

namespace mensora {

namespace {

std::atomic<std::size_t> readings { 0 };

Result<double> doubleTimes(double number, ScaleInput input, Shape shape, double factor)
{
    const double product = number * factor;
    if (!std::isfinite(number) || !std::isfinite(product))
        return Refusal { input, inputCaption(input, shape) + " is too large." };
    return product;
}

// The stripes as the scale lays them out: a scale of values keeps the gap between its own
// stripes, then a label list adds its marks, then a dial turns clockwise when asked.
Result<Graduation> laidOut(
    Graduation graduation, const ScaleParameters& p, const BoxNumbers& n, double alongFactor)
{
    if (graduation.readsValues()) {
        if (auto fault = gapFault(graduation, p, n.radius, alongFactor))
            return fault->refusal;
    }
    if (p.labels.style == LabelStyle::List && p.numbers.kind >= 1 && p.numbers.kind <= 6) {
        auto listed = listedGraduation(graduation, p.numbers, p.labels);
        if (!listed)
            return listed.refusal();
        graduation = std::move(listed.value());
    }
    if (p.labels.clockwise && p.shape == Shape::Round)
        return graduation.turnedClockwise();
    return graduation;
}

} // namespace

BoxNumbers readBoxNumbers(const ScaleParameters& p)
{
    ++readings;
    BoxNumbers n;
    n.length = numericPrefixValue(p.length);
    n.distance = numericPrefixValue(p.distance);
    for (int kind = 1; kind <= 6; ++kind)
        n.stripeLengths[static_cast<std::size_t>(kind - 1)]
            = numericPrefixValue(p.stripeLengthText(kind));
    n.startX = numericPrefixValue(p.startX);
    n.startY = numericPrefixValue(p.startY);
    n.radius = numericPrefixValue(p.radius);
    n.startAngle = numericPrefixValue(p.startAngle);
    return n;
}

std::size_t boxReadings()
{
    return readings;
}

Result<ScaleValues> scaleValuesOf(const ScaleParameters& p, const BoxNumbers& n, double unitFactor)
{
    ScaleValues v;
    const Shape shape = p.shape;
    const double alongFactor = shape == Shape::Flat ? unitFactor : 1.0;

    auto spaced = spacingRowOf(p).stripes({ p, n, alongFactor });
    if (!spaced)
        return spaced.refusal();
    v.total = spaced->total;
    auto graduation = laidOut(std::move(spaced.value().graduation), p, n, alongFactor);
    if (!graduation)
        return graduation.refusal();
    v.graduation = std::move(graduation.value());
    if (p.labels.clockwise && shape == Shape::Round)
        v.total = -v.total;
    const auto lengths = stripeLengthsOf(n.stripeLengths, v.sequence(), shape, unitFactor);
    if (!lengths)
        return lengths.refusal();
    v.lengths = *lengths;

    const auto startX = doubleTimes(n.startX, ScaleInput::StartX, shape, unitFactor);
    if (!startX)
        return startX.refusal();
    const auto startY = singleTimes(n.startY, ScaleInput::StartY, shape, unitFactor);
    if (!startY)
        return startY.refusal();
    v.startX = *startX;
    v.startY = *startY;

    if (shape == Shape::Round) {
        const auto radius = doubleTimes(n.radius, ScaleInput::Radius, shape, unitFactor);
        if (!radius)
            return radius.refusal();
        const auto startAngle = doubleTimes(n.startAngle, ScaleInput::StartAngle, shape, 1.0);
        if (!startAngle)
            return startAngle.refusal();
        v.radius = *radius;
        v.startAngle = *startAngle;
    }
    return v;
}

} // namespace mensora
