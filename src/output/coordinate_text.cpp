#include "output/coordinate_text.h"

#include <charconv>
#include <cstdlib>

#include "model/number_rules.h"

namespace mensora {

void appendCoordinate(std::string& out, Coord coord, std::string_view decimalSeparator)
{
    if (coord.value == 0) {
        out += '0'; // also a negative zero
        return;
    }
    const int significant = coord.precision == Precision::Single ? 7 : 15;

    // Scientific form first: it rounds the exact binary value to the significant digits.
    char scientific[64];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, coord.value,
        std::chars_format::scientific, significant - 1);
    const std::string_view text(scientific, static_cast<std::size_t>(written.ptr - scientific));

    const bool negative = text.front() == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t exponentMark = text.find('e');
    std::string digits;
    for (char c : text.substr(mantissaStart, exponentMark - mantissaStart))
        if (c != '.')
            digits += c;
    const int exponent = std::atoi(std::string(text.substr(exponentMark + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    if (negative)
        out += '-';
    if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
        return;
    }
    out.append(digits, 0, integerDigits);
    out += decimalSeparator;
    out.append(digits, integerDigits);
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
