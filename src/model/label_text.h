#pragma once

#include <optional>
#include <string>

#include "model/label_settings.h"

namespace mensora {

// The finest inch fraction a label is written in: 1/128 in.
inline constexpr int finestFraction = 128;

// A value in inch fractions, reduced: "1/16", "3/16", "1/2", whole inches as whole numbers
// ("3"), and beyond an inch "3/2", or with `mixed` "1 1/2"; "-" before a value below 0. None
// for a value that is no whole number of 1/128 (to within 1E-9 of one).
std::optional<std::string> fractionText(double value, bool mixed);

// A whole number from 1 to 3999 in Roman numerals, "IV" and "IX" as subtracted: "XII",
// "MCMXCIX". None for any other value.
std::optional<std::string> romanText(double value);

// The caption of a label setting, as the Labels dialog shows it and refusals name it.
std::string labelSettingCaption(LabelSetting setting);

} // namespace mensora
