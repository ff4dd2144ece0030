#include "writers/coordinate_text.h"

#include <charconv>

#include "model/number_rules.h"

namespace mensora {

namespace {

// The value in scientific form ("-d.dddde+xx"), rounded to the significant digits. For a
// double the shortest form that reads back as the value is tried first, as it is much faster:
// when it has at most 15 digits it lies within half a unit in the last place, closer than half
// a step of the 15-digit grid, so it is that grid's nearest point too. (A single's unit in the
// last place can be wider than a step of the 7-digit grid, so singles always round.)
std::string_view roundedScientific(char (&buffer)[64], Coord coord, int significant)
{
    char* const end = buffer + sizeof buffer;
    if (coord.precision == Precision::Double) {
        const auto shortest
            = std::to_chars(buffer, end, coord.value, std::chars_format::scientific);
        const std::string_view text(buffer, static_cast<std::size_t>(shortest.ptr - buffer));
        const std::size_t mantissa = text.find('e') - (text.front() == '-' ? 1 : 0);
        const std::size_t digits = mantissa > 1 ? mantissa - 1 : mantissa; // less the point
        if (digits <= static_cast<std::size_t>(significant))
            return text;
    }
    const auto rounded
        = std::to_chars(buffer, end, coord.value, std::chars_format::scientific, significant - 1);
    return { buffer, static_cast<std::size_t>(rounded.ptr - buffer) };
}

} // namespace

void appendCoordinate(std::string& out, Coord coord, std::string_view decimalSeparator)
{
    if (coord.value == 0) {
        out += '0'; // also a negative zero
        return;
    }
    const int significant = coord.precision == Precision::Single ? 7 : 15;

    char scientific[64];
    const std::string_view text = roundedScientific(scientific, coord, significant);

    const bool negative = text.front() == '-';
    const std::size_t exponentMark = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + exponentMark + (text[exponentMark + 1] == '+' ? 2 : 1),
        text.data() + text.size(), exponent);

    char digits[32];
    std::size_t count = 0;
    for (char c : text.substr(negative ? 1 : 0, exponentMark - (negative ? 1 : 0)))
        if (c != '.')
            digits[count++] = c;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    const std::string_view significand(digits, count);

    if (negative)
        out += '-';
    if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += significand;
        return;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= integerDigits) {
        out += significand;
        out.append(integerDigits - count, '0');
        return;
    }
    out += significand.substr(0, integerDigits);
    out += decimalSeparator;
    out += significand.substr(integerDigits);
}

std::string coordinateText(Coord coord, std::string_view decimalSeparator)
{
    std::string text;
    appendCoordinate(text, coord, decimalSeparator);
    return text;
}

double plotterUnits(Coord coord)
{
    if (coord.precision == Precision::Single)
        return roundHalfEven(40.0f * static_cast<float>(coord.value));
    return roundHalfEven(40.0 * coord.value);
}

void appendWholeNumber(std::string& out, double whole)
{
    if (whole == 0) {
        out += '0';
        return;
    }
    char digits[400];
    const auto written
        = std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
    out.append(digits, written.ptr);
}

} // namespace mensora
