#pragma once

#include <optional>
#include <string>

namespace mensora {

enum class Unit;

// How a dial's numbers stand: turned with their foot toward the centre, as a dial is read
// from outside, or upright whatever the angle. A ruler's numbers always stand upright.
enum class NumberOrientation { Dial = 0, Level = 1 };

// The settings of the numbers, one per field of NumberSettings: what a refusal names.
enum class NumberSetting {
    Kind,
    First,
    Step,
    Decimals,
    Height,
    Gap,
    Font,
    Orientation,
    Prefix,
    Suffix
};

// The numbers engraved beside the stripes of one kind. Plain data: every field is read and
// written as it stands; the engraving checks them. Lengths are in the scale's own unit.
struct NumberSettings
{
    int kind = 0; // the stripe kind 1 .. 6 that carries numbers; 0: no numbers
    double first = 0; // the value of the first numbered stripe
    std::optional<double> step; // added per numbered stripe; unset: their distance apart
    std::optional<int> decimals; // 0 .. 3; unset: as many as the value needs, at most 3
    std::optional<double> height; // of the digits; unset: 3 mm, or 0.125 on an inch scale
    std::optional<double> gap; // from the stripe's outer end; unset: 1 mm, or 0.04 inch
    std::string font = "futural";
    NumberOrientation orientation = NumberOrientation::Dial; // round scales only
    std::string prefix; // printable ASCII, written before every number
    std::string suffix; // and after it

    friend bool operator==(const NumberSettings&, const NumberSettings&) = default;
};

// Two choices that change which stripes a scale gets.
struct MarkSettings
{
    bool endOnTotal = false; // N + 1 stripes whatever the package's length: the last at the total
    bool noDoubleMark = false; // a dial of whole turns cuts no stripe onto another

    friend bool operator==(const MarkSettings&, const MarkSettings&) = default;
};

// The unset height and gap, in millimetres and in inches: 3 mm digits read well on a ruler
// or a dial of the window's size, and an inch scale gets about the same, in round inches.
inline constexpr double defaultNumberHeightMm = 3;
inline constexpr double defaultNumberHeightInch = 0.125;
inline constexpr double defaultNumberGapMm = 1;
inline constexpr double defaultNumberGapInch = 0.04;

// The height and gap the numbers get: the setting, or the default for the scale's unit.
double numberHeightOf(const NumberSettings& settings, Unit unit);
double numberGapOf(const NumberSettings& settings, Unit unit);

// Prefix and suffix hold at most this many characters each.
inline constexpr std::size_t maxAffixLength = 20;

// The caption of a setting, as the window's dialog shows it and refusals name it.
std::string numberSettingCaption(NumberSetting setting);

// The captions of the two mark choices.
inline constexpr const char* endOnTotalCaption = "End on the total";
inline constexpr const char* noDoubleMarkCaption = "No double mark on a full turn";

} // namespace mensora
