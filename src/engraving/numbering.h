#pragma once

#include <optional>

#include "layout/number_layout.h"
#include "lettering/font_source.h"
#include "model/result.h"
#include "model/scale_values.h"

namespace mensora {

// The numbers of a scale with their settings checked, from the scale's values in the unit they
// were typed in; nothing when the scale has none (kind 0). Refused, naming the setting, for
// what numberedStripes refuses, a height that is not a finite number above 0, a gap that is
// not finite, a font that is not offered or not installed (naming the package to install),
// and a prefix or suffix longer than 20 characters or with a character outside printable
// ASCII or one the font lacks. The font comes from `fonts`.
Result<std::optional<NumberLayout>> prepareNumbers(
    const ScaleParameters& parameters, const ScaleValues& values, const FontSource& fonts);

} // namespace mensora
