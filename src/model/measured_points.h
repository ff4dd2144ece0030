#pragma once

#include <vector>

#include "model/value_laws.h"

namespace mensora {

// Measured value → position pairs joined by a monotone cubic (Fritsch–Carlson): a cubic
// Hermite piece between each two points, its end slopes cut back where they would make it
// overshoot, so that the curve passes exactly through every point and never turns back.
// The points' values rise strictly and their positions rise or fall strictly.
class MeasuredPointsLaw final : public ValueLaw
{
public:
    explicit MeasuredPointsLaw(std::vector<MeasuredPoint> points);
    double at(double value) const override;

private:
    std::vector<MeasuredPoint> m_points;
    std::vector<double> m_slopes; // of the curve at each point
};

// The law of a scale's measured points. Refused, naming them, for fewer than two, a value or
// position that is not finite, a value that does not rise above the one before (naming the
// point), positions that turn back or repeat, and a value range beyond the points.
Result<SharedLaw> measuredPointsLaw(const SpacingSettings& settings);

} // namespace mensora
