#pragma once

#include <array>
#include <string>

namespace mensora {

// The widths a scale's marks are made at, one of them each a refusal can name.
enum class WidthSetting { Stripe1, Stripe2, Stripe3, Stripe4, Stripe5, Stripe6, Baseline, Numbers };

// How wide the marks come out, across each mark, in the scale's own unit: one width for each
// stripe kind, one for the baseline (a dial's base circle, a drum's ring) and one for the
// numbers' strokes. 0 is a single line of the tool, as every mark was before widths: a scale
// whose widths are all 0 gives every file exactly as before.
struct MarkWidths
{
    std::array<double, 6> stripes {}; // kinds 1 .. 6
    double baseline = 0;
    double numbers = 0;

    // Whether any width is not 0.
    bool any() const;
    // The width of stripe kind 1 .. 6 (its digit, '1' .. '6', in ofKindDigit).
    double ofKind(int kind) const;
    double ofKindDigit(char kind) const { return ofKind(kind - '0'); }
    double of(WidthSetting setting) const;
    double& of(WidthSetting setting);

    friend bool operator==(const MarkWidths&, const MarkWidths&) = default;
};

// Every width setting, in the order of the dialog and of refusals.
inline constexpr std::array<WidthSetting, 8> widthSettings = { WidthSetting::Stripe1,
    WidthSetting::Stripe2, WidthSetting::Stripe3, WidthSetting::Stripe4, WidthSetting::Stripe5,
    WidthSetting::Stripe6, WidthSetting::Baseline, WidthSetting::Numbers };

// The width setting of stripe kind 1 .. 6.
WidthSetting stripeWidthSetting(int kind);

// What a width is called in the dialog and in refusals: "Stripe 3) width", "Baseline width",
// "Number width".
std::string widthSettingCaption(WidthSetting setting);

} // namespace mensora
