#pragma once

#include <optional>

#include "layout/number_layout.h"
#include "lettering/font_source.h"
#include "model/result.h"
#include "model/scale_values.h"

namespace mensora {

// The numbers of a scale with their settings checked, from the scale's values in the unit they
// were typed in, and its title; nothing when the scale has neither (kind 0, no title). The
// labels say what the numbers show (see numberedStripes). Refused, naming the setting, for
// what numberedStripes refuses, a height that is not a finite number above 0, a gap that is
// not finite, a font that is not offered or not installed (naming the package to install), a
// prefix or suffix longer than 20 characters or with a character outside printable ASCII or
// one the font lacks, a label or a title with a character the font lacks (its symbols
// included: see HersheyFont), and a title of more than maxLabelLength characters. The font
// comes from `fonts`.
Result<std::optional<NumberLayout>> prepareNumbers(
    const ScaleParameters& parameters, const ScaleValues& values, const FontSource& fonts);

} // namespace mensora
