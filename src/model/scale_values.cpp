#include "model/scale_values.h"

#include <cmath>

#include "model/number_rules.h"
#include "model/scale_input.h"

namespace mensora {

namespace {

// A box read in single precision, then times the factor, rounded back to single.
Result<float> readSingleTimes(const ScaleParameters& p, ScaleInput input, double factor)
{
    const auto value = readSingle(inputText(p, input), input, p.shape);
    if (!value || factor == 1.0)
        return value;
    if (const auto single = singleOrNone(static_cast<double>(*value) * factor))
        return *single;
    return tooLargeRefusal(input, p.shape);
}

Result<double> readDoubleTimes(const ScaleParameters& p, ScaleInput input, double factor)
{
    const auto value = readDouble(inputText(p, input), input, p.shape);
    if (!value)
        return value;
    const double product = *value * factor;
    if (!std::isfinite(product))
        return Refusal { input, inputCaption(input, p.shape) + " is too large." };
    return product;
}

// A dial whose total is a whole number of turns, when the user asked for no double mark.
bool cutsNoDoubleMark(const ScaleParameters& p, float total)
{
    return p.marks.noDoubleMark && p.shape == Shape::Round && total != 0.0f
        && std::fmod(total, 360.0f) == 0.0f;
}

} // namespace

Result<ScaleValues> readScaleValues(const ScaleParameters& p, double unitFactor)
{
    ScaleValues v;
    const double alongFactor = p.shape == Shape::Flat ? unitFactor : 1.0;

    const auto total = readSingleTimes(p, ScaleInput::Length, alongFactor);
    if (!total)
        return total.refusal();
    const auto step = readSingleTimes(p, ScaleInput::Distance, alongFactor);
    if (!step)
        return step.refusal();
    auto sequence = stripeSequenceFor(*total, *step, p.package, p.marks.endOnTotal);
    if (!sequence)
        return sequence.refusal();
    if (cutsNoDoubleMark(p, *total))
        sequence.value().resize(
            stripesBeforeFullTurn(numericPrefixValue(p.distance), sequence.value().size()));
    const auto lengths = readStripeLengths(p, *sequence, unitFactor);
    if (!lengths)
        return lengths.refusal();
    v.total = *total;
    v.step = *step;
    v.wideStep = numericPrefixValue(p.distance) * alongFactor;
    v.sequence = std::move(*sequence);
    v.lengths = *lengths;

    const auto startX = readDoubleTimes(p, ScaleInput::StartX, unitFactor);
    if (!startX)
        return startX.refusal();
    const auto startY = readSingleTimes(p, ScaleInput::StartY, unitFactor);
    if (!startY)
        return startY.refusal();
    v.startX = *startX;
    v.startY = *startY;

    if (p.shape == Shape::Round) {
        const auto radius = readDoubleTimes(p, ScaleInput::Radius, unitFactor);
        if (!radius)
            return radius.refusal();
        const auto startAngle = readDoubleTimes(p, ScaleInput::StartAngle, 1.0);
        if (!startAngle)
            return startAngle.refusal();
        v.radius = *radius;
        v.startAngle = *startAngle;
    }
    return v;
}

} // namespace mensora
