#pragma once

#include <vector>

#include "model/graduation.h"
#include "model/label_settings.h"
#include "model/number_settings.h"
#include "model/result.h"

namespace mensora {

// Whether two values are one: within 1E-9 of each other, relative to their size.
bool sameValue(double a, double b);

// What every stripe reads. On a scale of values its value; on an evenly divided scale what it
// would read numbered: the numbers' first plus its distance from the first stripe of their
// kind (with Reverse, from their last one), counted in the numbers' steps when a step is set.
std::vector<double> stripeValues(
    const Graduation& graduation, const NumberSettings& numbers, bool reverse);

// Stripes placed once, with the values they read: a graduation with marks of listed labels.
class ListedSpacing final : public SpacingRule
{
public:
    ListedSpacing(std::vector<double> places, std::vector<float> singlePlaces,
        std::vector<double> values, bool advancesPositively)
        : m_places(std::move(places))
        , m_singlePlaces(std::move(singlePlaces))
        , m_values(std::move(values))
        , m_advancesPositively(advancesPositively)
    { }

    StripeIndex count() const override { return static_cast<StripeIndex>(m_values.size()); }
    double position(StripeIndex i, Precision precision) const override
    {
        const auto at = static_cast<std::size_t>(i);
        if (precision == Precision::Single)
            return static_cast<double>(m_singlePlaces[at]);
        return m_places[at];
    }
    double value(StripeIndex i) const override { return m_values[static_cast<std::size_t>(i)]; }
    bool readsValues() const override { return true; }
    bool advancesPositively() const override { return m_advancesPositively; }

private:
    std::vector<double> m_places;
    std::vector<float> m_singlePlaces;
    std::vector<double> m_values;
    bool m_advancesPositively;
};

// The graduation of a scale whose numbered stripes show a label list: every stripe reads its
// value (see stripeValues), and a listed value no stripe reads gets a mark of the numbers'
// kind of its own, where the law puts it on a scale of values, else where it falls between
// the two stripes whose values it lies between. Refused, naming the list, for more than
// maxSpacingEntries labels, a value that is not finite or lies beyond the scale's values, an
// empty text or one of more than maxLabelLength characters, a value listed twice, and more
// than 32767 stripes in all.
Result<Graduation> listedGraduation(
    const Graduation& graduation, const NumberSettings& numbers, const LabelSettings& labels);

} // namespace mensora
