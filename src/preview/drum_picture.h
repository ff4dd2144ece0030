#pragma once

#include "engraving/checked_scale.h"
#include "model/result.h"
#include "preview/preview_renderer.h"

namespace mensora {

// The preview of a scale around a drum: its surface unrolled, along the axis upward and around
// the drum across the picture, turned from the unrolled file's design and not mirrored, so that
// the angle grows to the left (from the right edge; from the left one for a negative total),
// with X = centre X on the mid-line; the stripes, the ring as the baseline and the
// numbers, from the layout's own moves; for a whole turn or more the seam, a whole turn on from
// the start angle, where a stripe falls on the first. The turn spans the width less 3 at each side;
// a total of 0 fits the length of kind 1 into half the height less 5, as a dial does. Refused,
// naming the box, when nothing gives it a size, or for points too far out to draw.
Result<PreviewDrawing> drumPicture(const CheckedScale& scale, float width, float height);

} // namespace mensora
