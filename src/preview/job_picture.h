#pragma once

#include <cstddef>
#include <optional>

#include "engraving/engraving.h"
#include "preview/preview_renderer.h"

namespace mensora {

// Puts a run of scale `selected` of a job among the job's other scales: each other scale's
// lines and arcs, from the job's file, in the run's frame (the file's unit converted into the
// run's scale's unit); and the run's marks of a width (see addMarkShapes). When the job is
// mirrored, the run's own stripes, baseline, numbers and marks are mirrored as the file
// mirrors them, so that the picture shows what is cut.
void addJobScales(PreviewDrawing& drawing, const Engraving& job, std::size_t selected);

// The job's scale whose lines pass nearest a point of the picture, within `reach`
// millimetres of the picture; none when no scale comes that near. The run's own scale is
// found through its stripes, baseline and numbers.
std::optional<std::size_t> scaleAt(const PreviewDrawing& drawing, PreviewPoint point, double reach);

} // namespace mensora
