#pragma once

#include "model/machine_settings.h"

namespace mensora {

// The machine settings kept between runs (QSettings, group "machine"): the only thing the
// window remembers of a job. Each profile keeps its own (group "machine/profiles/<name>"), and
// the chosen profile is kept beside them ("machine/profile"). A profile without its own reads
// the one set that earlier versions kept for every profile (in "machine" itself); a value
// missing or unreadable reads as its default.
MachineSettings loadMachineSettings(); // the chosen profile's
MachineSettings loadProfileSettings(MachineProfile profile);
// Keeps the settings as their profile's, and their profile as the chosen one.
void saveMachineSettings(const MachineSettings& settings);
// Keeps the settings as their profile's only.
void saveProfileSettings(const MachineSettings& settings);

// Whether "Don't ask again" answered the question before a plain program is saved (key
// "skipReadinessCheck" of the same group).
bool readinessCheckDeclined();
void declineReadinessCheck();

// The same for the question before a plain plot file is saved (key "skipPlotReadinessCheck").
bool plotReadinessDeclined();
void declinePlotReadiness();

} // namespace mensora
