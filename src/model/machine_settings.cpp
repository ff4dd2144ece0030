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

double lengthIn(const ToolLength& length, Unit unit)
{
    if (length.unit == unit)
        return length.value;
    return unit == Unit::Inch ? length.value / millimetresPerInch
                              : length.value * millimetresPerInch;
}

// The defaults, written once: round numbers in each unit rather than conversions.
MachineRates ratesFor(const MachineSettings& settings, Unit unit)
{
    return { rateOr(settings.feed, unit, 100, 4), rateOr(settings.plungeFeed, unit, 50, 2),
        rateOr(settings.rapidRate, unit, 1000, 40) };
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
    case MachineSetting::Profile:
        return "Profile";
    case MachineSetting::Tool:
        return "Tool";
    case MachineSetting::VbitAngle:
        return "V-bit angle";
    case MachineSetting::VbitTip:
        return "V-bit tip";
    case MachineSetting::EndMillDiameter:
        return "End mill diameter";
    case MachineSetting::Stepover:
        return "Stepover";
    case MachineSetting::SpotWidth:
        return "Spot width";
    case MachineSetting::LineInterval:
        return "Line interval";
    case MachineSetting::SMax:
        return "S max";
    case MachineSetting::BladeOffset:
        return "Blade offset";
    case MachineSetting::Overcut:
        return "Overcut";
    }
    return {};
}

} // namespace mensora
