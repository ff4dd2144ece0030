#include "model/value_spacing.h"

#include <cmath>
#include <memory>

#include "model/number_rules.h"
#include "model/scale_input.h"
#include "model/value_segments.h"

namespace mensora {

ValueSpacing::ValueSpacing(
    SharedLaw law, double from, double to, double length, bool reverse, std::vector<double> values)
    : m_law(std::move(law))
    , m_from(from)
    , m_to(to)
    , m_lawFrom(m_law->at(from))
    , m_lawSpan(m_law->at(to) - m_lawFrom)
    , m_length(length)
    , m_reverse(reverse)
    , m_advancesPositively((length > 0) != reverse)
    , m_values(std::move(values))
{
    m_places.reserve(m_values.size());
    for (const double value : m_values)
        m_places.push_back(placeOfValue(value));
}

double ValueSpacing::position(StripeIndex i, Precision precision) const
{
    const double place = m_places[static_cast<std::size_t>(i)];
    if (precision == Precision::Single)
        return static_cast<double>(static_cast<float>(place));
    return place;
}

// The share of the span first, so that the range's ends stand at 0 and the length exactly.
std::optional<double> ValueSpacing::placeOf(double value) const
{
    if (!(value >= m_from && value <= m_to))
        return std::nullopt;
    return placeOfValue(value);
}

double ValueSpacing::placeOfValue(double value) const
{
    const double share = (m_law->at(value) - m_lawFrom) / m_lawSpan;
    return m_length * (m_reverse ? 1 - share : share);
}

Result<SpacedStripes> valueStripes(const SpacingRequest& request,
    Result<SharedLaw> (*makeLaw)(const SpacingSettings&), const std::string& described,
    SpacingSetting lawSetting)
{
    const ScaleParameters& p = request.parameters;
    const SpacingSettings& s = p.spacing;
    if (auto refusal = rangeRefusal(s))
        return *refusal;
    auto law = makeLaw(s);
    if (!law)
        return law.refusal();
    if (auto refusal = lawRefusal(**law, s.from, s.to, described, lawSetting))
        return *refusal;
    const auto total
        = singleTimes(request.boxes.length, ScaleInput::Length, p.shape, request.alongFactor);
    if (!total)
        return total.refusal();
    if (*total == 0.0f)
        return Refusal { ScaleInput::Length,
            inputCaption(ScaleInput::Length, p.shape) + " must not be 0 on a scale of values." };
    if (s.minGap && !(std::isfinite(*s.minGap) && *s.minGap >= 0))
        return Refusal { SpacingSetting::MinGap,
            spacingSettingCaption(SpacingSetting::MinGap)
                + " must be a finite number, 0 or more." };
    auto stripes = segmentedValues(p, request.boxes.distance, request.boxes.stripeLengths);
    if (!stripes)
        return stripes.refusal();
    const double length = request.boxes.length * request.alongFactor;
    auto spacing = std::make_shared<const ValueSpacing>(
        *law, s.from, s.to, length, p.labels.reverse, std::move(stripes.value().values));
    return SpacedStripes { *total, { std::move(stripes.value().kinds), std::move(spacing) } };
}

} // namespace mensora
