#include "engraving/checked_scale.h"

#include <utility>

#include "engraving/numbering.h"
#include "model/scale_input.h"

namespace mensora {

Result<CheckedScale> CheckedScale::check(const ScaleParameters& p, const FontSource& fonts)
{
    const BoxNumbers boxes = readBoxNumbers(p);
    auto values = scaleValuesOf(p, boxes);
    if (!values)
        return values.refusal();
    // Around a drum the radius turns distances into angles.
    if (p.onDrum() && !(values->radius > 0))
        return Refusal { ScaleInput::Radius,
            inputCaption(ScaleInput::Radius, p.shape)
                + " must be above 0 on a drum: it is the drum's radius." };
    auto numbers = prepareNumbers(p, *values, fonts);
    return CheckedScale(p, boxes, std::move(values.value()), std::move(numbers));
}

CheckedScale::CheckedScale(const ScaleParameters& parameters, const BoxNumbers& boxes,
    ScaleValues values, Result<std::optional<NumberLayout>> numbers)
    : m_parameters(parameters)
    , m_boxes(boxes)
    , m_values(std::move(values))
    , m_numbers(std::move(numbers))
{ }

} // namespace mensora
