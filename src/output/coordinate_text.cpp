#include "output/coordinate_text.h"

#include <charconv>

#include "model/number_rules.h"

namespace mensora {

void appendCoordinate(std::string& out, Coord coord, std::string_view decimalSeparator)
{
    if (coord.value == 0) {
        out += '0'; // also a negative zero
        return;
    }
    const int significant = coord.precision == Precision::Single ? 7 : 15;

    // Scientific form first ("-d.dddde+xx"): it rounds the exact binary value to the
    // significant digits.
    char scientific[64];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, coord.value,
        std::chars_format::scientific, significant - 1);
    const std::string_view text(scientific, static_cast<std::size_t>(written.ptr - scientific));

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
