#include "model/measured_points.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace mensora {

namespace {

Refusal pointsRefusal(std::string reason)
{
    return { SpacingSetting::Points,
        spacingSettingCaption(SpacingSetting::Points) + ": " + std::move(reason) };
}

std::string pointText(std::size_t index, const MeasuredPoint& point)
{
    return "point " + std::to_string(index + 1) + " (" + valueText(point.value) + " at "
        + valueText(point.position) + ")";
}

std::optional<Refusal> tableRefusal(const std::vector<MeasuredPoint>& points)
{
    if (points.size() < 2)
        return pointsRefusal("at least two points are needed.");
    if (points.size() > maxSpacingEntries)
        return pointsRefusal("at most " + std::to_string(maxSpacingEntries) + " points are kept.");
    int sense = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const MeasuredPoint& p = points[i];
        if (!std::isfinite(p.value) || !std::isfinite(p.position))
            return pointsRefusal(pointText(i, p) + " is not a pair of finite numbers.");
        if (i == 0)
            continue;
        const MeasuredPoint& before = points[i - 1];
        if (p.value == before.value)
            return pointsRefusal(pointText(i, p) + " repeats the value before it.");
        if (p.value < before.value)
            return pointsRefusal(pointText(i, p) + " turns back: the values must rise.");
        const int step = p.position > before.position ? 1 : p.position < before.position ? -1 : 0;
        if (i == 1)
            sense = step;
        if (step == 0)
            return pointsRefusal(pointText(i, p) + " repeats the position before it.");
        if (step != sense)
            return pointsRefusal(pointText(i, p) + " turns back: the positions must run one way.");
    }
    return std::nullopt;
}

} // namespace

// The slopes: the secants' mean inside, each end's secant at the ends, then each piece's two
// slopes scaled back into the circle of radius 3 around its secant, where the cubic is
// monotone.
MeasuredPointsLaw::MeasuredPointsLaw(std::vector<MeasuredPoint> points)
    : m_points(std::move(points))
    , m_slopes(m_points.size())
{
    const std::size_t n = m_points.size();
    std::vector<double> secants(n - 1);
    for (std::size_t k = 0; k + 1 < n; ++k)
        secants[k] = (m_points[k + 1].position - m_points[k].position)
            / (m_points[k + 1].value - m_points[k].value);
    m_slopes.front() = secants.front();
    m_slopes.back() = secants.back();
    for (std::size_t k = 1; k + 1 < n; ++k)
        m_slopes[k] = (secants[k - 1] + secants[k]) / 2;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double alpha = m_slopes[k] / secants[k];
        const double beta = m_slopes[k + 1] / secants[k];
        const double radius = std::hypot(alpha, beta);
        if (radius > 3) {
            const double tau = 3 / radius;
            m_slopes[k] = tau * alpha * secants[k];
            m_slopes[k + 1] = tau * beta * secants[k];
        }
    }
}

// The cubic Hermite piece of the two points around the value: at either point it gives that
// point's position exactly.
double MeasuredPointsLaw::at(double value) const
{
    const auto after = std::upper_bound(m_points.begin() + 1, m_points.end() - 1, value,
        [](double v, const MeasuredPoint& p) { return v < p.value; });
    const auto k = static_cast<std::size_t>(after - m_points.begin()) - 1;
    const MeasuredPoint& a = m_points[k];
    const MeasuredPoint& b = m_points[k + 1];
    const double h = b.value - a.value;
    const double t = (value - a.value) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * a.position + (t3 - 2 * t2 + t) * h * m_slopes[k]
        + (-2 * t3 + 3 * t2) * b.position + (t3 - t2) * h * m_slopes[k + 1];
}

Result<SharedLaw> measuredPointsLaw(const SpacingSettings& s)
{
    if (auto refusal = tableRefusal(s.points))
        return *refusal;
    const double first = s.points.front().value;
    const double last = s.points.back().value;
    if (s.from < first || s.to > last)
        return Refusal { SpacingSetting::Values,
            spacingSettingCaption(SpacingSetting::Values) + " " + valueText(s.from) + " to "
                + valueText(s.to) + " reach beyond the measured points, which run from "
                + valueText(first) + " to " + valueText(last) + "." };
    return SharedLaw(std::make_shared<const MeasuredPointsLaw>(s.points));
}

} // namespace mensora
