#pragma once

#include "model/spacing_table.h"

namespace mensora {

// The stripes of an evenly divided scale: the Length box over the Distance box gives the
// steps (stripeCountFor), and the package repeated over them their kinds; "End on the total"
// makes it N + 1 stripes whatever the package's length, and "No double mark on a full turn"
// ends a dial of whole turns before its first stripe that falls back onto the first. They
// stand i × the distance apart (LinearSpacing). Refused, naming the box, as the stripe
// pattern refuses and for numbers beyond single precision.
Result<SpacedStripes> evenStripes(const SpacingRequest& request);

// The stripes of a vernier (see VernierSpacing): one more than its divisions, the package
// over them ending on the last. Its total is the main divisions it spans. Refused, naming the
// Distance box, for divisions outside their limits or a distance of 0.
Result<SpacedStripes> vernierStripes(const SpacingRequest& request);

} // namespace mensora
