#pragma once

#include "model/result.h"
#include "model/scale_job.h"

namespace mensora {

// The scales the job's commands add beside a main scale. Each shares the main scale's zero
// and stands on the other side of its baseline's edge: under a flat scale whose stripes stand
// above it (and above one whose stripes stand under it), inside a dial.

// A vernier of `divisions` divisions over `mainDivisions` of the main scale's divisions, flat
// or round. Its long stripes carry a number every 5 divisions or so (10 on a vernier of more
// than 50), at a spacing that divides the divisions, so that its end carries one too: 10/9
// and 50/49 every 5, 12/23 every 6. The numbers read in tenths of the main division (in
// hundredths where tenths are not whole), on a dial in minutes of arc; inside a dial they
// stand inside the vernier's stripes, clear of them by the gap. Its marks are as wide as the
// main scale's whose lengths they take (kinds 2 and 3). Refused, naming the
// Distance box, for divisions outside 1 to maxVernierDivisions or main divisions below 1.
Result<JobScale> vernierAgainst(
    const ScaleParameters& main, int divisions, int mainDivisions, bool bothSides);

// A flat scale of the main scale's length in the other unit: 1/16 inch with the package
// 1545354525453545 numbered every inch, or 1 mm with the start package numbered every 10,
// its mark widths the main scale's in the other unit. Refused for a round scale, naming its shape
// through the Length box.
Result<JobScale> otherUnitOf(const ScaleParameters& main);

} // namespace mensora
