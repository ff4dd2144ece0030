#pragma once

#include <vector>

#include "engraving/engraving.h"
#include "preview/preview_renderer.h"

namespace mensora {

// The tool's travels between cuts as the file's machine makes its moves (in the travel order
// of its profile): from the end of each cut
// (a straight cut or an arc) to the point of the next rapid, mapped into the picture through
// the frame. A travel that lands too far out to draw is left out. The file's lengths are
// multiplied by `factor` into the frame's unit (a job's scale in the other unit); a drum's
// angles never are.
std::vector<PreviewLine> travelLines(
    const Engraving& engraving, const PreviewFrame& frame, double factor = 1);

} // namespace mensora
