#pragma once

#include <optional>
#include <string>

namespace mensora {

// Numbers of this magnitude or more have no exact text with decimals: refused before they
// are written.
inline constexpr double numberTextLimit = 1e15;

// The text engraved for a value: its shortest decimal form (what a typed first and step give,
// without the binary noise of their sums), rounded half to even to `decimals` places and
// written with exactly that many, or, when unset, to 3 places with trailing zeros dropped.
// "." separates the decimals; a value that rounds to zero is "0", never "-0". The value is
// finite and below numberTextLimit in magnitude.
std::string numberText(double value, std::optional<int> decimals);

// The shortest text that reads back as the value, for messages: "0.05", "-20", "0.0001",
// with an exponent only below 1E-9 or from 1E+15 on; never "-0".
std::string valueText(double value);

} // namespace mensora
