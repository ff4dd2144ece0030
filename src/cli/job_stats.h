#pragma once

#include <string>

#include "engraving/job_figures.h"
#include "model/machine_settings.h"

namespace mensora {

// The job's figures for --stats, one "name: value" line each, numbers with "." whatever the
// locale, lengths in the scale's unit:
//   profile: rs274
//   stripes: 101
//   cut length: 400 mm
//   travel length: 404.4685 mm
//   plunges: 101
//   bounding box: X 0 to 100, Y 0 to 10 mm
//   estimated time: 404 s (6 min 44 s)
// and, for a laser, "depth: not used".
std::string jobStatsText(const JobFigures& figures, MachineProfile profile);

} // namespace mensora
