#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"

namespace mensora {

// The name of every value of a choice, in the order of its values: the command line's words
// and a scale file's values.
template <typename Choice>
constexpr std::span<const std::string_view> choiceNames();

namespace choice_detail {
inline constexpr std::array<std::string_view, 2> shapes = { "flat", "round" };
inline constexpr std::array<std::string_view, 2> units = { "mm", "inch" };
inline constexpr std::array<std::string_view, 2> baselines = { "none", "single" };
inline constexpr std::array<std::string_view, 3> positions = { "above", "midway", "under" };
inline constexpr std::array<std::string_view, 4> formats = { "gcode", "plot", "svg", "dxf" };
inline constexpr std::array<std::string_view, 6> profiles
    = { "plain", "rs274", "grbl", "grbl-laser", "hpgl-cutter", "grblhal" };
inline constexpr std::array<std::string_view, 2> surfaces = { "face", "drum" };
inline constexpr std::array<std::string_view, 2> rotaryAxes = { "A", "B" };
inline constexpr std::array<std::string_view, 2> orders = { "listed", "alternate" };
inline constexpr std::array<std::string_view, 2> orientations = { "dial", "level" };
inline constexpr std::array<std::string_view, 3> routerTools = { "line", "vbit", "endmill" };
inline constexpr std::array<std::string_view, 8> laws
    = { "even", "log", "power", "reciprocal", "db", "db-power", "points", "expr" };
inline constexpr std::array<std::string_view, 4> labelStyles
    = { "numbers", "list", "fractions", "roman" };
} // namespace choice_detail

template <>
constexpr std::span<const std::string_view> choiceNames<Shape>()
{
    return choice_detail::shapes;
}
template <>
constexpr std::span<const std::string_view> choiceNames<Unit>()
{
    return choice_detail::units;
}
template <>
constexpr std::span<const std::string_view> choiceNames<Baseline>()
{
    return choice_detail::baselines;
}
template <>
constexpr std::span<const std::string_view> choiceNames<StripePosition>()
{
    return choice_detail::positions;
}
template <>
constexpr std::span<const std::string_view> choiceNames<OutputFormat>()
{
    return choice_detail::formats;
}

template <>
constexpr std::span<const std::string_view> choiceNames<Surface>()
{
    return choice_detail::surfaces;
}
template <>
constexpr std::span<const std::string_view> choiceNames<RotaryAxis>()
{
    return choice_detail::rotaryAxes;
}

template <>
constexpr std::span<const std::string_view> choiceNames<MachineProfile>()
{
    return choice_detail::profiles;
}
template <>
constexpr std::span<const std::string_view> choiceNames<TravelOrder>()
{
    return choice_detail::orders;
}
template <>
constexpr std::span<const std::string_view> choiceNames<NumberOrientation>()
{
    return choice_detail::orientations;
}

template <>
constexpr std::span<const std::string_view> choiceNames<RouterTool>()
{
    return choice_detail::routerTools;
}
template <>
constexpr std::span<const std::string_view> choiceNames<SpacingLaw>()
{
    return choice_detail::laws;
}
template <>
constexpr std::span<const std::string_view> choiceNames<LabelStyle>()
{
    return choice_detail::labelStyles;
}

template <typename Choice>
constexpr std::string_view choiceName(Choice choice)
{
    return choiceNames<Choice>()[static_cast<std::size_t>(choice)];
}

// The value of that name, or nothing for a name that is not one of the choice's.
template <typename Choice>
constexpr std::optional<Choice> choiceNamed(std::string_view name)
{
    const auto names = choiceNames<Choice>();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<Choice>(i);
    return std::nullopt;
}

} // namespace mensora
