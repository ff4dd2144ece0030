#pragma once

#include <vector>

#include "model/result.h"
#include "preview/preview_renderer.h"

namespace mensora {

// The strokes of a scale's numbers as the file engraves them, each a line through its
// points, mapped into the picture by the frame; none when the scale has no numbers. Refused
// as the engraving refuses the number settings, and for points too far out to draw.
Result<std::vector<PreviewStroke>> previewNumberStrokes(
    const CheckedScale& scale, const PreviewFrame& frame);

} // namespace mensora
