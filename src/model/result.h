#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "model/label_settings.h"
#include "model/machine_settings.h"
#include "model/mark_widths.h"
#include "model/number_settings.h"
#include "model/scale_input.h"
#include "model/spacing_settings.h"

namespace mensora {

// Where a refusal points the user: a box of the window, a setting of the numbers, a machine
// setting, a setting of the spacing or the labels, or a mark's width. Exactly one of them is to
// blame.
using RefusalPlace = std::variant<ScaleInput, NumberSetting, MachineSetting, SpacingSetting,
    LabelSetting, WidthSetting>;

// Why a command cannot run with the inputs it was given: the place to look at and a plain
// sentence for the user. Refusals are found before any file is created or anything drawn.
struct Refusal
{
    RefusalPlace place;
    std::string message;
    // In a job of several scales, the scale (from 0) whose place it is; its label begins the
    // message.
    std::optional<std::size_t> scale {};

    // The box to blame; nothing when a setting is to blame.
    std::optional<ScaleInput> box() const { return placed<ScaleInput>(); }
    // The setting of the numbers to blame, if it is one.
    std::optional<NumberSetting> numberSetting() const { return placed<NumberSetting>(); }
    // The machine setting to blame, if it is one.
    std::optional<MachineSetting> machineSetting() const { return placed<MachineSetting>(); }
    // The setting of the spacing or of the labels to blame, if it is one.
    std::optional<SpacingSetting> spacingSetting() const { return placed<SpacingSetting>(); }
    std::optional<LabelSetting> labelSetting() const { return placed<LabelSetting>(); }
    // The width to blame, if it is one.
    std::optional<WidthSetting> widthSetting() const { return placed<WidthSetting>(); }

    friend bool operator==(const Refusal&, const Refusal&) = default;

private:
    template <typename Place>
    std::optional<Place> placed() const
    {
        if (const auto* found = std::get_if<Place>(&place))
            return *found;
        return std::nullopt;
    }
};

// A refusal that names a setting of the numbers.
inline Refusal settingRefusal(NumberSetting setting, std::string message)
{
    return { setting, std::move(message) };
}

// A refusal that names a machine setting: its caption, then the reason.
inline Refusal machineRefusal(MachineSetting setting, const std::string& reason)
{
    return { setting, machineSettingCaption(setting) + " " + reason };
}

// A refusal that names a width: its caption, then the reason.
inline Refusal widthRefusal(WidthSetting setting, const std::string& reason)
{
    return { setting, widthSettingCaption(setting) + " " + reason };
}

// A value, or the refusal that stopped it from being computed.
template <typename T>
class Result
{
public:
    Result(T value)
        : m_state(std::move(value))
    { }
    Result(Refusal refusal)
        : m_state(std::move(refusal))
    { }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T& value() const { return std::get<T>(m_state); }
    T& value() { return std::get<T>(m_state); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }

    const Refusal& refusal() const { return std::get<Refusal>(m_state); }

private:
    std::variant<T, Refusal> m_state;
};

} // namespace mensora
