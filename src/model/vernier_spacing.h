#pragma once

#include "model/graduation.h"
#include "model/scale_parameters.h"

namespace mensora {

// How many divisions a vernier's stripes span: n, or 2n on both sides of zero. It has one
// stripe more.
inline int vernierSpan(const Vernier& vernier)
{
    return vernier.bothSides ? 2 * vernier.divisions : vernier.divisions;
}

// A vernier's stripes: stripe k at k × m × d / n from the main scale's zero, for n divisions
// over m divisions d of the main scale, worked out from the ratio for every stripe. A rounded
// step (23/12 of a degree has no exact decimal) would drift by k times its rounding. On both
// sides of zero the first stripe is at −m × d, the middle one at zero. The vernier reads d / n
// per division: the numbers count by that. It has one stripe more than the divisions it spans.
class VernierSpacing final : public SpacingRule
{
public:
    VernierSpacing(const Vernier& vernier, double mainDivision)
        : m_vernier(vernier)
        , m_mainDivision(mainDivision)
    { }

    StripeIndex count() const override
    {
        return static_cast<StripeIndex>(vernierSpan(m_vernier) + 1);
    }
    double position(StripeIndex i, Precision precision) const override
    {
        const double k = static_cast<double>(i) - (m_vernier.bothSides ? m_vernier.divisions : 0);
        const double exact = k * m_vernier.mainDivisions * m_mainDivision / m_vernier.divisions;
        if (precision == Precision::Single)
            return static_cast<double>(static_cast<float>(exact));
        return exact;
    }
    double value(StripeIndex i) const override { return valueBetween(0, i); }
    double valueBetween(StripeIndex from, StripeIndex to) const override
    {
        return (to - from) * m_mainDivision / m_vernier.divisions;
    }

private:
    Vernier m_vernier;
    double m_mainDivision;
};

} // namespace mensora
