#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engraving/checked_scale.h"
#include "engraving/wide_marks.h"
#include "layout/number_layout.h"
#include "layout/scale_layout.h"
#include "model/result.h"

namespace mensora {

// Two neighbouring stripes whose marks, as wide as their kinds' widths, overlap: refused,
// naming the wider kind's width, the two stripes (counted from 1) and the gap left between
// them, which is below 0. A ruler's stripes stand the distance between them apart, a dial's
// the chord between them where the nearer to the centre of the two ends ("Midway", "Under"
// reach inwards), a drum's the distance around it. Also refused: a dial's base circle as wide
// as its diameter. Nothing for a tool that makes every mark a line.
std::optional<Refusal> overlapRefusal(
    const CheckedScale& scale, const ScaleLayout& layout, const MarkTool& tool);

// The notes on numbers drawn at the numbers' width whose outline (see strokeOutlines)
// overlaps another number's, a stripe's mark or the baseline's, one a number: "The outline of
// number 10 overlaps number 20." Nothing for a width of 0, or a tool that makes every mark a
// line.
std::vector<std::string> numberOverlapNotes(const CheckedScale& scale, const ScaleLayout& layout,
    const NumberLayout& numbers, const MarkTool& tool);

} // namespace mensora
