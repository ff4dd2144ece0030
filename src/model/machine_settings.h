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
    Tool, // a router's tool: a line, a V-bit or an end mill
    VbitAngle,
    VbitTip,
    EndMillDiameter,
    Stepover,
    SpotWidth,
    LineInterval,
    SMax,
    BladeOffset,
    Overcut,
};

// A rate the user gave: so many units a minute, in the unit it was given in. A rate follows
// the tool, not the scale: given in one unit, it is converted for a scale in the other.
struct Rate
{
    double perMinute = 0;
    Unit unit = Unit::Millimetre;
};

// The tool a router cuts with: today's line, whatever its width; a V-bit, which cuts a mark as
// wide as it goes deep; or an end mill, which cuts a wide mark in passes side by side.
enum class RouterTool { Line = 0, VBit = 1, EndMill = 2 };

// A size of the tool, in the unit it was given in: like a rate, it follows the tool, not the
// scale.
struct ToolLength
{
    double value = 0;
    Unit unit = Unit::Millimetre;

    friend bool operator==(const ToolLength&, const ToolLength&) = default;
};

// The length in the given unit.
double lengthIn(const ToolLength& length, Unit unit);

// What makes a mark of a width on each kind of machine: a router's tool, a laser's spot, a
// cutter's blade. The defaults write every file as before widths.
struct ToolSettings
{
    RouterTool router = RouterTool::Line;
    double vbitAngle = 60; // degrees, between the cutting edges
    ToolLength vbitTip {}; // the width of its flat tip
    ToolLength endMillDiameter { 3.175 };
    double stepover = 40; // the most an end mill steps aside, in percent of its diameter
    ToolLength spot { 0.1 }; // the width a laser burns
    std::optional<ToolLength> lineInterval; // between a laser's fill lines; unset: the spot
    double sMax = 1000; // the largest S the laser's controller takes
    ToolLength bladeOffset { 0.25 }; // how far a drag knife's tip trails its axis
    ToolLength overcut { 1 }; // how far a cutter cuts on past an outline's start

    friend bool operator==(const ToolSettings&, const ToolSettings&) = default;
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
    ToolSettings tool {};
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
