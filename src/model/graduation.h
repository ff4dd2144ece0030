#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/precision.h"
#include "model/stripe_pattern.h"

namespace mensora {

// The law by which a scale's stripes are spaced: how many stripes it makes, what each stands
// for and where it stands, from the first stripe on, in the scale's own numbers (a length, or
// degrees on a dial). Every row of the spacing table (spacing_table.h) is one such class.
class SpacingRule
{
public:
    virtual ~SpacingRule() = default;

    // How many stripes the law makes.
    virtual StripeIndex count() const = 0;

    // Where stripe i stands from the first, in the precision the caller computes in: a file's
    // stripes in double, the picture's in single.
    virtual double position(StripeIndex i, Precision precision) const = 0;

    // What stripe i stands for: a length or angle from the first stripe on an evenly divided
    // scale, the value itself on a scale of values.
    virtual double value(StripeIndex i) const = 0;

    // What the scale reads from stripe `from` to stripe `to`: the numbers count by it.
    virtual double valueBetween(StripeIndex from, StripeIndex to) const
    {
        return value(to) - value(from);
    }

    // Whether stripe i's value is what it reads, whatever the numbers' first and step say: a
    // scale of values is numbered by its values.
    virtual bool readsValues() const { return false; }

    // Whether the stripes advance the positive way (counter-clockwise on a dial).
    virtual bool advancesPositively() const { return valueBetween(0, 1) > 0; }

    // Where a value between the stripes stands by the law, on a scale of values whose range
    // holds it; nothing on any other.
    virtual std::optional<double> placeOf(double) const { return std::nullopt; }
};

// Evenly spaced stripes, i × step apart: the step in single precision places the picture's
// stripes, in double precision a file's. `count` stripes, as the package made them.
class LinearSpacing final : public SpacingRule
{
public:
    LinearSpacing(StripeIndex count, float step, double wideStep)
        : m_count(count)
        , m_step(step)
        , m_wideStep(wideStep)
    { }

    StripeIndex count() const override { return m_count; }
    double position(StripeIndex i, Precision precision) const override
    {
        if (precision == Precision::Single)
            return static_cast<double>(static_cast<float>(i) * m_step);
        return i * m_wideStep;
    }
    double value(StripeIndex i) const override { return i * m_wideStep; }
    double valueBetween(StripeIndex from, StripeIndex to) const override
    {
        return (to - from) * m_wideStep;
    }

private:
    StripeIndex m_count;
    float m_step;
    double m_wideStep;
};

// Another rule's stripes turned the other way round a dial: every place negated, the values
// as they were, so that a dial runs clockwise without negative boxes.
class ClockwiseSpacing final : public SpacingRule
{
public:
    explicit ClockwiseSpacing(std::shared_ptr<const SpacingRule> turned)
        : m_turned(std::move(turned))
    { }

    StripeIndex count() const override { return m_turned->count(); }
    double position(StripeIndex i, Precision precision) const override
    {
        return -m_turned->position(i, precision);
    }
    double value(StripeIndex i) const override { return m_turned->value(i); }
    double valueBetween(StripeIndex from, StripeIndex to) const override
    {
        return m_turned->valueBetween(from, to);
    }
    bool readsValues() const override { return m_turned->readsValues(); }
    bool advancesPositively() const override { return !m_turned->advancesPositively(); }

private:
    std::shared_ptr<const SpacingRule> m_turned;
};

// The stripes of a scale, computed once from its checked values: one kind digit per stripe
// ("1" to "6"), and where each stands by the scale's spacing rule, which made as many.
class Graduation
{
public:
    Graduation() = default;
    Graduation(std::string sequence, std::shared_ptr<const SpacingRule> spacing)
        : m_sequence(std::make_shared<const std::string>(std::move(sequence)))
        , m_spacing(std::move(spacing))
    { }

    StripeIndex count() const { return m_spacing->count(); }
    bool empty() const { return count() == 0; }
    // The kinds of all stripes, first stripe first: what the window keeps in its sequence box.
    const std::string& sequence() const { return *m_sequence; }
    char kind(StripeIndex i) const { return stripeKindAt(*m_sequence, i); }

    // Where stripe i stands from the first, in that precision.
    double position(StripeIndex i, Precision precision = Precision::Double) const
    {
        return m_spacing->position(i, precision);
    }
    double value(StripeIndex i) const { return m_spacing->value(i); }
    double valueBetween(StripeIndex from, StripeIndex to) const
    {
        return m_spacing->valueBetween(from, to);
    }
    bool readsValues() const { return m_spacing->readsValues(); }
    bool advancesPositively() const { return m_spacing->advancesPositively(); }
    const SpacingRule& spacing() const { return *m_spacing; }

    // The same stripes turned clockwise round a dial (see ClockwiseSpacing).
    Graduation turnedClockwise() const
    {
        Graduation turned = *this;
        turned.m_spacing = std::make_shared<const ClockwiseSpacing>(m_spacing);
        return turned;
    }

private:
    // Shared: a graduation is handed to the layouts, the numbers and the preview by copy.
    std::shared_ptr<const std::string> m_sequence = std::make_shared<const std::string>();
    std::shared_ptr<const SpacingRule> m_spacing = std::make_shared<const LinearSpacing>(0, 0, 0);
};

// The graduation of evenly spaced stripes, one per kind of the sequence.
inline Graduation linearGraduation(std::string sequence, float step, double wideStep)
{
    const auto count = static_cast<StripeIndex>(sequence.size());
    return { std::move(sequence), std::make_shared<const LinearSpacing>(count, step, wideStep) };
}

} // namespace mensora
