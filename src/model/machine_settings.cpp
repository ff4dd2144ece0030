#include "model/machine_settings.h"

namespace mensora {

namespace {

constexpr double millimetresPerInch = 25.4;

double rateOr(const std::optional<Rate>& rate, Unit unit, double mm, double inch)
{
    if (rate)
        return rateIn(*rate, unit);
    return unit == Unit::Inch ? inch : mm;
}

} // namespace

double rateIn(const Rate& rate, Unit unit)
{
    if (rate.unit == unit)
        return rate.perMinute;
    return unit == Unit::Inch ? rate.perMinute / millimetresPerInch
                              : rate.perMinute * millimetresPerInch;
}

// The defaults, written once: round numbers in each unit rather than conversions.
MachineRates ratesFor(const MachineSettings& settings, Unit unit)
{
    return { rateOr(settings.feed, unit, 100, 4), rateOr(settings.plungeFeed, unit, 50, 2),
        rateOr(settings.rapidRate, unit, 1000, 40) };
}

OutputFormat familyOf(MachineProfile profile)
{
    return profile == MachineProfile::HpglCutter ? OutputFormat::Plot : OutputFormat::Gcode;
}

MachineProfile effectiveProfile(MachineProfile chosen, OutputFormat format)
{
    return familyOf(chosen) == format ? chosen : MachineProfile::Plain;
}

std::string machineSettingCaption(MachineSetting setting)
{
    switch (setting) {
    case MachineSetting::Feed:
        return "Feed";
    case MachineSetting::PlungeFeed:
        return "Plunge feed";
    case MachineSetting::RapidRate:
        return "Rapid rate";
    case MachineSetting::SafeHeight:
        return "Safe height";
    case MachineSetting::SpindleSpeed:
        return "Spindle speed";
    case MachineSetting::LaserPower:
        return "Laser power";
    case MachineSetting::LineNumbers:
        return "Line numbers";
    case MachineSetting::Passes:
        return "Passes";
    }
    return {};
}

std::string profileCaption(MachineProfile profile)
{
    switch (profile) {
    case MachineProfile::Plain:
        return "Plain";
    case MachineProfile::Rs274:
        return "RS274/NGC";
    case MachineProfile::Grbl:
        return "GRBL";
    case MachineProfile::GrblLaser:
        return "GRBL laser";
    case MachineProfile::HpglCutter:
        return "HP-GL cutter";
    }
    return {};
}

std::string profileExplanation(MachineProfile profile)
{
    switch (profile) {
    case MachineProfile::Plain:
        return "The program's own files, G-code and plot, as always; none of the settings "
               "applies.";
    case MachineProfile::Rs274:
        return "Shapes G-code programs for LinuxCNC, Mach3/4 and most industrial controls; plot "
               "files stay plain.";
    case MachineProfile::Grbl:
        return "Shapes G-code programs for GRBL 1.1 routers and mills; plot files stay plain.";
    case MachineProfile::GrblLaser:
        return "Shapes G-code programs for GRBL 1.1 in laser mode, without Z: the depth is not "
               "used; plot files stay plain.";
    case MachineProfile::HpglCutter:
        return "Shapes plot files for pen plotters and vinyl cutters; G-code programs stay "
               "plain.";
    }
    return {};
}

bool profileUsesDepth(MachineProfile profile)
{
    return profile == MachineProfile::Rs274 || profile == MachineProfile::Grbl;
}

bool profileUses(MachineProfile profile, MachineSetting setting)
{
    switch (setting) {
    case MachineSetting::Feed:
    case MachineSetting::RapidRate:
        return profile != MachineProfile::Plain;
    case MachineSetting::PlungeFeed:
    case MachineSetting::SafeHeight:
    case MachineSetting::SpindleSpeed:
        return profileUsesDepth(profile);
    case MachineSetting::LaserPower:
        return profile == MachineProfile::GrblLaser;
    case MachineSetting::LineNumbers:
    case MachineSetting::Passes:
        return profileUsesDepth(profile) || profile == MachineProfile::GrblLaser;
    }
    return false;
}

} // namespace mensora
