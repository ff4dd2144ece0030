#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/scale_input.h"
#include "model/scale_parameters.h"

namespace mensora {

// Whether a box holds a length, which follows the unit: a flat scale's length and distance,
// the stripe lengths, the start (or centre), the depth and the radius. A round scale's length
// and distance are angles, as is the start angle; the package is no number.
bool isLengthInput(ScaleInput input, Shape shape);

// A length text in the other unit: the number times 25.4 (inch to mm) or divided by it,
// written with "." and the fewest decimals (at most six) that keep it within 1e-6, with no
// trailing zeros and no "-0". A number followed by the unit it is in (" 12.5 mm ") converts
// too, and loses the unit. Any other text (empty, junk, "12,5") has no conversion: it is kept
// as typed, never guessed at.
std::optional<std::string> convertedLengthText(std::string_view text, Unit from, Unit to);

// The scale with every length box converted from its unit to `to`, and `to` as its unit.
// Boxes without a conversion keep their text. The mark widths, numbers, are converted too.
ScaleParameters withLengthsIn(const ScaleParameters& parameters, Unit to);

} // namespace mensora
