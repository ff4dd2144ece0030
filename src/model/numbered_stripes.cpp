#include "model/numbered_stripes.h"

#include <cmath>

#include "model/number_text.h"

namespace mensora {

namespace {

std::optional<Refusal> checkChoices(const NumberSettings& s)
{
    if (s.kind < 1 || s.kind > 6)
        return settingRefusal(NumberSetting::Kind,
            numberSettingCaption(NumberSetting::Kind)
                + " must be a stripe kind from 1 to 6, or 0 for none.");
    if (s.decimals && (*s.decimals < 0 || *s.decimals > 3))
        return settingRefusal(NumberSetting::Decimals,
            numberSettingCaption(NumberSetting::Decimals) + " must be 0 to 3, or as needed.");
    if (!std::isfinite(s.first))
        return settingRefusal(NumberSetting::First,
            numberSettingCaption(NumberSetting::First) + " must be a finite number.");
    if (s.step && !std::isfinite(*s.step))
        return settingRefusal(NumberSetting::Step,
            numberSettingCaption(NumberSetting::Step) + " must be a finite number.");
    return std::nullopt;
}

bool writable(double value)
{
    return std::fabs(value) < numberTextLimit;
}

// The values grow evenly, so the first and the last are the largest.
std::optional<Refusal> checkRange(double first, double last, const NumberSettings& s)
{
    const std::string reason = " gives numbers of 1E+15 or more, which have no exact text.";
    if (!writable(first))
        return settingRefusal(
            NumberSetting::First, numberSettingCaption(NumberSetting::First) + reason);
    if (writable(last))
        return std::nullopt;
    if (s.step)
        return settingRefusal(
            NumberSetting::Step, numberSettingCaption(NumberSetting::Step) + reason);
    return Refusal { ScaleInput::Distance, "Distance between stripes" + reason };
}

} // namespace

Result<std::vector<NumberedStripe>> numberedStripes(
    const Graduation& graduation, const NumberSettings& settings)
{
    if (const auto refused = checkChoices(settings))
        return *refused;

    const char kind = static_cast<char>('0' + settings.kind);
    std::vector<StripeIndex> indexes;
    for (StripeIndex i = 0; i < graduation.count(); ++i)
        if (graduation.kind(i) == kind)
            indexes.push_back(i);
    const auto valueOf = [&](std::size_t n) {
        if (graduation.readsValues())
            return graduation.value(indexes[n]);
        if (settings.step)
            return settings.first + static_cast<double>(n) * *settings.step;
        return settings.first + graduation.valueBetween(indexes.front(), indexes[n]);
    };
    if (indexes.empty())
        return std::vector<NumberedStripe> {};
    if (const auto refused = checkRange(valueOf(0), valueOf(indexes.size() - 1), settings))
        return *refused;

    std::vector<NumberedStripe> numbered;
    numbered.reserve(indexes.size());
    for (std::size_t n = 0; n < indexes.size(); ++n)
        numbered.push_back({ indexes[n],
            settings.prefix + numberText(valueOf(n), settings.decimals) + settings.suffix });
    return numbered;
}

} // namespace mensora
