#pragma once

#include <optional>
#include <string>

#include "model/scale_parameters.h"

namespace mensora {

// The controller a file is shaped for. Plain is the program's own file, unchanged; the others
// are dialects of one file family each (see the dialect table).
enum class MachineProfile {
    Plain = 0,
    Rs274 = 1,
    Grbl = 2,
    GrblLaser = 3,
    HpglCutter = 4,
    Grblhal = 5,
};

// The order in which the stripes are cut: as the layout lists them, or every second stripe
// from its outer end so that the tool rarely travels back.
enum class TravelOrder { Listed = 0, Alternate = 1 };

// The settings a refusal can name.
enum class MachineSetting {
    Feed,
    PlungeFeed,
    RapidRate,
    SafeHeight,
    SpindleSpeed,
    LaserPower,
    LineNumbers,
    Passes,
    Profile, // the profile itself, when the scale needs another
};

// A rate the user gave: so many units a minute, in the unit it was given in. A rate follows
// the tool, not the scale: given in one unit, it is converted for a scale in the other.
struct Rate
{
    double perMinute = 0;
    Unit unit = Unit::Millimetre;
};

// How the machine runs the job. The defaults give today's file. Lengths (safe height) are in
// the scale's unit, like every number of the scale; a rate that is not set takes the default
// of the scale's unit (see ratesFor).
struct MachineSettings
{
    MachineProfile profile = MachineProfile::Plain;
    std::optional<Rate> feed; // of cuts
    std::optional<Rate> plungeFeed; // of plunges
    std::optional<Rate> rapidRate; // of travel, only for the estimated time
    double safeHeight = 1;
    double spindleSpeed = 0; // revolutions per minute; 0 writes no spindle words
    double laserPower = 1000; // S, from 0 to 1000
    bool lineNumbers = true;
    double passes = 1; // a whole number from 1 to 100
    TravelOrder order = TravelOrder::Listed;
};

// The three rates of a job, per minute in the scale's unit.
struct MachineRates
{
    double feed = 0;
    double plungeFeed = 0;
    double rapidRate = 0;
};

// The rates in the scale's unit: each one set converted to it, each one not set the unit's
// default (100, 50 and 1000 mm/min; 4, 2 and 40 in/min).
MachineRates ratesFor(const MachineSettings& settings, Unit unit);

// The rate in the given unit.
double rateIn(const Rate& rate, Unit unit);

// What the settings are called in the dialog and in refusals: "Feed", "Plunge feed", ...
std::string machineSettingCaption(MachineSetting setting);

} // namespace mensora
