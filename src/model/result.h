#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "model/machine_settings.h"
#include "model/number_settings.h"
#include "model/scale_input.h"

namespace mensora {

// Why a command cannot run with the inputs it was given: the box to look at and a plain
// sentence for the user. Refusals are found before any file is created or anything drawn.
struct Refusal
{
    ScaleInput input;
    std::string message;
    // Set when a setting of the numbers is to blame rather than a box; `input` then means
    // nothing.
    std::optional<NumberSetting> setting = std::nullopt;
    // Set when a machine setting is to blame rather than a box; `input` then means nothing.
    std::optional<MachineSetting> machineSetting = std::nullopt;
};

// A refusal that names a setting of the numbers.
inline Refusal settingRefusal(NumberSetting setting, std::string message)
{
    return { ScaleInput::Length, std::move(message), setting };
}

// A refusal that names a machine setting: its caption, then the reason.
inline Refusal machineRefusal(MachineSetting setting, const std::string& reason)
{
    return { .input = ScaleInput::Length,
        .message = machineSettingCaption(setting) + " " + reason,
        .machineSetting = setting };
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
