#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "model/precision.h"
#include "model/stripe_pattern.h"

namespace mensora {

// The law by which a scale's stripes are spaced: what each stripe stands for and where it
// stands, from the first stripe on, in the scale's own numbers (a length, or degrees on a
// dial).
class SpacingRule
{
public:
    virtual ~SpacingRule() = default;

    // Where stripe i stands from the first, in the precision the caller computes in: a file's
    // stripes in double, the picture's in single.
    virtual double position(StripeIndex i, Precision precision) const = 0;

    // What the scale reads from stripe `from` to stripe `to`: the numbers count by it.
    virtual double valueBetween(StripeIndex from, StripeIndex to) const = 0;
};

// Evenly spaced stripes, i × step apart: the step in single precision places the picture's
// stripes, in double precision a file's.
class LinearSpacing final : public SpacingRule
{
public:
    LinearSpacing(float step, double wideStep)
        : m_step(step)
        , m_wideStep(wideStep)
    { }

    double position(StripeIndex i, Precision precision) const override
    {
        if (precision == Precision::Single)
            return static_cast<double>(static_cast<float>(i) * m_step);
        return i * m_wideStep;
    }
    double valueBetween(StripeIndex from, StripeIndex to) const override
    {
        return (to - from) * m_wideStep;
    }

private:
    float m_step;
    double m_wideStep;
};

// The stripes of a scale, computed once from its checked values: one kind digit per stripe
// ("1" to "6"), and where each stands by the scale's spacing rule.
class Graduation
{
public:
    Graduation() = default;
    Graduation(std::string sequence, std::shared_ptr<const SpacingRule> spacing)
        : m_sequence(std::make_shared<const std::string>(std::move(sequence)))
        , m_spacing(std::move(spacing))
    { }

    StripeIndex count() const { return static_cast<StripeIndex>(m_sequence->size()); }
    bool empty() const { return m_sequence->empty(); }
    // The kinds of all stripes, first stripe first: what the window keeps in its sequence box.
    const std::string& sequence() const { return *m_sequence; }
    char kind(StripeIndex i) const { return stripeKindAt(*m_sequence, i); }

    // Where stripe i stands from the first, in that precision.
    double position(StripeIndex i, Precision precision = Precision::Double) const
    {
        return m_spacing->position(i, precision);
    }
    double valueBetween(StripeIndex from, StripeIndex to) const
    {
        return m_spacing->valueBetween(from, to);
    }

private:
    // Shared: a graduation is handed to the layouts, the numbers and the preview by copy.
    std::shared_ptr<const std::string> m_sequence = std::make_shared<const std::string>();
    std::shared_ptr<const SpacingRule> m_spacing = std::make_shared<const LinearSpacing>(0, 0);
};

// The graduation of evenly spaced stripes.
inline Graduation linearGraduation(std::string sequence, float step, double wideStep)
{
    return { std::move(sequence), std::make_shared<const LinearSpacing>(step, wideStep) };
}

} // namespace mensora
