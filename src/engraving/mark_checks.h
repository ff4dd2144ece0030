#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engraving/checked_scale.h"
#include "engraving/wide_marks.h"
#include "model/result.h"

namespace mensora {

// The most passes a mark, or a number, may take: a wider one asks too much of any tool.
inline constexpr double maxPassesPerMark = 1000;

// The widths a scale uses: those of the stripe kinds its sequence holds, the baseline's when it
// has one and the numbers' when it has them.
std::vector<WidthSetting> usedWidths(const CheckedScale& scale);

// Refuses, naming the width, one that is not a number from 0 up (whatever the file); then of
// the widths the scale uses, for a V-bit one no wider than the tip (it would cut nothing) or
// one whose depth goes beyond what the file can write (`depthLimit`, in the scale's unit); for
// an end mill or a laser one that takes more than maxPassesPerMark passes.
std::optional<Refusal> widthsRefusal(
    const CheckedScale& scale, const MarkTool& tool, double depthLimit);

// The notes on marks that will not come out as wide as set: for an end mill or a laser, each
// width the scale uses that is above 0 but narrower than the tool ("Stripe 3) marks come out
// 3.175 mm wide: the tool is wider than 0.2 mm").
std::vector<std::string> narrowMarkNotes(const CheckedScale& scale, const MarkTool& tool);

} // namespace mensora
