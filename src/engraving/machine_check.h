#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/machine_job.h"
#include "model/machine_settings.h"
#include "model/number_rules.h"
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

// The sizes of the tool the dialect uses to make marks of a width (a router's V-bit or end
// mill, the laser's spot, the cutter's knife), in the scale's unit: refused with the setting's
// caption and the reason, as machineJobFor refuses them. A width is measured against them, so
// they are checked before it.
std::optional<Refusal> toolSizesRefusal(
    const Dialect& dialect, const ToolSettings& tool, Unit unit);

// Under a machine profile, the first number box the shape reads (the depth aside: see
// machineJobFor) whose text is not a plain number with "." for decimals, as the file takes it
// ("12,5", "1,000", " 12.5 mm", "x"): refused, naming the box. A text that is a number in the
// user's notation but reads otherwise by the box's rule says both values. The length of a
// stripe kind that the sequence does not hold goes into no file and is not read.
std::optional<Refusal> strictBoxRefusal(
    const ScaleParameters& parameters, std::string_view sequence, const NumberFormat& notation);

// The question to ask before saving a job that cuts deeper than 5 mm (0.2 in) in one go;
// nothing for a shallower one, or a dialect that takes no depth as a number.
std::optional<std::string> deepCutQuestion(const MachineJob& job, const Dialect& dialect);

// The end of the sentence that refuses a box whose numbers are out of a machine file's range
// (a program's, or in plotter units a cutter's): " is too large for a machine file: ...".
std::string machineRangeReason(CoordinateRange range, Unit unit);

} // namespace mensora
