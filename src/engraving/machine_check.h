#pragma once

#include <string>

#include "model/machine_job.h"
#include "model/machine_settings.h"
#include "model/result.h"
#include "model/scale_parameters.h"
#include "model/scale_values.h"
#include "writers/dialect_table.h"
#include "writers/output_table.h"

namespace mensora {

// Numbers in a G-code machine file stay below this in the scale's unit: 100000 mm or 10000
// in, ten digits at most with the decimals kept (machineDecimals). With them every line of a
// GRBL program stays well within its 80 characters.
double machineNumberLimit(Unit unit);

// Whether a number keeps below the limit once rounded to the file's decimals.
bool withinMachineLimit(double value, Unit unit);

// The job of the scale's file, written in the dialect, under the machine settings. For a
// plain file: the default rates, a safe height of 1 and the depth box's numeric prefix, only
// for the job's figures; nothing is refused. Otherwise every setting the dialect uses is
// checked (refused with the setting's caption and the reason), and a dialect that reads the
// depth reads the box as a number with "." (refused, naming the box, when it holds none, or
// when it is not below the safe height).
Result<MachineJob> machineJobFor(const ScaleParameters& parameters, const ScaleValues& values,
    const Dialect& dialect, const MachineSettings& settings);

// The end of the sentence that refuses a box whose numbers are out of a machine file's range
// (a program's, or in plotter units a cutter's): " is too large for a machine file: ...".
std::string machineRangeReason(CoordinateRange range, Unit unit);

} // namespace mensora
