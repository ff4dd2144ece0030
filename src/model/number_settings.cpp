#include "model/number_settings.h"

#include "model/scale_parameters.h"

namespace mensora {

double numberHeightOf(const NumberSettings& settings, Unit unit)
{
    return settings.height.value_or(
        unit == Unit::Inch ? defaultNumberHeightInch : defaultNumberHeightMm);
}

double numberGapOf(const NumberSettings& settings, Unit unit)
{
    return settings.gap.value_or(unit == Unit::Inch ? defaultNumberGapInch : defaultNumberGapMm);
}

std::string numberSettingCaption(NumberSetting setting)
{
    switch (setting) {
    case NumberSetting::Kind:
        return "Numbered stripes";
    case NumberSetting::First:
        return "First number";
    case NumberSetting::Step:
        return "Number step";
    case NumberSetting::Decimals:
        return "Decimals";
    case NumberSetting::Height:
        return "Number height";
    case NumberSetting::Gap:
        return "Gap to the stripe";
    case NumberSetting::Font:
        return "Font";
    case NumberSetting::Orientation:
        return "Orientation";
    case NumberSetting::Prefix:
        return "Prefix";
    case NumberSetting::Suffix:
        return "Suffix";
    }
    return "";
}

} // namespace mensora
