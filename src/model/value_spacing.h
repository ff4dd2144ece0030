#pragma once

#include <string_view>
#include <vector>

#include "model/spacing_table.h"
#include "model/value_laws.h"

namespace mensora {

// The stripes of a scale of values: each stands for a value and stands where the law puts it,
// length × (f(v) − f(from)) / (f(to) − f(from)) from the start, or with Reverse
// length × (f(to) − f(v)) / (f(to) − f(from)), so that the values run from the far end. The
// places are worked out once, in double precision; the picture takes them in single.
class ValueSpacing final : public SpacingRule
{
public:
    ValueSpacing(SharedLaw law, double from, double to, double length, bool reverse,
        std::vector<double> values);

    StripeIndex count() const override { return static_cast<StripeIndex>(m_values.size()); }
    double position(StripeIndex i, Precision precision) const override;
    double value(StripeIndex i) const override { return m_values[static_cast<std::size_t>(i)]; }
    bool readsValues() const override { return true; }
    bool advancesPositively() const override { return m_advancesPositively; }

    // Where a value stands, by the law.
    double placeOfValue(double value) const;
    std::optional<double> placeOf(double value) const override;

private:
    SharedLaw m_law;
    double m_from;
    double m_to;
    double m_lawFrom;
    double m_lawSpan;
    double m_length;
    bool m_reverse;
    bool m_advancesPositively;
    std::vector<double> m_values;
    std::vector<double> m_places;
};

// The stripes of a scale of values by the law `makeLaw` makes (see ValueLaw); `described`
// names the law in refusals ("Logarithmic spacing"). Refused, naming the setting or box, for
// a value range that does not rise, a law refused or not finite and strictly monotonic
// across the range, a Length of 0, and stripes the segments do not give.
Result<SpacedStripes> valueStripes(const SpacingRequest& request,
    Result<SharedLaw> (*makeLaw)(const SpacingSettings&), const std::string& described,
    SpacingSetting lawSetting);

} // namespace mensora
