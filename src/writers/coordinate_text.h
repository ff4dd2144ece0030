#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "toolpath/tool_move.h"

namespace mensora {

// The longest coordinate text, less the separator: a sign, "0", 323 zeros and 15 digits for the
// smallest double.
inline constexpr std::size_t coordinateTextLimit = 341;

// Writes a coordinate in plain notation: 7 significant digits for a single, 15 for a double,
// no trailing zeros, "0" before the separator of a value below 1, "-" for negatives, never
// "-0". The separator is the user's decimal separator. `out` must have room for
// coordinateTextLimit characters plus the separator; returns the end of the text.
char* writeCoordinate(char* out, Coord coord, std::string_view decimalSeparator);

void appendCoordinate(std::string& out, Coord coord, std::string_view decimalSeparator);
std::string coordinateText(Coord coord, std::string_view decimalSeparator = ".");

// The longest text of a number in fixed decimals: a sign, the 309 digits of the largest
// double, the point and up to 8 decimals ("inf" and "nan" are shorter).
inline constexpr std::size_t fixedTextLimit = 320;

// Writes a number rounded to `decimals` places (0 to 8), halves of its exact value to the even
// neighbour: "." always, no trailing zeros, no point without decimals, never "-0". The form a
// machine reads whatever the user's locale. `out` must have room for fixedTextLimit
// characters; returns the end of the text.
char* writeFixedDecimals(char* out, double value, int decimals);
std::string fixedDecimalsText(double value, int decimals);

// The value as writeFixedDecimals rounds it, as a double (the nearest to the decimal).
double roundedToDecimals(double value, int decimals);

// The value a reader of the coordinate's text gets: the coordinate rounded to its 7 or 15
// significant digits, as the nearest double. Drawings compute their arcs from these, so that
// they match the program's text.
double writtenValue(Coord coord);

// The plotter coordinate: 40 units per unit, multiplied in the coordinate's own precision and
// rounded to a whole number, halves to even. Not finite when the product overflows.
double plotterUnits(Coord coord);

// The longest whole number's text: a sign and the 309 digits of the largest double.
inline constexpr std::size_t wholeNumberTextLimit = 310;

// Writes a whole number in decimal digits, "-" for negatives, never "-0". `out` must have room
// for wholeNumberTextLimit characters; returns the end of the text.
char* writeWholeNumber(char* out, double whole);
void appendWholeNumber(std::string& out, double whole);

} // namespace mensora
