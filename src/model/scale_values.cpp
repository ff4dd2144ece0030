#include "model/scale_values.h"

#include <atomic>
#include <cmath>
#include <memory>

#include "model/number_rules.h"
#include "model/scale_input.h"
#include "model/vernier_spacing.h"

namespace mensora {

namespace {

std::atomic<std::size_t> readings { 0 };

// A box's number in single precision, then times the factor, rounded back to single.
Result<float> singleTimes(double number, ScaleInput input, Shape shape, double factor)
{
    const auto value = singleOrNone(number);
    if (!value)
        return tooLargeRefusal(input, shape);
    if (factor == 1.0)
        return *value;
    if (const auto single = singleOrNone(static_cast<double>(*value) * factor))
        return *single;
    return tooLargeRefusal(input, shape);
}

Result<double> doubleTimes(double number, ScaleInput input, Shape shape, double factor)
{
    const double product = number * factor;
    if (!std::isfinite(number) || !std::isfinite(product))
        return Refusal { input, inputCaption(input, shape) + " is too large." };
    return product;
}

// A dial whose total is a whole number of turns, when the user asked for no double mark.
bool cutsNoDoubleMark(const ScaleParameters& p, float total)
{
    return p.marks.noDoubleMark && p.shape == Shape::Round && total != 0.0f
        && std::fmod(total, 360.0f) == 0.0f;
}

// A vernier's stripes: one more than its divisions, the package over them ending on the last
// as "End on the total" does. Its total is the main divisions it spans.
Result<ScaleValues> vernierStripes(
    const ScaleParameters& p, const BoxNumbers& n, double alongFactor, ScaleValues v)
{
    const Vernier& vernier = p.vernier;
    if (vernier.divisions > maxVernierDivisions || vernier.mainDivisions < 1)
        return Refusal { ScaleInput::Distance,
            "A vernier must have 1 to " + std::to_string(maxVernierDivisions)
                + " divisions over at least 1 main division." };
    const auto step = singleTimes(n.distance, ScaleInput::Distance, p.shape, alongFactor);
    if (!step)
        return step.refusal();
    if (*step == 0.0f)
        return Refusal { ScaleInput::Distance, "Distance between stripes must not be 0." };
    const double division = n.distance * alongFactor;
    const auto total
        = singleTimes(division * vernier.mainDivisions, ScaleInput::Distance, p.shape, 1.0);
    if (!total)
        return total.refusal();
    auto sequence
        = expandStripePatternToTotal(p.package, static_cast<StripeCount>(vernierSpan(vernier)));
    if (!sequence)
        return sequence.refusal();
    v.total = *total;
    v.graduation
        = { std::move(*sequence), std::make_shared<const VernierSpacing>(vernier, division) };
    return v;
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

    if (p.vernier.active()) {
        auto vernier = vernierStripes(p, n, alongFactor, std::move(v));
        if (!vernier)
            return vernier.refusal();
        v = std::move(*vernier);
    } else {
        const auto total = singleTimes(n.length, ScaleInput::Length, shape, alongFactor);
        if (!total)
            return total.refusal();
        const auto step = singleTimes(n.distance, ScaleInput::Distance, shape, alongFactor);
        if (!step)
            return step.refusal();
        auto sequence = stripeSequenceFor(*total, *step, p.package, p.marks.endOnTotal);
        if (!sequence)
            return sequence.refusal();
        if (cutsNoDoubleMark(p, *total))
            sequence.value().resize(stripesBeforeFullTurn(n.distance, sequence.value().size()));
        v.total = *total;
        v.graduation = linearGraduation(std::move(*sequence), *step, n.distance * alongFactor);
    }
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
