#include "model/added_scales.h"

#include <cmath>
#include <cstdlib>

#include "model/number_rules.h"
#include "model/number_text.h"
#include "model/unit_conversion.h"

namespace mensora {

namespace {

// A box's text for a value: at most six decimals, trailing zeros left out.
std::string boxText(double value)
{
    std::string text = numberText(value, 6);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// The other side of the main scale's baseline edge. A main scale across its baseline leaves
// the vernier beside its lower half: it moves down (or in) by half the longest stripe.
void standOpposite(const ScaleParameters& main, ScaleParameters& added)
{
    added.baseline = Baseline::None;
    switch (main.stripePosition) {
    case StripePosition::Above:
        added.stripePosition = StripePosition::Under;
        return;
    case StripePosition::Under:
        added.stripePosition = StripePosition::Above;
        return;
    case StripePosition::Midway:
        break;
    }
    added.stripePosition = StripePosition::Under;
    const double half = numericPrefixValue(main.stripeLengthText(1)) / 2;
    std::string& edge = main.shape == Shape::Round ? added.radius : added.startY;
    edge = boxText(numericPrefixValue(edge) - half);
}

// The divisor of n nearest the target, the larger of two as near.
int numberSpacing(int divisions)
{
    const int target = divisions > 50 ? 10 : 5;
    int best = 1;
    for (int d = 1; d <= divisions; ++d)
        if (divisions % d == 0 && std::abs(d - target) <= std::abs(best - target))
            best = d;
    return best;
}

// The package of a vernier: every stripe of the scale, a numbered long one (kind 1) every
// `spacing` divisions from zero, short ones (kind 3) between.
std::string vernierPackage(const Vernier& vernier, int spacing)
{
    std::string package;
    const int first = vernier.bothSides ? -vernier.divisions : 0;
    for (int k = first; k <= vernier.divisions; ++k)
        package += std::abs(k) % spacing == 0 ? '1' : '3';
    return package;
}

// What the numbers of a vernier go up by, every `spacing` divisions: the reading there in
// tenths (or hundredths) of the main division, on a dial in minutes.
double vernierNumberStep(const ScaleParameters& main, int divisions, int spacing)
{
    const double perDivision = main.shape == Shape::Round
        ? 60 * numericPrefixValue(main.distance) / divisions
        : 10.0 / divisions;
    const double step = spacing * perDivision;
    if (step == std::round(step) || main.shape == Shape::Round)
        return step;
    return step * 10;
}

} // namespace

Result<JobScale> vernierAgainst(
    const ScaleParameters& main, int divisions, int mainDivisions, bool bothSides)
{
    if (divisions < 1 || divisions > maxVernierDivisions || mainDivisions < 1)
        return Refusal { ScaleInput::Distance,
            "A vernier must have 1 to " + std::to_string(maxVernierDivisions)
                + " divisions over at least 1 main division." };
    JobScale added { main, {} };
    ScaleParameters& v = added.parameters;
    v.vernier = { divisions, mainDivisions, bothSides };
    // Evenly divided, numbered, turning as its main scale turns.
    v.spacing = {};
    v.labels = {};
    v.labels.clockwise = main.labels.clockwise;
    v.length = boxText(numericPrefixValue(main.distance) * mainDivisions);
    v.marks = {};
    standOpposite(main, v);
    const int spacing = numberSpacing(divisions);
    v.package = vernierPackage(v.vernier, spacing);
    v.stripeLengths[0] = main.stripeLengthText(2);
    v.stripeLengths[2] = main.stripeLengthText(3);
    v.widths.stripes[0] = main.widths.ofKind(2);
    v.widths.stripes[2] = main.widths.ofKind(3);
    NumberSettings& numbers = v.numbers;
    numbers = {};
    numbers.kind = 1;
    numbers.step = vernierNumberStep(main, divisions, spacing);
    numbers.first = bothSides ? -*numbers.step * (divisions / spacing) : 0;
    numbers.height = main.numbers.height;
    numbers.gap = main.numbers.gap;
    numbers.font = main.numbers.font;
    numbers.orientation = main.numbers.orientation;
    // A dial's numbers stand outside its stripes: inside the main scale they go inside the
    // vernier's, clear of its long stripes by the gap.
    if (v.shape == Shape::Round && v.stripePosition == StripePosition::Under) {
        const double height = numberHeightOf(main.numbers, main.unit);
        numbers.height = height;
        numbers.gap = -(
            numericPrefixValue(v.stripeLengths[0]) + numberGapOf(main.numbers, main.unit) + height);
    }
    return added;
}

Result<JobScale> otherUnitOf(const ScaleParameters& main)
{
    if (main.shape != Shape::Flat)
        return Refusal { ScaleInput::Length,
            "Another unit goes only beside a flat scale: this one is round." };
    const Unit other = main.unit == Unit::Inch ? Unit::Millimetre : Unit::Inch;
    ScaleParameters placed = main;
    standOpposite(main, placed);
    JobScale added { withLengthsIn(placed, other), {} };
    ScaleParameters& s = added.parameters;
    const ScaleParameters start;
    s.vernier = {};
    s.marks = {};
    s.spacing = {};
    s.labels = {};
    if (other == Unit::Inch) {
        s.distance = "0.0625";
        s.package = "1545354525453545";
        s.stripeLengths = { "0.4", "0.3", "0.25", "0.2", "0.15", "0.1" };
    } else {
        s.distance = "1";
        s.package = start.package;
        s.stripeLengths = start.stripeLengths;
    }
    s.numbers = {};
    s.numbers.kind = 1;
    s.numbers.font = main.numbers.font;
    return added;
}

} // namespace mensora
