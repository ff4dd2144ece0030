#pragma once

#include <string>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"

namespace mensora {

// Everything a machine's file needs beyond the moves, checked and resolved for one scale:
// the profile the file is written with, rates in the scale's unit, the depth as a number.
struct MachineJob
{
    MachineProfile profile = MachineProfile::Plain;
    Unit unit = Unit::Millimetre;
    MachineRates rates;
    double safeHeight = 1;
    double depth = 0; // the depth box as a number (0 when the profile does not use it)
    double spindleSpeed = 0;
    double laserPower = 1000;
    bool lineNumbers = true;
    int passes = 1;
    TravelOrder order = TravelOrder::Listed;
    std::string title; // what the file's opening comment says of the scale
};

// The decimals a machine file keeps: 4 in millimetres, 5 in inches (a tenth of a micrometre
// and a quarter of one).
inline int machineDecimals(Unit unit)
{
    return unit == Unit::Inch ? 5 : 4;
}

} // namespace mensora
