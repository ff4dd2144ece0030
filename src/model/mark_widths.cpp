#include "model/mark_widths.h"

#include <algorithm>
#include <stdexcept>

namespace mensora {

bool MarkWidths::any() const
{
    return baseline != 0 || numbers != 0
        || std::any_of(stripes.begin(), stripes.end(), [](double w) { return w != 0; });
}

double MarkWidths::ofKind(int kind) const
{
    return of(stripeWidthSetting(kind));
}

double MarkWidths::of(WidthSetting setting) const
{
    return const_cast<MarkWidths&>(*this).of(setting);
}

double& MarkWidths::of(WidthSetting setting)
{
    switch (setting) {
    case WidthSetting::Baseline:
        return baseline;
    case WidthSetting::Numbers:
        return numbers;
    default:
        return stripes.at(static_cast<std::size_t>(setting));
    }
}

WidthSetting stripeWidthSetting(int kind)
{
    if (kind < 1 || kind > 6)
        throw std::out_of_range("stripe kinds run from 1 to 6");
    return static_cast<WidthSetting>(kind - 1);
}

std::string widthSettingCaption(WidthSetting setting)
{
    switch (setting) {
    case WidthSetting::Baseline:
        return "Baseline width";
    case WidthSetting::Numbers:
        return "Number width";
    default:
        return "Stripe " + std::to_string(static_cast<int>(setting) + 1) + ") width";
    }
}

} // namespace mensora
