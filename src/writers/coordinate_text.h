#pragma once

#include <string>
#include <string_view>

#include "toolpath/tool_move.h"

namespace mensora {

// Appends a coordinate in plain notation: 7 significant digits for a single, 15 for a double,
// no trailing zeros, "0" before the separator of a value below 1, "-" for negatives, never
// "-0". The separator is the user's decimal separator.
void appendCoordinate(std::string& out, Coord coord, std::string_view decimalSeparator);
std::string coordinateText(Coord coord, std::string_view decimalSeparator = ".");

// The plotter coordinate: 40 units per unit, multiplied in the coordinate's own precision and
// rounded to a whole number, halves to even. Not finite when the product overflows.
double plotterUnits(Coord coord);

// Appends a whole number in decimal digits, "-" for negatives, never "-0".
void appendWholeNumber(std::string& out, double whole);

} // namespace mensora
