#include "model/spacing_table.h"

#include <array>

#include "model/even_spacing.h"
#include "model/expression_law.h"
#include "model/measured_points.h"
#include "model/number_text.h"
#include "model/value_spacing.h"

namespace mensora {

namespace {

constexpr LawInputs evenInputs { .distance = true, .package = true, .marks = true };
constexpr LawInputs vernierInputs { .distance = true, .package = true };
// The Distance box and the package step the values when no segment is given.
constexpr LawInputs valueInputs { .distance = true, .package = true, .values = true };
constexpr LawInputs powerInputs {
    .distance = true, .package = true, .values = true, .exponent = true
};
constexpr LawInputs formulaInputs {
    .distance = true, .package = true, .values = true, .formula = true
};
constexpr LawInputs pointsInputs {
    .distance = true, .package = true, .values = true, .points = true
};

Result<SpacedStripes> logarithmicStripes(const SpacingRequest& r)
{
    return valueStripes(r, logarithmicLaw, "Logarithmic spacing", SpacingSetting::Values);
}

Result<SpacedStripes> powerStripes(const SpacingRequest& r)
{
    const std::string law = "Power spacing v^" + valueText(r.parameters.spacing.exponent);
    return valueStripes(r, powerLaw, law, SpacingSetting::Exponent);
}

Result<SpacedStripes> reciprocalStripes(const SpacingRequest& r)
{
    return valueStripes(r, reciprocalLaw, "Reciprocal spacing", SpacingSetting::Values);
}

Result<SpacedStripes> decibelStripes(const SpacingRequest& r)
{
    return valueStripes(r, decibelLaw, "Decibel spacing", SpacingSetting::Values);
}

Result<SpacedStripes> decibelPowerStripes(const SpacingRequest& r)
{
    return valueStripes(r, decibelPowerLaw, "Decibel spacing of a power", SpacingSetting::Values);
}

Result<SpacedStripes> pointsStripes(const SpacingRequest& r)
{
    return valueStripes(
        r, measuredPointsLaw, "The curve through the measured points", SpacingSetting::Points);
}

Result<SpacedStripes> expressionStripes(const SpacingRequest& r)
{
    const std::string law = "The formula \"" + r.parameters.spacing.formula + "\"";
    return valueStripes(r, expressionLaw, law, SpacingSetting::Formula);
}

// clang-format off
constexpr std::array<SpacingRow, 9> rows = { {
    { SpacingLaw::Even, "Even", "stripe i at i × the distance", evenInputs, evenStripes },
    { SpacingLaw::Logarithmic, "Logarithmic", "f(v) = log10 v", valueInputs,
      logarithmicStripes },
    { SpacingLaw::Power, "Power", "f(v) = v^p", powerInputs, powerStripes },
    { SpacingLaw::Reciprocal, "Reciprocal", "f(v) = 1 / v", valueInputs, reciprocalStripes },
    { SpacingLaw::Decibel, "Decibels", "f(v) = 10^(v / 20)", valueInputs, decibelStripes },
    { SpacingLaw::DecibelPower, "Decibels of a power", "f(v) = 10^(v / 10)", valueInputs,
      decibelPowerStripes },
    { SpacingLaw::Points, "Measured points", "a monotone cubic through the measured points",
      pointsInputs, pointsStripes },
    { SpacingLaw::Expression, "Formula", "f(v) as typed", formulaInputs, expressionStripes },
    { std::nullopt, "Vernier", "stripe k at k × m × the distance / n, for n divisions over m",
      vernierInputs, vernierStripes },
} };
// clang-format on

} // namespace

std::span<const SpacingRow> spacingTable()
{
    return rows;
}

const SpacingRow& spacingRow(SpacingLaw law)
{
    for (const SpacingRow& row : rows)
        if (row.law == law)
            return row;
    return rows.front();
}

const SpacingRow& spacingRowOf(const ScaleParameters& parameters)
{
    if (parameters.vernier.active())
        return rows.back();
    return spacingRow(parameters.spacing.law);
}

} // namespace mensora
