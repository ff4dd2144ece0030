#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/result.h"
#include "model/scale_input.h"

namespace mensora {

// The user's number format, filled by the shells from the system locale.
struct NumberFormat
{
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

// Reads the number at the front of a box text and never fails: blanks, tabs and line feeds
// are ignored anywhere, "." is the only decimal separator, E or D opens an exponent, &H and &O
// introduce hexadecimal and octal whole numbers, reading stops at the first character that
// cannot continue the number, and a text with no number in front reads as 0.
// A number too large for a double reads as an infinity, which the narrowing refuses.
double numericPrefixValue(std::string_view text);

// Reads a whole text (blanks at either end allowed) as a number in the user's notation:
// sign, digits grouped by threes or not grouped at all, the decimal separator, an exponent.
// Anything else, or a number beyond double range, is no number.
std::optional<double> strictNumberValue(std::string_view text, const NumberFormat& format);

// Rounds to the nearest representable single; a value beyond single range (or not finite)
// has none, and the caller refuses it. Inline: the preview calls it for every point it draws.
inline std::optional<float> singleOrNone(double value)
{
    // Halfway between the largest single and 2^128: from here on the rounding gives infinity.
    constexpr double singleOverflow = 0x1.ffffffp127;
    if (!(value < singleOverflow && value > -singleOverflow))
        return std::nullopt;
    return static_cast<float>(value);
}

// Rounds to the nearest representable single; beyond single range it gives an infinity of
// the same sign (which a later check refuses) instead of undefined behaviour.
float singleOrInfinity(double value);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// A box text read by the numeric-prefix rule and kept in single or double precision;
// refused, naming the box, when it does not fit.
Result<float> readSingle(std::string_view text, ScaleInput input, Shape shape);
Result<double> readDouble(std::string_view text, ScaleInput input, Shape shape);

// The sentence for a number that does not fit its precision.
Refusal tooLargeRefusal(ScaleInput input, Shape shape);

// A box's number in single precision, then times the factor (25.4 turns inches into
// millimetres), rounded back to single; refused, naming the box, when either does not fit.
Result<float> singleTimes(double number, ScaleInput input, Shape shape, double factor);

} // namespace mensora
