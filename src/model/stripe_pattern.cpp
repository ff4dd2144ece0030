#include "model/stripe_pattern.h"

#include <cmath>

#include "model/character_text.h"
#include "model/number_rules.h"
#include "model/scale_parameters.h"

namespace mensora {

namespace {

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Refusal tooManyStripes()
{
    return { ScaleInput::Distance,
        "Length, Distance between stripes and the package give more than 32767 stripes." };
}

Result<std::string> checkedKinds(std::string sequence)
{
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (sequence[i] < '1' || sequence[i] > '6')
            return Refusal { ScaleInput::Package,
                "The package (How is 1 pakage) may hold only the digits 1 to 6, not "
                    + describeCharacter(sequence, i) + "." };
    }
    return sequence;
}

} // namespace

Result<StripeCount> stripeCountFor(float total, float step)
{
    if (step == 0.0f)
        return Refusal { ScaleInput::Distance, "Distance between stripes must not be 0." };
    const double count = roundHalfEven(static_cast<double>(total) / static_cast<double>(step));
    if (count < 0)
        return Refusal { ScaleInput::Length,
            "Length and Distance between stripes must have the same sign." };
    if (!(count <= maxStripes))
        return tooManyStripes();
    return static_cast<StripeCount>(count);
}

Result<std::string> expandStripePattern(std::string_view pattern, StripeCount count)
{
    if (pattern.empty())
        return Refusal { ScaleInput::Package, "The package (How is 1 pakage) must not be empty." };
    if (count < 0)
        return Refusal { ScaleInput::Length,
            "Length and Distance between stripes must have the same sign." };

    const auto length = static_cast<long long>(pattern.size());
    const long long tail = count % length + 1;
    const double packages
        = roundHalfEven(static_cast<double>(count - tail) / static_cast<double>(length));
    const long long packageCount = packages > 0 ? static_cast<long long>(packages) : 0;
    const std::string_view package = trimSpaces(pattern);

    // Measure before building, so a long package cannot make a huge text. Trimming the
    // result can take away at most the characters of the tail.
    const long long built = packageCount * static_cast<long long>(package.size()) + tail;
    if (built > maxStripes + length)
        return tooManyStripes();

    std::string sequence;
    for (long long p = 0; p < packageCount; ++p)
        sequence += package;
    sequence += pattern.substr(0, static_cast<std::size_t>(tail));
    sequence = std::string(trimSpaces(sequence));

    if (sequence.size() > maxStripes)
        return tooManyStripes();
    return checkedKinds(std::move(sequence));
}

Result<std::string> expandStripePatternToTotal(std::string_view pattern, StripeCount count)
{
    const std::string_view package = trimSpaces(pattern);
    if (package.empty())
        return Refusal { ScaleInput::Package, "The package (How is 1 pakage) must not be empty." };
    if (count < 0)
        return Refusal { ScaleInput::Length,
            "Length and Distance between stripes must have the same sign." };
    if (count >= maxStripes)
        return tooManyStripes();
    std::string sequence(static_cast<std::size_t>(count) + 1, ' ');
    for (std::size_t i = 0; i < sequence.size(); ++i)
        sequence[i] = package[i % package.size()];
    return checkedKinds(std::move(sequence));
}

std::size_t stripesBeforeFullTurn(double step, std::size_t stripes)
{
    for (std::size_t i = 1; i < stripes; ++i) {
        const double angle = static_cast<double>(i) * step;
        const double offTurn = std::fabs(std::remainder(angle, 360.0));
        if (std::fabs(angle) > 180 && offTurn < sameAngleTolerance)
            return i;
    }
    return stripes;
}

Result<std::string> stripeSequenceFor(
    float total, float step, std::string_view pattern, bool endOnTotal)
{
    const auto count = stripeCountFor(total, step);
    if (!count)
        return count.refusal();
    if (endOnTotal)
        return expandStripePatternToTotal(pattern, *count);
    return expandStripePattern(pattern, *count);
}

char stripeKindAt(std::string_view sequence, StripeIndex i)
{
    return sequence[static_cast<std::size_t>(i)];
}

std::optional<float> stripeLengthFor(char kind, const StripeLengths& lengths)
{
    if (kind < '1' || kind > '6')
        return std::nullopt;
    return lengths[static_cast<std::size_t>(kind - '1')];
}

Result<StripeLengths> stripeLengthsOf(
    const std::array<double, 6>& numbers, std::string_view sequence, Shape shape, double factor)
{
    StripeLengths lengths {};
    for (int kind = 1; kind <= 6; ++kind) {
        if (sequence.find(static_cast<char>('0' + kind)) == std::string_view::npos)
            continue;
        const double value = numbers[static_cast<std::size_t>(kind - 1)] * factor;
        const auto single = singleOrNone(value);
        if (!single)
            return tooLargeRefusal(stripeLengthInput(kind), shape);
        lengths[static_cast<std::size_t>(kind - 1)] = *single;
    }
    return lengths;
}

Result<StripeLengths> readStripeLengths(
    const ScaleParameters& parameters, std::string_view sequence, double factor)
{
    std::array<double, 6> numbers {};
    for (int kind = 1; kind <= 6; ++kind)
        numbers[static_cast<std::size_t>(kind - 1)]
            = numericPrefixValue(parameters.stripeLengthText(kind));
    return stripeLengthsOf(numbers, sequence, parameters.shape, factor);
}

} // namespace mensora
