#pragma once

#include <cstddef>

#include "engraving/engraving.h"
#include "preview/preview_renderer.h"

namespace mensora {

// Adds the marks of a width of the job's scale `selected` to its run's picture, as the file
// makes them (see Engraving::makeMarkOutlines), each shape's rings mapped through the frame,
// arcs in chords of at most 2 degrees; and whether the file cuts outlines. A point too far
// out to draw leaves its ring out.
void addMarkShapes(PreviewDrawing& drawing, const Engraving& job, std::size_t selected);

} // namespace mensora
