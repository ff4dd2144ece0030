#pragma once

#include <string>

#include "lettering/font_source.h"
#include "model/scale_job.h"

namespace mensora {

// The job's scales for --list-scales, one line each, its fields separated by a tab: the
// scale's number from 1, its name, its shape and unit as the options name them, and its
// stripes, or why the scale is refused alone (its boxes and numbers):
//   1	Ruler 150 mm	flat	mm	151 stripes
//   2	Vernier 10/9	flat	mm	refused: Distance between stripes must not be 0.
// A name holds no tab (a scale file refuses one), so the fields stay apart.
std::string scaleListText(const ScaleJob& job, const FontSource& fonts);

} // namespace mensora
