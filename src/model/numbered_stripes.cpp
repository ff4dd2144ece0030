#include "model/numbered_stripes.h"

#include <cmath>

#include "model/label_list.h"
#include "model/label_text.h"
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

// What a numbered stripe of that value shows, between the prefix and the suffix.
Result<std::string> labelText(double value, const NumberSettings& s, const LabelSettings& labels)
{
    const std::string caption = labelSettingCaption(LabelSetting::Style);
    switch (labels.style) {
    case LabelStyle::Fractions:
        if (auto text = fractionText(value, labels.mixedFractions))
            return *text;
        return Refusal { LabelSetting::Style,
            caption + " in inch fractions need numbers in whole 1/" + std::to_string(finestFraction)
                + " in, and " + numberText(value, s.decimals) + " is not one." };
    case LabelStyle::Roman:
        if (auto text = romanText(value))
            return *text;
        return Refusal { LabelSetting::Style,
            caption + " in Roman numerals need whole numbers from 1 to 3999, and "
                + numberText(value, s.decimals) + " is not one." };
    case LabelStyle::Numbers:
    case LabelStyle::List:
        break;
    }
    return numberText(value, s.decimals);
}

// The stripes whose values are listed, each with its listed text as it stands.
std::vector<NumberedStripe> listedStripes(const Graduation& graduation, const LabelSettings& labels)
{
    std::vector<NumberedStripe> listed;
    for (StripeIndex i = 0; i < graduation.count(); ++i) {
        if (!graduation.readsValues())
            break;
        for (const ValueLabel& label : labels.list)
            if (sameValue(graduation.value(i), label.value)) {
                listed.push_back({ i, label.text });
                break;
            }
    }
    return listed;
}

} // namespace

Result<std::vector<NumberedStripe>> numberedStripes(
    const Graduation& graduation, const NumberSettings& settings, const LabelSettings& labels)
{
    if (const auto refused = checkChoices(settings))
        return *refused;
    if (labels.style == LabelStyle::List)
        return listedStripes(graduation, labels);

    const char kind = static_cast<char>('0' + settings.kind);
    std::vector<StripeIndex> indexes;
    for (StripeIndex i = 0; i < graduation.count(); ++i)
        if (graduation.kind(i) == kind)
            indexes.push_back(i);
    // Counted from the far end when reversed: the n-th from the last reads the n-th number.
    const auto valueOf = [&](std::size_t n) {
        if (graduation.readsValues())
            return graduation.value(indexes[n]);
        const std::size_t counted = labels.reverse ? indexes.size() - 1 - n : n;
        if (settings.step)
            return settings.first + static_cast<double>(counted) * *settings.step;
        if (labels.reverse)
            return settings.first + graduation.valueBetween(indexes[n], indexes.back());
        return settings.first + graduation.valueBetween(indexes.front(), indexes[n]);
    };
    if (indexes.empty())
        return std::vector<NumberedStripe> {};
    if (const auto refused = checkRange(valueOf(0), valueOf(indexes.size() - 1), settings))
        return *refused;

    std::vector<NumberedStripe> numbered;
    numbered.reserve(indexes.size());
    for (std::size_t n = 0; n < indexes.size(); ++n) {
        auto text = labelText(valueOf(n), settings, labels);
        if (!text)
            return text.refusal();
        numbered.push_back({ indexes[n], settings.prefix + *text + settings.suffix });
    }
    return numbered;
}

} // namespace mensora
