#pragma once

#include <string_view>

#include <QString>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"

namespace mensora {

// The save dialog's file type for each output format (the drawings' too), written as
// "description|pattern".
std::string_view dialogFilterOf(OutputFormat format);

// A "description|pattern" filter as a Qt name filter, "description (pattern)", patterns
// separated by blanks. A description that already ends in its pattern list is taken as it
// stands, so the dialog shows exactly the description.
QString qtNameFilter(std::string_view dialogFilter);

// The save dialog's Qt name filters for a file of the format: the format's own, and for a file
// that a G-code profile shapes also "G-code programs (*.ngc *.nc *.gcode)".
QString saveNameFilter(OutputFormat format, MachineProfile profile);

} // namespace mensora
