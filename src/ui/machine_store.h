#pragma once

#include "model/machine_settings.h"

namespace mensora {

// The machine settings kept between runs (QSettings, group "machine"): the only thing the
// window remembers of a job. A value missing or unreadable reads as its default.
MachineSettings loadMachineSettings();
void saveMachineSettings(const MachineSettings& settings);

// Whether "Don't ask again" answered the question before a plain program is saved (key
// "skipReadinessCheck" of the same group).
bool readinessCheckDeclined();
void declineReadinessCheck();

// The same for the question before a plain plot file is saved (key "skipPlotReadinessCheck").
bool plotReadinessDeclined();
void declinePlotReadiness();

} // namespace mensora
