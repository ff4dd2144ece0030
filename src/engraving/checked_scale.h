#pragma once

#include <optional>

#include "layout/number_layout.h"
#include "lettering/font_source.h"
#include "model/result.h"
#include "model/scale_parameters.h"
#include "model/scale_values.h"

namespace mensora {

// A scale with its boxes read once and its values checked: what every command of one run
// (a preview and its figures, a save) is made from. It holds the box numbers, the values in
// the unit they were typed in with the graduation, and the numbers set in their font.
class CheckedScale
{
public:
    // Reads the boxes once and checks the values (refused, naming the box; around a drum also
    // a radius that is not above 0), then prepares
    // the numbers (see prepareNumbers). Their refusal is kept, not returned: each command
    // names it after its own checks of the stripes.
    static Result<CheckedScale> check(const ScaleParameters& parameters, const FontSource& fonts);

    const ScaleParameters& parameters() const { return m_parameters; }
    const BoxNumbers& boxes() const { return m_boxes; }
    const ScaleValues& values() const { return m_values; }
    const Graduation& graduation() const { return m_values.graduation; }

    // The numbers, none for a scale without them, or why their settings are refused.
    const Result<std::optional<NumberLayout>>& numbers() const { return m_numbers; }

private:
    CheckedScale(const ScaleParameters& parameters, const BoxNumbers& boxes, ScaleValues values,
        Result<std::optional<NumberLayout>> numbers);

    ScaleParameters m_parameters;
    BoxNumbers m_boxes;
    ScaleValues m_values;
    Result<std::optional<NumberLayout>> m_numbers;
};

} // namespace mensora
