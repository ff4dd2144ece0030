#include "model/even_spacing.h"

#include <cmath>
#include <memory>

#include "model/number_rules.h"
#include "model/scale_input.h"
#include "model/vernier_spacing.h"

namespace mensora {

namespace {

// A dial whose total is a whole number of turns, when the user asked for no double mark.
bool cutsNoDoubleMark(const ScaleParameters& p, float total)
{
    return p.marks.noDoubleMark && p.shape == Shape::Round && total != 0.0f
        && std::fmod(total, 360.0f) == 0.0f;
}

} // namespace

Result<SpacedStripes> evenStripes(const SpacingRequest& request)
{
    const ScaleParameters& p = request.parameters;
    const BoxNumbers& n = request.boxes;
    const auto total = singleTimes(n.length, ScaleInput::Length, p.shape, request.alongFactor);
    if (!total)
        return total.refusal();
    const auto step = singleTimes(n.distance, ScaleInput::Distance, p.shape, request.alongFactor);
    if (!step)
        return step.refusal();
    auto sequence = stripeSequenceFor(*total, *step, p.package, p.marks.endOnTotal);
    if (!sequence)
        return sequence.refusal();
    if (cutsNoDoubleMark(p, *total))
        sequence.value().resize(stripesBeforeFullTurn(n.distance, sequence.value().size()));
    return SpacedStripes { *total,
        linearGraduation(std::move(*sequence), *step, n.distance * request.alongFactor) };
}

Result<SpacedStripes> vernierStripes(const SpacingRequest& request)
{
    const ScaleParameters& p = request.parameters;
    const Vernier& vernier = p.vernier;
    if (vernier.divisions > maxVernierDivisions || vernier.mainDivisions < 1)
        return Refusal { ScaleInput::Distance,
            "A vernier must have 1 to " + std::to_string(maxVernierDivisions)
                + " divisions over at least 1 main division." };
    const double distance = request.boxes.distance;
    const auto step = singleTimes(distance, ScaleInput::Distance, p.shape, request.alongFactor);
    if (!step)
        return step.refusal();
    if (*step == 0.0f)
        return Refusal { ScaleInput::Distance, "Distance between stripes must not be 0." };
    const double division = distance * request.alongFactor;
    const auto total
        = singleTimes(division * vernier.mainDivisions, ScaleInput::Distance, p.shape, 1.0);
    if (!total)
        return total.refusal();
    auto sequence
        = expandStripePatternToTotal(p.package, static_cast<StripeCount>(vernierSpan(vernier)));
    if (!sequence)
        return sequence.refusal();
    return SpacedStripes { *total,
        { std::move(*sequence), std::make_shared<const VernierSpacing>(vernier, division) } };
}

} // namespace mensora
